// Byte layouts of the two ways to reach the vendor property set, and the choice of topology nodes. Both
// access paths carry one 16-bit value, low byte first.
#pragma once

#include "driverlib/DriverDevice.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// {A7974C56-A77E-4B90-8CBF-1C71EC303000} in memory order.
constexpr std::array<uint8_t, 16> kVendorPropertySet = {0x56, 0x4C, 0x97, 0xA7, 0x7E, 0xA7, 0x90, 0x4B,
                                                        0x8C, 0xBF, 0x1C, 0x71, 0xEC, 0x30, 0x30, 0x00};

constexpr uint32_t kKsPropertyGet = 0x00000001;
constexpr uint32_t kKsPropertySet = 0x00000002;
constexpr uint32_t kKsPropertyTopology = 0x10000000;

// Node request of the extension-node path: property set, id, flags, node id, reserved (32 bytes).
constexpr size_t kNodeRequestBytes = 32;
// Block of the property-set path, passed both as instance data and as property data: property header
// (set, id, flags) at the start, the value at byte 52.
constexpr size_t kPropertySetBlockBytes = 56;
constexpr size_t kPropertySetBlockValueOffset = 52;

std::array<uint8_t, kNodeRequestBytes> BuildNodeRequest(unsigned property, bool set, uint32_t nodeId);
// The property-set path numbers the properties one lower than the extension node.
std::array<uint8_t, kPropertySetBlockBytes> BuildPropertySetBlock(unsigned property, bool set, uint16_t value);
uint16_t PropertySetBlockValue(const std::array<uint8_t, kPropertySetBlockBytes>& block);

// Topology nodes that matter here; every other node type is passed over.
enum class KsNodeKind { Other, ExtensionUnit, CameraTerminal };

struct CameraTopology
{
    bool hasExtensionNode = false;
    uint32_t extensionNode = 0;
    bool hasCameraTerminal = false;
    uint32_t cameraTerminal = 0;
};

// Node ids are the positions in the list; when a kind occurs more than once the last node counts.
CameraTopology ChooseTopologyNodes(const std::vector<KsNodeKind>& nodes);
// Extension node present: node requests; otherwise the property-set path.
DriverAccessMode AccessModeFor(const CameraTopology& topology);

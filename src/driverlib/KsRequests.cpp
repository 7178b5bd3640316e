// Builds the node request and the property-set block of the vendor property set, and picks the topology
// nodes of a camera.
#include "driverlib/KsRequests.h"

#include <algorithm>

namespace {

template <size_t N> void PutU32(std::array<uint8_t, N>& bytes, size_t offset, uint32_t value)
{
    for (size_t i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

template <size_t N> void PutHeader(std::array<uint8_t, N>& bytes, uint32_t id, uint32_t flags)
{
    std::copy(kVendorPropertySet.begin(), kVendorPropertySet.end(), bytes.begin());
    PutU32(bytes, 16, id);
    PutU32(bytes, 20, flags);
}

} // namespace

std::array<uint8_t, kNodeRequestBytes> BuildNodeRequest(unsigned property, bool set, uint32_t nodeId)
{
    std::array<uint8_t, kNodeRequestBytes> request{};
    PutHeader(request, property, kKsPropertyTopology | (set ? kKsPropertySet : kKsPropertyGet));
    PutU32(request, 24, nodeId);
    return request;
}

std::array<uint8_t, kPropertySetBlockBytes> BuildPropertySetBlock(unsigned property, bool set, uint16_t value)
{
    std::array<uint8_t, kPropertySetBlockBytes> block{};
    PutHeader(block, property - 1, set ? kKsPropertySet : kKsPropertyGet);
    block[kPropertySetBlockValueOffset] = static_cast<uint8_t>(value & 0xFF);
    block[kPropertySetBlockValueOffset + 1] = static_cast<uint8_t>(value >> 8);
    return block;
}

uint16_t PropertySetBlockValue(const std::array<uint8_t, kPropertySetBlockBytes>& block)
{
    return static_cast<uint16_t>(block[kPropertySetBlockValueOffset] | (block[kPropertySetBlockValueOffset + 1] << 8));
}

CameraTopology ChooseTopologyNodes(const std::vector<KsNodeKind>& nodes)
{
    CameraTopology topology;
    for (size_t i = 0; i < nodes.size(); ++i) {
        if (nodes[i] == KsNodeKind::ExtensionUnit) {
            topology.hasExtensionNode = true;
            topology.extensionNode = static_cast<uint32_t>(i);
        } else if (nodes[i] == KsNodeKind::CameraTerminal) {
            topology.hasCameraTerminal = true;
            topology.cameraTerminal = static_cast<uint32_t>(i);
        }
    }
    return topology;
}

DriverAccessMode AccessModeFor(const CameraTopology& topology)
{
    return topology.hasExtensionNode ? DriverAccessMode::ExtensionNode : DriverAccessMode::PropertySet;
}

// Kernel-streaming topology of a simulated camera: which node sits at which index. The
// video-processing unit goes to the device's configured index (0 allowed); the camera terminal and,
// when present, the extension unit fill the other places, input terminals pad the rest.
#pragma once
#include "sim/model/DeviceState.h"
#include <cstddef>

namespace sim {

enum class NodeKind { CameraTerminal, VideoProcessing, Extension, InputTerminal };

constexpr size_t kMaxNodes = 8;

// Writes the node kinds in index order; returns the node count.
size_t TopologyNodes(const DeviceState& device, NodeKind* nodes, size_t capacity);
// Index of the extension unit, or -1 when the device has none.
int ExtensionNodeIndex(const DeviceState& device);

} // namespace sim

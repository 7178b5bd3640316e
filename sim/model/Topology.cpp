// Node layout of the simulated camera's topology.
#include "sim/model/Topology.h"

namespace sim {

size_t TopologyNodes(const DeviceState& device, NodeKind* nodes, size_t capacity)
{
    NodeKind others[2] = {NodeKind::CameraTerminal, NodeKind::Extension};
    size_t otherCount = device.hasExtensionNode ? 2 : 1;
    size_t videoIndex = device.videoNodeIndex < kMaxNodes ? device.videoNodeIndex : kMaxNodes - 1;
    size_t total = otherCount + 1 > videoIndex + 1 ? otherCount + 1 : videoIndex + 1;
    size_t next = 0, written = 0;
    for (size_t i = 0; i < total && written < capacity && nodes; ++i) {
        if (i == videoIndex)
            nodes[written++] = NodeKind::VideoProcessing;
        else
            nodes[written++] = next < otherCount ? others[next++] : NodeKind::InputTerminal;
    }
    return written;
}

int ExtensionNodeIndex(const DeviceState& device)
{
    NodeKind nodes[kMaxNodes];
    size_t count = TopologyNodes(device, nodes, kMaxNodes);
    for (size_t i = 0; i < count; ++i)
        if (nodes[i] == NodeKind::Extension)
            return static_cast<int>(i);
    return -1;
}

} // namespace sim

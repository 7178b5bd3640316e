// Baseline JPEG encoding of the test picture for cameras that also offer MJPG: 4:2:2 sampling as in
// YUY2, one flat quantisation table and fixed-length Huffman codes built here, so the stream is
// valid without tables copied from anywhere. Encoding allocates nothing.
#pragma once
#include <cstddef>
#include <cstdint>

namespace sim {

// Encodes a YUY2 frame (width a multiple of 16, height a multiple of 8) into `out`. Returns the number
// of bytes written, or 0 when the size is not supported or `capacity` is too small.
size_t EncodeMjpeg(const uint8_t* yuy2, int32_t width, int32_t height, uint8_t* out, size_t capacity);

} // namespace sim

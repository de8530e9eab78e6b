// Packed 24-bit BGR rows to planar YUV 4:2:0 (BT.601, video levels), split over the cores: the
// colour conversion of every MPEG-style compressor.
#pragma once

#include <cstdint>

namespace vfw {

struct Yuv420Planes {
    uint8_t* y;
    uint8_t* u;
    uint8_t* v;
    int yStride;
    int uStride;
    int vStride;
};

// top is the first row shown; stride may be negative (bottom-up rows). Luma runs 16..235 and
// chroma 16..240.
void BgrToYuv420(const uint8_t* top, int stride, int width, int height, const Yuv420Planes& out);

} // namespace vfw

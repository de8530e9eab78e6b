// Packed 24-bit BGR rows to planar YUV 4:2:0 (BT.601), split over the cores: the colour
// conversion of every MPEG-style and JPEG-style compressor.
#pragma once

#include <cstdint>

struct Yuv420Planes {
    uint8_t* y;
    uint8_t* u;
    uint8_t* v;
    int yStride;
    int uStride;
    int vStride;
};

// top is the first row shown; stride may be negative (bottom-up rows). fullRange gives JPEG
// levels 0..255, otherwise video levels 16..235 (chroma 16..240).
void BgrToYuv420(const uint8_t* top, int stride, int width, int height, bool fullRange, const Yuv420Planes& out);

// Packed 24-bit BGR rows to packed RGB: the colour conversion of the compressors that take RGB24,
// a byte swap done in one pass that reads nothing outside the rows it is given.
#pragma once

#include <cstdint>

namespace vfw {

// top is the first row shown; stride may be negative (bottom-up rows). out receives the rows top
// first, outStride bytes apart; out may be top with stride itself, which swaps the rows in place.
void BgrToRgb24(const uint8_t* top, int stride, int width, int height, uint8_t* out, int outStride);

} // namespace vfw

// The row layout of a device-independent bitmap, shared by the drawing layer, the writers and
// the image readers.
#pragma once

#include <cstdint>

// Bytes per row of bitCount bits a pixel, padded to a multiple of four bytes.
constexpr uint64_t DibRowBytes(uint64_t width, uint64_t bitCount) { return (width * bitCount + 31) / 32 * 4; }

// Bytes per row of the 24-bit form, the one every frame of the program has.
constexpr uint64_t DibRowStride(uint64_t width) { return DibRowBytes(width, 24); }

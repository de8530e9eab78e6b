// Nearest-neighbour stretching of 24-bit bottom-up BGR rows into a 32-bit image.
#pragma once

#include <QImage>
#include <QRect>

#include <cstddef>
#include <cstdint>

struct BottomUpDib {
    const uint8_t* pixels; // the lowest row first
    size_t stride; // bytes per stored row
    const uint8_t* end; // just past the last stored row
};

// Draws the source rectangle (x from the left, y from the bottom row, as StretchDIBits counts)
// stretched over destination into target's pixels inside bounds, which must lie within both
// destination and target. Destination pixel (x, y) shows source column
// x0 + (x - left) * width / destination width, and the row found the same way from the top.
void BlitBottomUp24(QImage& target, const QRect& destination, const QRect& bounds, const BottomUpDib& dib,
                    const QRect& source);

// Row and pixel shuffles between the decoder's top-down RGB rows and packed-DIB rows.
#pragma once

#include "platform/win/types.h"

// Exchanges bytes 0 and 2 of each three-byte pixel in place.
BOOL SwapRedBlue(BYTE* pixels, int width, int height);
// Reverses the order of count rows of rowBytes each, in place.
BOOL FlipRows(BYTE* rows, int rowBytes, int count);
// A new[] copy with every row padded to the packed-DIB stride with zero bytes, or NULL.
BYTE* PadRows(const BYTE* rows, int width, int height, int* stride);
// A new[] copy of the first 3 x width bytes of each stride-long row, or NULL.
BYTE* UnpadRows(const BYTE* rows, int width, int stride, int height);

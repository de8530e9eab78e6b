// The 48-bit form of 16-bit TIFF files turned into the 24-bit packed DIB that the preview, the
// resampler and the writers take.
#pragma once

#include "image/packed_dib.h"

// frame48: top-down unpadded rows of 16-bit red, green, blue samples in machine order. Writes
// bottom-up blue, green, red bytes (each sample's high byte) into reuse when it is a 24-bit block
// of the same size, else into a new block (reuse is then released). NULL without memory or for
// a frame that is not of the 48-bit form.
BITMAPINFOHEADER* ConvertDib48To24(const BITMAPINFOHEADER* frame48, BITMAPINFOHEADER* reuse);

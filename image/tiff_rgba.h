// Decodes a TIFF picture through the library's RGBA conversion (bilevel, grey, palette, RGB with
// or without alpha, CMYK, YCbCr, Lab, 16-bit samples) straight into a 24-bit frame block, a row
// at a time, or a tile or strip at a time where rows cannot be read alone. So a picture costs its
// frame and one such piece, never a raster of its own size, whatever size a small file claims.
#pragma once

#include "platform/win/types.h"

#include <tiffio.h>

// frame is a 24-bit block of the picture's width and height. A row, strip or tile that does not
// decode is left black and the rest is read; false when none decodes or the form is not known.
bool ReadTiffRgba(TIFF* tiff, BITMAPINFOHEADER* frame);

// Writes an RGB TIFF with 16-bit samples, one strip, for tests of the deep-colour path.
#pragma once

#include <tiffio.h>

#include <cstdint>
#include <string>
#include <vector>

// sample(x, y, c) gives channel c (red, green, blue) of pixel (x, y), top row first. False when
// the file could not be written.
template <typename Sample>
bool WriteTiff16(const std::string& path, int width, int height, const Sample& sample)
{
    TIFF* tiff = TIFFOpen(path.c_str(), "w");
    if (!tiff)
        return false;
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 16);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, height);
    std::vector<uint16_t> row(3 * static_cast<size_t>(width));
    bool written = true;
    for (int y = 0; y < height && written; ++y) {
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c)
                row[3 * static_cast<size_t>(x) + c] = sample(x, y, c);
        written = TIFFWriteScanline(tiff, row.data(), static_cast<uint32_t>(y), 0) == 1;
    }
    TIFFClose(tiff);
    return written;
}

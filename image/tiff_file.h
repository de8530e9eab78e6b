// TIFF files through libtiff: 16-bit RGB into the 48-bit form, everything else through the
// library's RGBA reader into the 24-bit form.
#pragma once

#include "image/packed_dib.h"

class CImgFileTiff : public CImgFile {
public:
    BITMAPINFOHEADER* Load(LPCWSTR path, BITMAPINFOHEADER* reuse) override;
    // Writes one uncompressed 8-bit RGB strip; 1 when the file was written.
    virtual int Save(const BYTE* bits, BITMAPINFOHEADER* header, LPCWSTR path);
};

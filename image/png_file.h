// PNG files through libpng: 8-bit RGB images.
#pragma once

#include "image/packed_dib.h"

class CImgFilePng : public CImgFile {
public:
    BITMAPINFOHEADER* Load(LPCWSTR path, BITMAPINFOHEADER* reuse) override;
    // Writes an 8-bit RGB image of the frame; 1 when the file was written.
    virtual int Save(const BYTE* bits, BITMAPINFOHEADER* header, LPCWSTR path);
};

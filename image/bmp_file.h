// Windows bitmap files: 24-bit and 8-bit palette images, uncompressed.
#pragma once

#include "image/packed_dib.h"

class CImgFileBmp : public CImgFile {
public:
    BITMAPINFOHEADER* Load(LPCWSTR path, BITMAPINFOHEADER* reuse) override;
    // Rewrites header to the standard one of its size; 1 when the file was written.
    virtual int Save(const BYTE* bits, BITMAPINFOHEADER* header, LPCWSTR path);
};

// The reader or writer of an image file, chosen by the file's extension.
#pragma once

#include "image/packed_dib.h"

class CResImgFile {
public:
    virtual ~CResImgFile() = default;
    // For an extension no reader knows, returns reuse as passed and opens nothing.
    virtual BITMAPINFOHEADER* Load(LPCWSTR path, BITMAPINFOHEADER* reuse);
    // 1 when written; 0 for a failure or an extension no writer knows. quality is JPEG's only.
    virtual int Save(const BYTE* bits, BITMAPINFOHEADER* header, LPCWSTR path, int quality);
};

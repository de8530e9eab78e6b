// A picture file read by the system picture loader and returned as a packed DIB.
#pragma once

#include "image/packed_dib.h"
#include "platform/win/heap.h"

class CImgFileCom : public CImgFile {
public:
    BITMAPINFOHEADER* Load(LPCWSTR path, BITMAPINFOHEADER* reuse) override;
    // The block stays the caller's; only 24-bit pictures with addressable bits are taken.
    virtual BITMAPINFOHEADER* LoadFromMemory(HGLOBAL block, BITMAPINFOHEADER* reuse);
};

// The whole file in a new global block of the given kind, or null (unreadable, empty, or larger
// than any picture the loader takes).
HGLOBAL ReadFileToGlobal(LPCWSTR path, UINT flags);

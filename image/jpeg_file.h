// JPEG files through libjpeg (interface version 62).
#pragma once

#include "image/packed_dib.h"
#include "platform/afx/cstring.h"

// The decoded image: width x height x 3 bytes from new[], rows top-down, red, green, blue (grey
// expanded to three equal bytes); NULL on any failure. Data that ends early is decoded as the
// library makes it out: what was read, the rest grey, and the library's warning.
// Every reader here says "JpegFile :\nOut of memory" in an error box (AfxRoutedMessageBox) when
// the picture is too large to be held or its memory cannot be had; other failures say nothing.
BYTE* ReadJpegFile(CString path, int* width, int* height);
// The same from a global-memory block holding a JPEG file.
BYTE* ReadJpegMemory(HGLOBAL block, int* width, int* height);
// rows: top-down red, green, blue; with colour FALSE the file is greyscale. 1 when written; the
// grey rows' memory not had says "Memory error" in a box.
int WriteJpegFile(CString path, const BYTE* rows, int width, int height, BOOL colour, int quality);

class CImgFileJpeg : public CImgFile {
public:
    BITMAPINFOHEADER* Load(LPCWSTR path, BITMAPINFOHEADER* reuse) override;
    // Rewrites header to the standard one of its size; 1 when the file was written.
    virtual int Save(const BYTE* bits, BITMAPINFOHEADER* header, LPCWSTR path, int quality);
    // A new GMEM_MOVEABLE block holding a packed DIB, or NULL.
    virtual HGLOBAL LoadFromMemory(HGLOBAL block);
};

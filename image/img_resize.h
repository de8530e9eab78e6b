// Clips a frame to a rectangle and resizes it bilinearly with 8-bit fixed-point weights; the
// results are defined to the bit.
#pragma once

#include "foundation/mem_buff.h"
#include "image/bilinear_windows.h"
#include "platform/afx/geometry.h"

constexpr DWORD BI_YUY2 = mmioFOURCC('Y', 'U', 'Y', '2');

class CImgResize {
public:
    CImgResize() = default;
    virtual ~CImgResize() = default;
    CImgResize(const CImgResize&) = delete;
    CImgResize& operator=(const CImgResize&) = delete;

    // Source pixels with the top-left corner as origin; right and bottom exclusive.
    void SetClipRect(CRect clip);
    // Resamples the clip of the source into the destination, which takes the source's format
    // (24-bit packed DIB rows or YUY2). NULL for another format, a clip outside the source, an
    // empty output or no memory; the destination is then untouched.
    BYTE* Resize(const BYTE* source, BYTE* destination, const BITMAPINFOHEADER* sourceHeader,
                 const BITMAPINFOHEADER* destinationHeader);
    BYTE* ResizeRGB24(const BYTE* source, BYTE* destination, const BITMAPINFOHEADER* sourceHeader,
                      const BITMAPINFOHEADER* destinationHeader);
    BYTE* ResizeYUY2(const BYTE* source, BYTE* destination, const BITMAPINFOHEADER* sourceHeader,
                     const BITMAPINFOHEADER* destinationHeader);

private:
    struct RowSpan;

    bool ClipFits(LONG width, LONG height) const;
    // Fills m_columns with each destination pixel's source position (x0, wx); NULL without memory.
    const unsigned int* BuildColumns(int destinationWidth, double sx);
    // The 24-bit resize along m_windows' plan; NULL without memory.
    BYTE* ResizeThroughWindows(BilinearWindows::Isa isa, const BYTE* source, size_t sourceStride, BYTE* destination,
                               size_t outStride, LONG outWidth, LONG outHeight, const RowSpan& rows);

    CRect m_clip;
    // One source row of vertically blended sums plus one duplicated pixel.
    CMemBuffBase<unsigned int> m_scratch;
    // Per destination pixel: the left source pixel and its partner's weight, two entries each.
    CMemBuffBase<unsigned int> m_columns;
    // The horizontal pass of the 24-bit resize, where the CPU and the scale allow it.
    BilinearWindows m_windows;
    // Per band, the horizontal sums of two source rows.
    CMemBuffBase<int16_t> m_sums;
};

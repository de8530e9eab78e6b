#include "image/packed_dib.h"

#include <cstring>

BITMAPINFOHEADER* InitBitmapInfoHeader(BITMAPINFOHEADER* out, int width, int height)
{
    std::memset(out, 0, sizeof(*out));
    out->biSize = sizeof(BITMAPINFOHEADER);
    out->biWidth = width;
    out->biHeight = height;
    out->biPlanes = 1;
    out->biBitCount = 24;
    out->biCompression = BI_RGB;
    // Unsigned arithmetic gives the same bits as the signed 32-bit figure without overflow traps.
    const uint32_t stride = (3u * static_cast<uint32_t>(width) + 3u) / 4u * 4u;
    out->biSizeImage = stride * static_cast<uint32_t>(height);
    return out;
}

uint64_t DibPixelAreaBytes(int64_t width, int64_t height, int bitCount)
{
    constexpr int64_t kMaxSide = int64_t{1} << 30;
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide)
        return 0;
    uint64_t bytes = 0;
    if (bitCount == 24)
        bytes = DibRowStride(static_cast<uint64_t>(width)) * static_cast<uint64_t>(height);
    else if (bitCount == 48)
        bytes = 6 * static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
    return bytes <= kMaxPixelAreaBytes ? bytes : 0;
}

void ZeroRowPadding(BITMAPINFOHEADER* dib)
{
    if (dib->biBitCount != 24)
        return;
    const uint64_t rowBytes = 3 * static_cast<uint64_t>(dib->biWidth);
    const uint64_t stride = DibRowStride(static_cast<uint64_t>(dib->biWidth));
    if (stride == rowBytes)
        return;
    BYTE* row = DibPixels(dib);
    for (int64_t r = 0; r < dib->biHeight; ++r, row += stride)
        std::memset(row + rowBytes, 0, stride - rowBytes);
}

BITMAPINFOHEADER* AcquireFrameBlock(BITMAPINFOHEADER* reuse, int64_t width, int64_t height, int bitCount)
{
    DibPtr block(reuse);
    const uint64_t area = DibPixelAreaBytes(width, height, bitCount);
    if (area == 0)
        return nullptr;
    if (block) {
        if (block->biWidth != width || block->biHeight != height || block->biBitCount != bitCount)
            return nullptr;
        return block.release();
    }
    auto* fresh = static_cast<BITMAPINFOHEADER*>(std::malloc(sizeof(BITMAPINFOHEADER) + area));
    if (!fresh)
        return nullptr;
    InitBitmapInfoHeader(fresh, static_cast<int>(width), static_cast<int>(height));
    fresh->biBitCount = static_cast<WORD>(bitCount);
    ZeroRowPadding(fresh);
    return fresh;
}

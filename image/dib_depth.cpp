#include "image/dib_depth.h"

#include <cstring>

BITMAPINFOHEADER* ConvertDib48To24(const BITMAPINFOHEADER* frame48, BITMAPINFOHEADER* reuse)
{
    DibPtr kept(reuse);
    if (!frame48 || frame48->biBitCount != 48 || DibPixelAreaBytes(frame48->biWidth, frame48->biHeight, 48) == 0)
        return nullptr;
    const int width = frame48->biWidth;
    const int height = frame48->biHeight;
    if (kept && (kept->biWidth != width || kept->biHeight != height || kept->biBitCount != 24))
        kept.reset();
    DibPtr block(AcquireFrameBlock(kept.release(), width, height, 24));
    if (!block)
        return nullptr;
    const auto* in = reinterpret_cast<const BYTE*>(frame48) + sizeof(BITMAPINFOHEADER);
    BYTE* out = DibPixels(block.get());
    const size_t inStride = 6 * static_cast<size_t>(width);
    const size_t outStride = DibRowStride(static_cast<uint64_t>(width));
    for (int y = 0; y < height; ++y) {
        const BYTE* source = in + inStride * static_cast<size_t>(y);
        BYTE* row = out + outStride * static_cast<size_t>(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            uint16_t rgb[3];
            std::memcpy(rgb, source + 6 * static_cast<size_t>(x), sizeof rgb);
            row[3 * x] = static_cast<BYTE>(rgb[2] >> 8);
            row[3 * x + 1] = static_cast<BYTE>(rgb[1] >> 8);
            row[3 * x + 2] = static_cast<BYTE>(rgb[0] >> 8);
        }
        std::memset(row + 3 * static_cast<size_t>(width), 0, outStride - 3 * static_cast<size_t>(width));
    }
    block->biSizeImage = static_cast<DWORD>(outStride * static_cast<size_t>(height));
    return block.release();
}

#include "image/jpeg_pixels.h"

#include "platform/win/dib_rows.h"

#include <cstring>
#include <memory>
#include <new>

namespace {

size_t RowBytes(int width) { return 3 * static_cast<size_t>(width); }

} // namespace

BOOL SwapRedBlue(BYTE* pixels, int width, int height)
{
    if (!pixels)
        return FALSE;
    if (width <= 0 || height <= 0)
        return TRUE;
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    for (size_t i = 0; i < count; ++i, pixels += 3) {
        const BYTE first = pixels[0];
        pixels[0] = pixels[2];
        pixels[2] = first;
    }
    return TRUE;
}

BOOL FlipRows(BYTE* rows, int rowBytes, int count)
{
    if (!rows)
        return FALSE;
    if (rowBytes <= 0 || count <= 0)
        return TRUE;
    const size_t bytes = static_cast<size_t>(rowBytes);
    std::unique_ptr<BYTE[]> upper(new (std::nothrow) BYTE[bytes]);
    std::unique_ptr<BYTE[]> lower(new (std::nothrow) BYTE[bytes]);
    if (!upper || !lower)
        return FALSE;
    for (int i = 0; i < (count + 1) / 2; ++i) {
        BYTE* a = rows + static_cast<size_t>(i) * bytes;
        BYTE* b = rows + static_cast<size_t>(count - 1 - i) * bytes;
        std::memcpy(upper.get(), a, bytes);
        std::memcpy(lower.get(), b, bytes);
        std::memcpy(a, lower.get(), bytes);
        std::memcpy(b, upper.get(), bytes);
    }
    return TRUE;
}

BYTE* PadRows(const BYTE* rows, int width, int height, int* stride)
{
    if (!rows || width <= 0 || height <= 0)
        return nullptr;
    const size_t padded = DibRowStride(static_cast<uint64_t>(width));
    BYTE* out = new (std::nothrow) BYTE[padded * static_cast<size_t>(height)];
    if (!out)
        return nullptr;
    for (int r = 0; r < height; ++r) {
        std::memcpy(out + r * padded, rows + r * RowBytes(width), RowBytes(width));
        std::memset(out + r * padded + RowBytes(width), 0, padded - RowBytes(width));
    }
    *stride = static_cast<int>(padded);
    return out;
}

BYTE* UnpadRows(const BYTE* rows, int width, int stride, int height)
{
    if (!rows || width <= 0 || height <= 0 || static_cast<size_t>(stride) < RowBytes(width))
        return nullptr;
    BYTE* out = new (std::nothrow) BYTE[RowBytes(width) * static_cast<size_t>(height)];
    if (!out)
        return nullptr;
    for (int r = 0; r < height; ++r)
        std::memcpy(out + r * RowBytes(width), rows + r * static_cast<size_t>(stride), RowBytes(width));
    return out;
}

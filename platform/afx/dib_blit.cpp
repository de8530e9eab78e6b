#include "platform/afx/dib_blit.h"

#include "workers/part_pool.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

namespace {

// Rows per part of the worker pool; smaller pictures are drawn on the caller alone.
constexpr int kRowsPerPart = 32;

QRgb Opaque(const uint8_t* bgr)
{
    return 0xFF000000u | static_cast<uint32_t>(bgr[2]) << 16 | static_cast<uint32_t>(bgr[1]) << 8 | bgr[0];
}

static_assert(std::endian::native == std::endian::little, "a four-byte load reads blue, green, red upward");

// The same with one four-byte load: the fourth byte, the next pixel's or padding, gives way to
// the alpha. Only where that byte still lies inside the pixels.
QRgb OpaqueWide(const uint8_t* bgr)
{
    uint32_t value;
    std::memcpy(&value, bgr, sizeof value);
    return value | 0xFF000000u;
}

// Where in a stored row each column of bounds takes its pixel: the division is done once per
// column, not once per pixel.
std::vector<size_t> ColumnOffsets(const QRect& destination, const QRect& bounds, const QRect& source)
{
    std::vector<size_t> offsets(static_cast<size_t>(bounds.width()));
    for (int x = bounds.left(); x <= bounds.right(); ++x) {
        const int64_t column = source.left() +
                               static_cast<int64_t>(x - destination.left()) * source.width() / destination.width();
        offsets[static_cast<size_t>(x - bounds.left())] = 3 * static_cast<size_t>(column);
    }
    return offsets;
}

void ConvertSpan(QRgb* out, const uint8_t* row, const std::vector<size_t>& offsets, bool wide)
{
    const size_t count = offsets.size();
    if (wide) {
        for (size_t i = 0; i < count; ++i)
            out[i] = OpaqueWide(row + offsets[i]);
        return;
    }
    for (size_t i = 0; i < count; ++i)
        out[i] = Opaque(row + offsets[i]);
}

void ConvertRun(QRgb* out, const uint8_t* bgr, size_t count, bool wide)
{
    if (wide) {
        for (size_t i = 0; i < count; ++i, bgr += 3)
            out[i] = OpaqueWide(bgr);
        return;
    }
    for (size_t i = 0; i < count; ++i, bgr += 3)
        out[i] = Opaque(bgr);
}

} // namespace

void BlitBottomUp24(QImage& target, const QRect& destination, const QRect& bounds, const BottomUpDib& dib,
                    const QRect& source)
{
    if (bounds.isEmpty() || target.depth() != 32)
        return;
    const std::vector<size_t> offsets = ColumnOffsets(destination, bounds, source);
    // Same widths: the columns are consecutive and a row converts as one run.
    const bool unscaled = source.width() == destination.width();
    const size_t count = offsets.size();
    // Taken once here: scanLine() of a shared image would detach it, which only one thread may do.
    uchar* const firstLine = target.bits();
    const qsizetype lineBytes = target.bytesPerLine();
    const auto drawRows = [&](int top, int end) {
        int previousRow = -1;
        const QRgb* previous = nullptr;
        for (int y = top; y < end; ++y) {
            const int64_t fromTop = static_cast<int64_t>(y - destination.top()) * source.height() /
                                    destination.height();
            const int storedRow = source.top() + source.height() - 1 - static_cast<int>(fromTop);
            QRgb* out = reinterpret_cast<QRgb*>(firstLine + lineBytes * y) + bounds.left();
            if (storedRow == previousRow) {
                // Enlarged rows repeat the one above.
                std::memcpy(out, previous, count * sizeof(QRgb));
                continue;
            }
            const uint8_t* row = dib.pixels + dib.stride * static_cast<size_t>(storedRow);
            // Only the last stored row can end where the pixels end.
            const bool wide = row + offsets.back() + 4 <= dib.end;
            if (unscaled)
                ConvertRun(out, row + offsets.front(), count, wide);
            else
                ConvertSpan(out, row, offsets, wide);
            previousRow = storedRow;
            previous = out;
        }
    };
    // A preview drawn every frame is on a run's critical path: bands of rows go to the pool.
    workers::PartPool& pool = workers::PartPool::Instance();
    const int rows = bounds.height();
    const int parts = std::min(rows / kRowsPerPart, pool.Threads());
    if (parts <= 1) {
        drawRows(bounds.top(), bounds.top() + rows);
        return;
    }
    const int perPart = (rows + parts - 1) / parts;
    pool.Run(parts, [&](int part) {
        const int top = bounds.top() + part * perPart;
        drawRows(top, std::min(top + perPart, bounds.top() + rows));
    });
}

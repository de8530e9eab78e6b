#include "image/img_resize.h"

#include "image/bilinear_windows.h"
#include "image/packed_dib.h"
#include "workers/part_pool.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define IMG_RESIZE_SSE41 1
#endif

namespace {

constexpr unsigned int kHalf16 = 0x8000;

// The two source memory rows an output row blends, and the second one's weight.
struct RowPair {
    int y0;
    int y1;
    unsigned int wy;
};

// Position p in 8-bit fixed point, truncated toward zero (p is never negative).
int FixedPoint(double position) { return static_cast<int>(position * 256.0); }

// A source row can hold the scratch row's 3 x (width + 1) sums in an int count.
constexpr LONG kMaxResizeWidth = std::numeric_limits<int>::max() / 3 - 1;

// Output pixels per band; smaller frames stay on the calling thread.
constexpr int64_t kPixelsPerBand = 65536;

// How many row bands an output frame is split into, each with its own scratch of bandBytes; the
// scratch of all bands together must stay within what one block can hold.
int BandCount(LONG outWidth, LONG outHeight, int64_t bandBytes)
{
    const int64_t bands = static_cast<int64_t>(outWidth) * outHeight / kPixelsPerBand;
    if (bands < 2)
        return 1;
    const int64_t fit = std::numeric_limits<int>::max() / bandBytes;
    const int64_t threads = workers::PartPool::Instance().Threads();
    return static_cast<int>(std::max<int64_t>(1, std::min({bands, fit, static_cast<int64_t>(outHeight), threads})));
}

// Calls rows(first, end, band) for consecutive bands covering output rows [0, height), and
// returns when all are done.
template <typename Rows>
void RunBands(int bands, LONG height, const Rows& rows)
{
    if (bands == 1) {
        rows(0, height, 0);
        return;
    }
    const LONG per = (height + bands - 1) / bands;
    workers::PartPool::Instance().Run(bands, [&](int band) {
        const LONG first = per * band;
        const LONG end = std::min(height, first + per);
        if (first < end)
            rows(first, end, band);
    });
}

// out[k] = row1[k] * wy + row0[k] * (256 - wy) for k in [begin, end). Each sum is at most
// 255 * 256, so sixteen of them are computed at a time in 16-bit lanes, exactly.
void BlendRows(const BYTE* row0, const BYTE* row1, unsigned int wy, unsigned int* out, size_t begin, size_t end)
{
    size_t k = begin;
#if defined(__SSE2__)
    const __m128i weight1 = _mm_set1_epi16(static_cast<short>(wy));
    const __m128i weight0 = _mm_set1_epi16(static_cast<short>(256 - wy));
    const __m128i zero = _mm_setzero_si128();
    for (; k + 16 <= end; k += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row0 + k));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row1 + k));
        const __m128i low = _mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(b, zero), weight1),
                                          _mm_mullo_epi16(_mm_unpacklo_epi8(a, zero), weight0));
        const __m128i high = _mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(b, zero), weight1),
                                           _mm_mullo_epi16(_mm_unpackhi_epi8(a, zero), weight0));
        auto* target = reinterpret_cast<__m128i*>(out + k);
        _mm_storeu_si128(target, _mm_unpacklo_epi16(low, zero));
        _mm_storeu_si128(target + 1, _mm_unpackhi_epi16(low, zero));
        _mm_storeu_si128(target + 2, _mm_unpacklo_epi16(high, zero));
        _mm_storeu_si128(target + 3, _mm_unpackhi_epi16(high, zero));
    }
#endif
    for (; k < end; ++k)
        out[k] = row1[k] * wy + row0[k] * (256 - wy);
}

// One byte of the horizontal pass from the blended sums of its two source pixels:
// a * (256 - wx) + b * wx == (a << 8) + (b - a) * wx exactly in modular unsigned arithmetic,
// since the true value fits: one multiply per byte.
inline BYTE BlendColumn(unsigned int a, unsigned int b, unsigned int wx)
{
    return static_cast<BYTE>(((a << 8) + (b - a) * wx + kHalf16) >> 16);
}

// The horizontal pass of one destination row. All loads come before the stores, so the byte
// stores cannot force the table and the sums to be read again.
void BlendRow(const unsigned int* scratch, const unsigned int* columns, BYTE* out, LONG begin, LONG end)
{
    out += 3 * static_cast<size_t>(begin);
    for (LONG i = begin; i < end; ++i, out += 3) {
        const unsigned int* pixel = scratch + 3 * columns[2 * i];
        const unsigned int wx = columns[2 * i + 1];
        const BYTE blue = BlendColumn(pixel[0], pixel[3], wx);
        const BYTE green = BlendColumn(pixel[1], pixel[4], wx);
        const BYTE red = BlendColumn(pixel[2], pixel[5], wx);
        out[0] = blue;
        out[1] = green;
        out[2] = red;
    }
}

#if defined(IMG_RESIZE_SSE41)
bool HasSse41() { return __builtin_cpu_supports("sse4.1"); }

// BlendRow four pixels at a time: a pixel's three sums and its partner's are loaded as four
// lanes each, so one multiply blends its channels; the fourth lane (the next pixel's first sum,
// or the spare entry after the scratch row) is computed and dropped.
__attribute__((target("sse4.1"))) void BlendRowSse41(const unsigned int* scratch, const unsigned int* columns,
                                                     BYTE* out, LONG width)
{
    const __m128i half = _mm_set1_epi32(static_cast<int>(kHalf16));
    const __m128i threeOfFour = _mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
    LONG i = 0;
    for (; i + 4 <= width; i += 4) {
        __m128i blended[4];
        for (int p = 0; p < 4; ++p) {
            const unsigned int* pixel = scratch + 3 * columns[2 * (i + p)];
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixel));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixel + 3));
            const __m128i wx = _mm_set1_epi32(static_cast<int>(columns[2 * (i + p) + 1]));
            const __m128i sum = _mm_add_epi32(_mm_slli_epi32(a, 8), _mm_mullo_epi32(_mm_sub_epi32(b, a), wx));
            blended[p] = _mm_srli_epi32(_mm_add_epi32(sum, half), 16);
        }
        // The three kept lanes of each pixel are at most 255, so packing leaves them as they are.
        const __m128i bytes = _mm_packus_epi16(_mm_packus_epi32(blended[0], blended[1]),
                                               _mm_packus_epi32(blended[2], blended[3]));
        const __m128i pixels = _mm_shuffle_epi8(bytes, threeOfFour);
        BYTE* target = out + 3 * static_cast<size_t>(i);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(target), pixels);
        const int last = _mm_extract_epi32(pixels, 2);
        std::memcpy(target + 8, &last, sizeof last);
    }
    BlendRow(scratch, columns, out, i, width);
}
#endif

} // namespace

// The memory rows of a clip and the vertical scale: which rows each output row blends.
struct CImgResize::RowSpan {
    int firstRow;
    int lastRow;
    double sy;

    RowPair Of(LONG j) const;
};

RowPair CImgResize::RowSpan::Of(LONG j) const
{
    const int fy = FixedPoint(static_cast<double>(firstRow) + static_cast<double>(j) / sy);
    const int y0 = std::min(fy / 256, lastRow);
    return {y0, std::min(y0 + 1, lastRow), static_cast<unsigned int>(fy - 256 * (fy / 256))};
}

void CImgResize::SetClipRect(CRect clip) { m_clip = clip; }

bool CImgResize::ClipFits(LONG width, LONG height) const
{
    return width > 0 && height > 0 && width <= kMaxResizeWidth && 0 <= m_clip.left && m_clip.left < m_clip.right &&
           m_clip.right <= width && 0 <= m_clip.top && m_clip.top < m_clip.bottom && m_clip.bottom <= height;
}

const unsigned int* CImgResize::BuildColumns(int destinationWidth, double sx)
{
    unsigned int* columns = m_columns.Alloc(2 * destinationWidth);
    if (!columns)
        return nullptr;
    for (int i = 0; i < destinationWidth; ++i) {
        const int fx = FixedPoint(static_cast<double>(m_clip.left) + static_cast<double>(i) / sx);
        const int x0 = fx / 256;
        columns[2 * i] = static_cast<unsigned int>(x0);
        columns[2 * i + 1] = static_cast<unsigned int>(fx - 256 * x0);
    }
    return columns;
}

BYTE* CImgResize::Resize(const BYTE* source, BYTE* destination, const BITMAPINFOHEADER* sourceHeader,
                         const BITMAPINFOHEADER* destinationHeader)
{
    if (sourceHeader->biCompression == BI_RGB && sourceHeader->biBitCount == 24)
        return ResizeRGB24(source, destination, sourceHeader, destinationHeader);
    if (sourceHeader->biCompression == BI_YUY2)
        return ResizeYUY2(source, destination, sourceHeader, destinationHeader);
    return nullptr;
}

BYTE* CImgResize::ResizeRGB24(const BYTE* source, BYTE* destination, const BITMAPINFOHEADER* sourceHeader,
                              const BITMAPINFOHEADER* destinationHeader)
{
    const LONG width = sourceHeader->biWidth;
    const LONG height = sourceHeader->biHeight;
    const LONG outWidth = destinationHeader->biWidth;
    const LONG outHeight = destinationHeader->biHeight;
    if (!ClipFits(width, height) || outWidth <= 0 || outHeight <= 0 || outWidth > kMaxResizeWidth)
        return nullptr;
    const int clipWidth = m_clip.Width();
    const int clipHeight = m_clip.Height();
    double sx = static_cast<double>(outWidth) / clipWidth;
    if (outWidth > 1 && clipWidth > 1)
        sx = static_cast<double>(outWidth - 1) / (clipWidth - 1);
    double sy = static_cast<double>(outHeight) / clipHeight;
    if (outHeight > 1 && clipHeight > 1)
        sy = static_cast<double>(outHeight - 1) / (clipHeight - 1);
    const size_t sourceStride = DibRowStride(static_cast<uint64_t>(width));
    const size_t outStride = DibRowStride(static_cast<uint64_t>(outWidth));
    // Memory rows are bottom-up: the clip spans memory rows height - bottom to height - top - 1.
    const int clipFirstRow = height - m_clip.bottom;
    const int clipLastRow = height - m_clip.top - 1;

    if (sx == 1.0 && sy == 1.0) {
        for (LONG j = 0; j < outHeight; ++j)
            std::memcpy(destination + outStride * j, source + sourceStride * (j + clipFirstRow) + 3 * m_clip.left,
                        3 * static_cast<size_t>(outWidth));
        return destination;
    }

    const unsigned int* columns = BuildColumns(outWidth, sx);
    if (!columns || columns[2 * (outWidth - 1)] >= static_cast<unsigned int>(width))
        return nullptr;
    const RowSpan rows{clipFirstRow, clipLastRow, sy};
    static const std::optional<BilinearWindows::Isa> isa = BilinearWindows::Fastest();
    if (isa && m_windows.Plan(columns, outWidth, width))
        return ResizeThroughWindows(*isa, source, sourceStride, destination, outStride, outWidth, outHeight, rows);

    // Each band's row of sums ends with one spare entry, read into a lane that is dropped.
    const int scratchLength = 3 * (width + 1) + 1;
    const int bands = BandCount(outWidth, outHeight, sizeof(unsigned int) * static_cast<int64_t>(scratchLength));
    unsigned int* scratchRows = m_scratch.Alloc(bands * scratchLength);
    if (!scratchRows)
        return nullptr;
    // Only the source columns the horizontal pass reads are blended vertically.
    const size_t firstColumn = columns[0];
    const size_t lastColumn = std::min<size_t>(columns[2 * (outWidth - 1)] + 1, width);
    const size_t blendEnd = 3 * std::min<size_t>(lastColumn + 1, width);

    RunBands(bands, outHeight, [&](LONG firstRow, LONG endRow, int band) {
        unsigned int* scratch = scratchRows + static_cast<size_t>(scratchLength) * band;
        for (LONG j = firstRow; j < endRow; ++j) {
            const RowPair pair = rows.Of(j);
            BlendRows(source + sourceStride * pair.y0, source + sourceStride * pair.y1, pair.wy, scratch,
                      3 * firstColumn, blendEnd);
            if (lastColumn == static_cast<size_t>(width)) {
                for (size_t c = 0; c < 3; ++c)
                    scratch[3 * width + c] = scratch[3 * (width - 1) + c];
            }

            BYTE* out = destination + outStride * j;
#if defined(IMG_RESIZE_SSE41)
            static const bool sse41 = HasSse41();
            if (sse41) {
                BlendRowSse41(scratch, columns, out, outWidth);
                continue;
            }
#endif
            BlendRow(scratch, columns, out, 0, outWidth);
        }
    });
    return destination;
}

BYTE* CImgResize::ResizeThroughWindows(BilinearWindows::Isa isa, const BYTE* source, size_t sourceStride,
                                       BYTE* destination, size_t outStride, LONG outWidth, LONG outHeight,
                                       const RowSpan& rows)
{
    const size_t rowLength = m_windows.RowLength();
    const int bands = BandCount(outWidth, outHeight, 2 * sizeof(int16_t) * static_cast<int64_t>(rowLength));
    int16_t* sumRows = m_sums.Alloc(static_cast<int>(2 * rowLength * bands));
    if (!sumRows)
        return nullptr;

    RunBands(bands, outHeight, [&](LONG firstRow, LONG endRow, int band) {
        int16_t* slots[2] = {sumRows + 2 * rowLength * band, sumRows + (2 * band + 1) * rowLength};
        int held[2] = {-1, -1};
        // The sums of source row y, computed into the slot that does not hold row keep if need be:
        // consecutive output rows mostly share a source row, and the row after y comes next.
        const auto sumsOf = [&](int y, int keep) -> const int16_t* {
            for (int slot = 0; slot < 2; ++slot) {
                if (held[slot] == y)
                    return slots[slot];
            }
            const int slot = held[0] == keep ? 1 : 0;
            m_windows.Horizontal(isa, source + sourceStride * y, slots[slot],
                                 source + sourceStride * std::min(y + 1, rows.lastRow));
            held[slot] = y;
            return slots[slot];
        };
        for (LONG j = firstRow; j < endRow; ++j) {
            const RowPair pair = rows.Of(j);
            // A second row of weight 0 adds nothing, so it need not be summed.
            const int y1 = pair.wy == 0 ? pair.y0 : pair.y1;
            const int16_t* sums0 = sumsOf(pair.y0, y1);
            const int16_t* sums1 = sumsOf(y1, pair.y0);
            BilinearWindows::Vertical(isa, sums0, sums1, pair.wy, destination + outStride * j,
                                      3 * static_cast<size_t>(outWidth));
        }
    });
    return destination;
}

BYTE* CImgResize::ResizeYUY2(const BYTE* source, BYTE* destination, const BITMAPINFOHEADER* sourceHeader,
                             const BITMAPINFOHEADER* destinationHeader)
{
    const LONG width = sourceHeader->biWidth;
    const LONG height = sourceHeader->biHeight;
    const LONG outWidth = destinationHeader->biWidth;
    const LONG outHeight = destinationHeader->biHeight;
    // Pixels come in pairs sharing one U and one V, so both widths must be even.
    if (!ClipFits(width, height) || outWidth <= 0 || outHeight <= 0 || outWidth > kMaxResizeWidth || width % 2 != 0 ||
        outWidth % 2 != 0)
        return nullptr;
    const double sx = static_cast<double>(outWidth) / m_clip.Width();
    const double sy = static_cast<double>(outHeight) / m_clip.Height();
    const size_t sourceStride = 2 * static_cast<size_t>(width);
    const size_t outStride = 2 * static_cast<size_t>(outWidth);

    if (sx == 1.0 && sy == 1.0) {
        for (LONG j = 0; j < outHeight; ++j)
            std::memcpy(destination + outStride * j, source + sourceStride * (m_clip.top + j) + 2 * m_clip.left,
                        outStride);
        return destination;
    }

    const int scratchLength = width + 1;
    const int bands = BandCount(outWidth, outHeight, sizeof(unsigned int) * static_cast<int64_t>(scratchLength));
    unsigned int* scratchRows = m_scratch.Alloc(bands * scratchLength);
    const unsigned int* columns = scratchRows ? BuildColumns(outWidth, sx) : nullptr;
    if (!columns || columns[2 * (outWidth - 1)] >= static_cast<unsigned int>(width))
        return nullptr;
    const RowSpan rows{m_clip.top, m_clip.bottom - 1, sy};

    RunBands(bands, outHeight, [&](LONG firstRow, LONG endRow, int band) {
        unsigned int* scratch = scratchRows + static_cast<size_t>(scratchLength) * band;
        for (LONG j = firstRow; j < endRow; ++j) {
            const RowPair pair = rows.Of(j);
            const unsigned int wy = pair.wy;
            const unsigned int wy0 = 256 - wy;
            const BYTE* row0 = source + sourceStride * pair.y0;
            const BYTE* row1 = source + sourceStride * pair.y1;
            for (LONG k = 0; k < width; ++k)
                scratch[k] = row1[2 * k] * wy + row0[2 * k] * wy0;
            scratch[width] = scratch[width - 1];

            BYTE* out = destination + outStride * j;
            for (LONG i = 0; i < outWidth; ++i) {
                const unsigned int x0 = columns[2 * i];
                const unsigned int wx = columns[2 * i + 1];
                out[2 * i] = static_cast<BYTE>((scratch[x0 + 1] * wx + scratch[x0] * (256 - wx) + kHalf16) >> 16);
                if (i % 2 == 0) {
                    const size_t pair = 4 * static_cast<size_t>(x0 / 2);
                    const unsigned int u = row1[pair + 1] * wy + row0[pair + 1] * wy0;
                    const unsigned int v = row1[pair + 3] * wy + row0[pair + 3] * wy0;
                    out[2 * i + 1] = static_cast<BYTE>((u + 128) >> 8);
                    out[2 * i + 3] = static_cast<BYTE>((v + 128) >> 8);
                }
            }
        }
    });
    return destination;
}

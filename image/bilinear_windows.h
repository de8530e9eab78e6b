// The 24-bit bilinear resize as a horizontal pass over each source row followed by a vertical
// blend of two such rows, both in vector registers. Every output byte is the same exact
// fixed-point sum as blending the rows first, rounded once, so the order changes no bit.
#pragma once

#include "foundation/mem_buff.h"

#include <cstddef>
#include <cstdint>
#include <optional>

class BilinearWindows {
public:
    enum class Isa { Sse41, Avx2 };
    // The widest instruction set this CPU runs; none without SSE4.1.
    static std::optional<Isa> Fastest();

    BilinearWindows() = default;
    BilinearWindows(const BilinearWindows&) = delete;
    BilinearWindows& operator=(const BilinearWindows&) = delete;

    // Plans the horizontal pass of outWidth pixels from columns (the left source pixel and its
    // partner's weight, two entries a pixel) over rows of sourceWidth pixels; a partner past the
    // last pixel is the last pixel again. False when the row is under 16 bytes, when four sums
    // need source bytes more than 16 apart (a reduction to under about a quarter) or without memory.
    bool Plan(const unsigned int* columns, int outWidth, int sourceWidth);
    // Entries of one horizontal row: the 3 * outWidth sums of the plan, padded to whole blocks.
    size_t RowLength() const { return m_rowLength; }

    // Writes RowLength() entries to sums: each byte's weighted sum with its partner, less 32768
    // so that it fits a signed 16-bit entry. next is the row likely summed after this one (or
    // row again); it is fetched into the cache meanwhile.
    void Horizontal(Isa isa, const BYTE* row, int16_t* sums, const BYTE* next) const;
    // out[k] for k < count: sums0[k] and sums1[k] blended with weights 256 - wy and wy, rounded
    // to a byte.
    static void Vertical(Isa isa, const int16_t* sums0, const int16_t* sums1, unsigned int wy, BYTE* out, size_t count);

private:
    // The row length of the new plan, or 0.
    size_t LayOut(const unsigned int* columns, int outWidth, int sourceWidth);

    // Sixteen sums make a block of four groups of four; each group shuffles its byte pairs out of
    // one 16-byte window of the row. Groups are stored in the order 0, 2, 1, 3, so that the lanes
    // of a 256-bit register pack back into order.
    CMemBuffBase<int8_t> m_shuffles; // 16 a group
    CMemBuffBase<int16_t> m_weights; // 8 a group: each sum's two weights
    CMemBuffBase<int32_t> m_windows; // 1 a group: where its window starts in the row
    // Zero while no plan fits.
    size_t m_rowLength = 0;
    // What the plan was made from; a source width of 0 matches nothing.
    CMemBuffBase<unsigned int> m_plannedColumns;
    int m_plannedSourceWidth = 0;
};

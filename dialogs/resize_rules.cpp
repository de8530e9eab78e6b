#include "dialogs/resize_rules.h"

#include "image/packed_dib.h"

#include <algorithm>
#include <cstdint>

namespace {

// From 0 up to high; a high below 0 gives 0.
int KeepWithin(int64_t value, int64_t high) { return static_cast<int>(std::max<int64_t>(0, std::min(value, high))); }

// The widest frame one row of which still fits the bound.
constexpr int64_t kMaxOutputWidth = (kMaxPixelAreaBytes - 3) / 3;

} // namespace

int ClampNearMargin(int typed, LONG farEdge) { return KeepWithin(typed, int64_t{farEdge} - 1); }

int ClampFarMargin(int typed, LONG sourceSide, LONG nearEdge)
{
    return KeepWithin(typed, int64_t{sourceSide} - nearEdge - 1);
}

CRect FitMarginsToSource(ClipMargins& margins, LONG sourceWidth, LONG sourceHeight)
{
    const LONG width = std::max<LONG>(0, sourceWidth);
    const LONG height = std::max<LONG>(0, sourceHeight);
    margins.left = ClampNearMargin(margins.left, width);
    margins.right = ClampFarMargin(margins.right, width, margins.left);
    margins.top = ClampNearMargin(margins.top, height);
    margins.bottom = ClampFarMargin(margins.bottom, height, margins.top);
    if (width == 0 || height == 0)
        return CRect(0, 0, 0, 0);
    return CRect(margins.left, margins.top, width - margins.right, height - margins.bottom);
}

CSize ClampOutputSize(int width, int height)
{
    const int64_t w = std::clamp<int64_t>(width, 1, kMaxOutputWidth);
    const int64_t maxHeight = static_cast<int64_t>(kMaxPixelAreaBytes / DibRowStride(static_cast<uint64_t>(w)));
    const int64_t h = std::clamp<int64_t>(height, 1, maxHeight);
    return CSize(static_cast<int>(w), static_cast<int>(h));
}

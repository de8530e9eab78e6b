#include "dialogs/frame_rate.h"

#include <cmath>

std::optional<UINT> FrameRateFromFps(double fps)
{
    const double rate = std::trunc(fps * 10000.0);
    if (!std::isfinite(rate) || rate < 1.0 || rate > 2147483647.0)
        return std::nullopt;
    return static_cast<UINT>(rate);
}

double FpsFromFrameRate(UINT rate) { return rate / 10000.0; }

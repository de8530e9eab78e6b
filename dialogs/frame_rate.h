// The frame-rate dialog's conversions between the stored rate (frames per second times 10000)
// and the number the user edits.
#pragma once

#include "platform/afx/cstring.h"

#include <optional>

// The edited number times 10000 in double precision, truncated toward zero (1.001 gives 10009);
// nothing when that is not a rate a run can use: 1 to 2^31 - 1.
std::optional<UINT> FrameRateFromFps(double fps);
// The shown number for a stored rate: r / 10000 with up to 15 significant digits.
double FpsFromFrameRate(UINT rate);
// The range the dialog accepts, for its prompt.
constexpr double kMinFps = 0.0001;
constexpr double kMaxFps = 214748.3647;

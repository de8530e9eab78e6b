#include "app/run_schedule.h"

#include "image/packed_dib.h"

#include <climits>
#include <cmath>

namespace {

constexpr double kAudioRate = 48000.0;
constexpr int kSampleFrameBytes = 4;
constexpr int kStatusEvery = 30;

// Display rates come from three commands; anything else draws every frame.
int Every(int dispRate) { return dispRate > 0 ? dispRate : 1; }

} // namespace

int OutputFrameBytes(const BITMAPINFOHEADER& header)
{
    if (header.biWidth <= 0 || header.biHeight <= 0)
        return 0;
    const uint64_t bytes = DibRowStride(static_cast<uint64_t>(header.biWidth)) * static_cast<uint64_t>(header.biHeight);
    return bytes <= static_cast<uint64_t>(INT_MAX) ? static_cast<int>(bytes) : 0;
}

int SilenceByteCount(DWORD fps)
{
    if (fps == 0)
        return 0;
    const double framesPerSecond = fps / 10000.0;
    const double rounded = std::trunc(kAudioRate / framesPerSecond * kSampleFrameBytes + 0.5);
    if (!(rounded < static_cast<double>(INT_MAX - kSampleFrameBytes)))
        return 0;
    const int64_t bytes = static_cast<int64_t>(rounded);
    const int64_t whole = (bytes + kSampleFrameBytes - 1) / kSampleFrameBytes * kSampleFrameBytes;
    return static_cast<int>(whole);
}

bool ShouldDrawFrame(int index, int dispRate)
{
    const int every = Every(dispRate);
    return index % every == every - 1;
}

bool ShouldDrawStatus(int index, int dispRate)
{
    const int every = Every(dispRate) < kStatusEvery ? Every(dispRate) : kStatusEvery;
    return index % every == every - 1;
}

bool IsUsableFrameRate(DWORD fps) { return fps > 0 && fps <= static_cast<DWORD>(INT_MAX); }

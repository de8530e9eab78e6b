#include "app/player_layout.h"

#include "app/run_state.h"
#include "foundation/status_text.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <numeric>

namespace {

constexpr int kPreviewLeft = 10;
constexpr int kPreviewTop = 25;

struct ZoomCommand {
    UINT id;
    double zoom;
};
constexpr ZoomCommand kZoomCommands[] = {{32771, 0.25}, {32772, 0.5}, {32773, 1.0},
                                         {32774, 1.5},  {32775, 2.0}, {32776, 4.0}};

// Along one axis: how many destination pixels and clip pixels the visible part takes. full is
// the whole picture's length on screen, limit what the client area shows of it. The part is cut
// so that it samples the very pixels the whole picture shows there.
struct Span {
    int dest;
    int src;
};
bool VisibleSpan(double full, double limit, int clipLength, Span& span)
{
    const double visible = std::min(full, limit);
    if (!(visible >= 1.0) || clipLength <= 0)
        return false;
    if (visible >= full) {
        span = {static_cast<int>(full), clipLength};
        return true;
    }
    const double perPixel = full / clipLength;
    if (perPixel >= visible) {
        // One source pixel covers everything that is visible.
        span = {static_cast<int>(visible), 1};
        return true;
    }
    // Screen pixel x shows clip pixel x * clipLength / full. Cut at the end of a block in which
    // both lengths are whole, and the cut maps every pixel before it as the whole picture does.
    const auto fullPixels = static_cast<uint64_t>(full);
    const uint64_t common = std::gcd(fullPixels, static_cast<uint64_t>(clipLength));
    const uint64_t blockDest = fullPixels / common;
    const uint64_t blocks = (static_cast<uint64_t>(std::ceil(visible)) + blockDest - 1) / blockDest;
    if (blocks * blockDest <= static_cast<uint64_t>(INT_MAX)) {
        span = {static_cast<int>(blocks * blockDest), static_cast<int>(blocks * (clipLength / common))};
        return true;
    }
    // No whole block fits a drawing size: the nearest cut, a pixel off here and there.
    const int src = std::min(clipLength, static_cast<int>(std::ceil(visible / perPixel)));
    span = {static_cast<int>(std::trunc(src * perPixel)), src};
    return true;
}

struct Clock {
    DWORD hours, minutes, seconds;
};
Clock Split(DWORD seconds) { return {seconds / 3600, seconds % 3600 / 60, seconds % 60}; }

} // namespace

int SliderTickFrequency(int count) { return (count - 1) / 10; }

double WheelZoom(double zoom, int delta)
{
    const double next = delta > 0 ? zoom * 2.0 : zoom / 2.0;
    return std::clamp(next, kMinZoom, kMaxZoom);
}

double ZoomOfCommand(UINT id)
{
    for (const ZoomCommand& command : kZoomCommands)
        if (command.id == id)
            return command.zoom;
    return 0.0;
}

PassTimes ComputePassTimes(DWORD totalMs, int index, int count)
{
    const double seconds = totalMs / 1000.0;
    PassTimes times{static_cast<DWORD>(seconds), 0};
    if (index > 0) {
        const double remaining = seconds * (count - index) / index;
        times.remaining = remaining > 0 ? static_cast<DWORD>(std::min(remaining, 4294967295.0)) : 0;
    }
    return times;
}

CString FormatFrameBox(int index, int count)
{
    CString text;
    text.Format(u"%d%s%d", index + 1, static_cast<LPCWSTR>(GetSlashText()), count);
    return text;
}

CString FormatTimeBox(const PassTimes& times)
{
    const Clock e = Split(times.elapsed);
    const Clock r = Split(times.remaining);
    CString text;
    text.Format(u"%02d:%02d:%02d%s%02d:%02d:%02d", e.hours, e.minutes, e.seconds, static_cast<LPCWSTR>(GetSlashText()),
                r.hours, r.minutes, r.seconds);
    return text;
}

StateLook StateBoxLook(RunState runState, bool outputOn, bool firstOfTwoPasses)
{
    if (runState == RunState::Paused)
        return {GetPauseStatusText(), 0xFF00FF};
    if (runState == RunState::Stopped)
        return {GetStopStatusText(), 0xFFFF00};
    if (!outputOn)
        return {GetPlayStatusText(), 0x00FFFF};
    if (firstOfTwoPasses)
        return {GetFirstPassStatusText(), 0x0000FF};
    return {GetMakeStatusText(), 0x0000FF};
}

bool ComputePreviewBlit(const BITMAPINFOHEADER& source, const BITMAPINFOHEADER& output, const RECT& clip, double zoom,
                        SIZE client, PreviewBlit& blit)
{
    if (clip.left < 0 || clip.top < 0 || clip.right > source.biWidth || clip.bottom > source.biHeight ||
        clip.left >= clip.right || clip.top >= clip.bottom || !(zoom > 0))
        return false;
    const double fullWidth = std::trunc(output.biWidth * zoom);
    const double fullHeight = std::trunc(output.biHeight * zoom);
    Span x{}, y{};
    if (!VisibleSpan(fullWidth, client.cx - kPreviewLeft, clip.right - clip.left, x) ||
        !VisibleSpan(fullHeight, client.cy - kPreviewTop, clip.bottom - clip.top, y))
        return false;
    // Rows are stored bottom-up: the visible top rows of the clip end y.src rows below its top.
    blit = {kPreviewLeft, kPreviewTop, x.dest, y.dest, clip.left, source.biHeight - (clip.top + y.src), x.src, y.src};
    return true;
}

bool AcceptsDroppedPath(RunState runState, bool playInProgress)
{
    return runState == RunState::Stopped && !playInProgress;
}

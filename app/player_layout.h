// The player view's numbers and texts that depend on no window: slider ticks, zoom, the status
// strip and the preview's rectangles.
#pragma once

#include "app/run_state.h"
#include "platform/afx/cstring.h"
#include "platform/win/types.h"

constexpr double kMinZoom = 1.0 / 64;
constexpr double kMaxZoom = 64.0;

// Tick frequency of the seek slider for count images.
int SliderTickFrequency(int count);

// The zoom after one wheel message: doubled upward, halved downward, kept within the bounds.
double WheelZoom(double zoom, int delta);

// Zoom factor of a zoom command; 0 for another id.
double ZoomOfCommand(UINT id);

// Elapsed and remaining processing time of a pass, in whole seconds, from the milliseconds spent
// on the frames before index of count.
struct PassTimes {
    DWORD elapsed;
    DWORD remaining;
};
PassTimes ComputePassTimes(DWORD totalMs, int index, int count);

CString FormatFrameBox(int index, int count);
CString FormatTimeBox(const PassTimes& times);

struct StateLook {
    CString text;
    COLORREF colour;
};
StateLook StateBoxLook(RunState runState, bool outputOn, bool firstOfTwoPasses);

// One StretchDIBits call of the preview: the clip of the source stretched to the output size
// times the zoom at (10, 25), cut to little more than the part that a client area of the given
// size shows, and showing there the same pixels as the whole picture would.
struct PreviewBlit {
    int xDest, yDest, destWidth, destHeight;
    int xSrc, ySrc, srcWidth, srcHeight;
};
// false when nothing of the picture would be visible or the clip lies outside the source.
bool ComputePreviewBlit(const BITMAPINFOHEADER& source, const BITMAPINFOHEADER& output, const RECT& clip, double zoom,
                        SIZE client, PreviewBlit& blit);

// A dropped path is taken only while no run is in progress, nor a stopped one still unwinding.
bool AcceptsDroppedPath(RunState runState, bool playInProgress);

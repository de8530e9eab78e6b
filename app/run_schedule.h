// The numbers of a conversion run: frame and silence sizes, and which frames are drawn.
#pragma once

#include "platform/win/types.h"

#include <cstdint>

// Bytes of one output frame of the header's size (24-bit rows padded to 4 bytes); 0 when a side
// is not positive or the frame could not be held in one buffer.
int OutputFrameBytes(const BITMAPINFOHEADER& header);

// Bytes of silence (48000 Hz, 2 channels, 16 bits) that last one frame at fps / 10000 frames per
// second, rounded and raised to whole sample frames; 0 when the rate gives no block that can be
// held in one buffer (a rate of 0 among them).
int SilenceByteCount(DWORD fps);

// The preview is drawn after every D-th frame; the status strip at least every 30th.
bool ShouldDrawFrame(int index, int dispRate);
bool ShouldDrawStatus(int index, int dispRate);

// The writers take the rate as a positive int.
bool IsUsableFrameRate(DWORD fps);

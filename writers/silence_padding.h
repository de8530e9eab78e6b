// The silence that fills an audio track up to the length of its video, shared by the AVI and
// the WMV writer.
#pragma once

#include "foundation/mem_buff.h"
#include "platform/win/types.h"

#include <cstdint>

// Bytes of PCM silence missing from audioBytes of pcm to last as long as frames video frames at
// rate / scale frames a second: the missing samples, rounded half up and truncated toward zero,
// times the bytes of one sample frame. 0 or negative when the audio is long enough, 0 when a
// count is 0.
//
// A gap of more samples than an int byte count can hold is left unfilled (0): its silence would
// be one block of gigabytes at the end of a run, and clamping it to the largest block would still
// leave the audio short. Such a gap means the audio was never fed, not that it fell behind.
int MissingSilenceBytes(int64_t frames, DWORD scale, DWORD rate, int64_t audioBytes, const WAVEFORMATEX& pcm);

// Hands a zeroed block of bytes to write(data, bytes); nothing happens when bytes is not positive
// or the block cannot be allocated.
template <typename Write>
void WriteSilence(int bytes, Write&& write)
{
    if (bytes <= 0)
        return;
    CMemBuffBase<unsigned char> silence(bytes);
    if (!silence.GetData() || !silence.FillAll(0))
        return;
    write(silence.GetData(), bytes);
}

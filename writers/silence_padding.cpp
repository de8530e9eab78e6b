#include "writers/silence_padding.h"

#include <cmath>
#include <limits>

int MissingSilenceBytes(int64_t frames, DWORD scale, DWORD rate, int64_t audioBytes, const WAVEFORMATEX& pcm)
{
    const int sampleBytes = pcm.wBitsPerSample / 8;
    const int frameBytes = sampleBytes * pcm.nChannels;
    if (rate == 0 || pcm.nSamplesPerSec == 0 || frameBytes == 0)
        return 0;
    const double videoSeconds = static_cast<double>(frames) * scale / rate;
    const double audioSeconds = static_cast<double>(audioBytes) / pcm.nSamplesPerSec / sampleBytes / pcm.nChannels;
    const double missing = pcm.nSamplesPerSec * (videoSeconds - audioSeconds) + 0.5;
    if (!(std::fabs(missing) <= std::numeric_limits<int>::max() / frameBytes))
        return 0;
    return static_cast<int>(missing) * frameBytes;
}

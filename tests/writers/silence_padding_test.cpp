#include "writers/silence_padding.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(MissingSilenceBytes, FillsUpToTheVideoAndLeavesAGapBeyondOneBlockUnfilled)
{
    const struct {
        const char* name;
        int64_t frames;
        DWORD scale;
        DWORD rate;
        int64_t audioBytes;
        DWORD samplesPerSec;
        WORD channels;
        WORD bits;
        int bytes;
    } cases[] = {
        {"1 s of video, 0.5 s of audio", 25, 10000, 250000, 96000, 48000, 2, 16, 96000},
        {"29.97 fps, 3.3367 s against 3.125 s", 100, 10000, 299700, 600000, 48000, 2, 16, 40640},
        {"audio already longer", 100, 10000, 299700, 640800, 48000, 2, 16, -156},
        {"8-bit mono", 3, 1, 2, 1000, 8000, 1, 8, 11000},
        {"no video rate", 100, 10000, 0, 0, 48000, 2, 16, 0},
        {"no channels", 100, 10000, 299700, 0, 48000, 0, 16, 0},
        {"no sample rate", 100, 10000, 299700, 0, 0, 2, 16, 0},
        {"samples under a byte", 100, 10000, 299700, 0, 48000, 2, 4, 0},
        // The largest gap an int byte count holds, and the next frame past it.
        {"gap of 536832000 samples", 11184, 1, 1, 0, 48000, 2, 16, 2147328000},
        {"gap past one block", 11185, 1, 1, 0, 48000, 2, 16, 0},
        {"audio far past the video", 0, 1, 1, int64_t{1} << 40, 48000, 2, 16, 0},
    };
    for (const auto& c : cases) {
        WAVEFORMATEX pcm{};
        pcm.wFormatTag = WAVE_FORMAT_PCM;
        pcm.nSamplesPerSec = c.samplesPerSec;
        pcm.nChannels = c.channels;
        pcm.wBitsPerSample = c.bits;
        EXPECT_EQ(MissingSilenceBytes(c.frames, c.scale, c.rate, c.audioBytes, pcm), c.bytes) << c.name;
    }
}

TEST(WriteSilence, HandsOverAZeroedBlockOnlyForAPositiveCount)
{
    for (const int bytes : {-4, 0, 1, 40640}) {
        int calls = 0;
        WriteSilence(bytes, [&](const void* data, int count) {
            ++calls;
            EXPECT_EQ(count, bytes);
            const auto* p = static_cast<const unsigned char*>(data);
            EXPECT_TRUE(std::all_of(p, p + count, [](unsigned char b) { return b == 0; }));
        });
        EXPECT_EQ(calls, bytes > 0 ? 1 : 0) << bytes;
    }
}

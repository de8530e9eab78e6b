#include "writers/wav_acm.h"

#include "platform/win/text.h"
#include "tests/support/decoded_video.h"
#include "tests/support/path_text.h"
#include "tests/support/test_support.h"
#include "writers/enc_avi2.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace {

WAVEFORMATEX Pcm(DWORD rate, WORD channels, WORD bits)
{
    WAVEFORMATEX f{};
    f.wFormatTag = WAVE_FORMAT_PCM;
    f.nChannels = channels;
    f.nSamplesPerSec = rate;
    f.wBitsPerSample = bits;
    f.nBlockAlign = static_cast<WORD>(channels * bits / 8);
    f.nAvgBytesPerSec = rate * f.nBlockAlign;
    return f;
}

// An IMA ADPCM format with its samples-per-block extra word.
struct ImaFormat {
    WAVEFORMATEX format;
    WORD samplesPerBlock;
};

ImaFormat Ima(DWORD rate, WORD channels, WORD blockAlign)
{
    ImaFormat f{};
    f.format.wFormatTag = WAVE_FORMAT_IMA_ADPCM;
    f.format.nChannels = channels;
    f.format.nSamplesPerSec = rate;
    f.format.wBitsPerSample = 4;
    f.format.nBlockAlign = blockAlign;
    f.format.cbSize = 2;
    f.samplesPerBlock = static_cast<WORD>((blockAlign - 4 * channels) * 8 / (4 * channels) + 1);
    f.format.nAvgBytesPerSec = rate * blockAlign / f.samplesPerBlock;
    return f;
}

std::vector<uint8_t> Tone(size_t bytes)
{
    std::vector<uint8_t> data(bytes);
    for (size_t i = 0; i + 1 < bytes; i += 2) {
        const auto v = static_cast<int16_t>(8000 * std::sin(double(i) / 40.0));
        std::memcpy(&data[i], &v, 2);
    }
    return data;
}

struct Collector {
    std::vector<uint8_t> bytes;
    std::vector<int> calls;
    bool refuse = false;

    static int Take(const void* data, int n, void* context)
    {
        auto* self = static_cast<Collector*>(context);
        if (self->refuse)
            return -1;
        const auto* p = static_cast<const uint8_t*>(data);
        self->bytes.insert(self->bytes.end(), p, p + n);
        self->calls.push_back(n);
        return n;
    }
};

TEST(WavAcm, WithoutATargetPcmPassesThroughUnchanged)
{
    CWavACM acm;
    *acm.GetSourceFormat() = Pcm(44100, 2, 16);
    ASSERT_TRUE(acm.PrepareFormats());
    EXPECT_EQ(acm.GetStreamA(), nullptr);
    const std::vector<uint8_t> data = Tone(1000);
    Collector out;
    EXPECT_EQ(acm.Write(data.data(), 1000, &Collector::Take, &out), 1000);
    EXPECT_EQ(out.bytes, data);
    EXPECT_EQ(acm.GetSourceBytes(), 1000);
    EXPECT_EQ(acm.Write(data.data(), 0, &Collector::Take, &out), 0);
}

TEST(WavAcm, ATargetEqualToThePcmSourceIsDroppedForPassThrough)
{
    CWavACM acm;
    const WAVEFORMATEX pcm = Pcm(22050, 1, 16);
    *acm.GetSourceFormat() = pcm;
    acm.SetTargetFormat(&pcm);
    ASSERT_NE(*acm.GetTargetFormat(), nullptr);
    ASSERT_TRUE(acm.PrepareFormats());
    EXPECT_EQ(*acm.GetTargetFormat(), nullptr);
    EXPECT_EQ(acm.GetOutputFormat(), acm.GetSourceFormat());
}

TEST(WavAcm, WithoutASourceAPcmTargetBecomesTheSource)
{
    CWavACM acm;
    const WAVEFORMATEX pcm = Pcm(8000, 1, 8);
    acm.SetTargetFormat(&pcm);
    ASSERT_TRUE(acm.PrepareFormats());
    EXPECT_EQ(*acm.GetTargetFormat(), nullptr);
    EXPECT_EQ(std::memcmp(acm.GetSourceFormat(), &pcm, sizeof pcm), 0);
}

TEST(WavAcm, NoTargetAndNoSourceFails)
{
    CWavACM acm;
    EXPECT_FALSE(acm.PrepareFormats());
}

TEST(WavAcm, ACompressedTargetWithoutASourceConvertsInOneStageFromTheSuggestedPcm)
{
    CWavACM acm;
    const ImaFormat ima = Ima(22050, 1, 512);
    acm.SetTargetFormat(&ima.format);
    ASSERT_TRUE(acm.PrepareFormats());
    const WAVEFORMATEX expected = Pcm(22050, 1, 16);
    EXPECT_EQ(std::memcmp(acm.GetSourceFormat(), &expected, sizeof expected), 0);
    ASSERT_TRUE(acm.OpenStreams());
    EXPECT_NE(acm.GetStreamA(), nullptr);
    EXPECT_EQ(acm.GetStreamB(), nullptr);

    // 12288 bytes of output are 24 blocks of 1017 samples: 48816 source bytes.
    Collector out;
    const std::vector<uint8_t> small = Tone(1000);
    EXPECT_EQ(acm.Write(small.data(), 1000, &Collector::Take, &out), 1000);
    EXPECT_TRUE(out.calls.empty());
    EXPECT_EQ(acm.GetPendingBytes(), 1000u);

    const std::vector<uint8_t> big = Tone(3 * 48816 + 500);
    EXPECT_EQ(acm.Write(big.data(), static_cast<int>(big.size()), &Collector::Take, &out),
              static_cast<int>(big.size()));
    ASSERT_EQ(out.calls.size(), 3u);
    for (int n : out.calls)
        EXPECT_EQ(n, 12288);
    EXPECT_EQ(acm.GetPendingBytes(), 1500u);

    ASSERT_TRUE(acm.Flush(&Collector::Take, &out));
    EXPECT_EQ(out.calls.back(), 512);
    EXPECT_EQ(out.bytes.size() % 512, 0u);
    acm.Reset();
    EXPECT_EQ(*acm.GetTargetFormat(), nullptr);
    EXPECT_EQ(acm.GetSourceBytes(), 0);
}

TEST(WavAcm, APcmSourceOtherThanTheSuggestedFormatConvertsInTwoStages)
{
    CWavACM acm;
    *acm.GetSourceFormat() = Pcm(22050, 2, 16);
    const ImaFormat ima = Ima(22050, 1, 256);
    acm.SetTargetFormat(&ima.format);
    ASSERT_TRUE(acm.PrepareFormats());
    ASSERT_NE(acm.GetIntermediateFormat(), nullptr);
    const WAVEFORMATEX mono = Pcm(22050, 1, 16);
    EXPECT_EQ(std::memcmp(acm.GetIntermediateFormat(), &mono, sizeof mono), 0);
    ASSERT_TRUE(acm.OpenStreams());
    EXPECT_NE(acm.GetStreamB(), nullptr);

    Collector out;
    const std::vector<uint8_t> data = Tone(200000);
    EXPECT_EQ(acm.Write(data.data(), static_cast<int>(data.size()), &Collector::Take, &out), 200000);
    ASSERT_TRUE(acm.Flush(&Collector::Take, &out));
    // 50000 mono samples make 50000 / 505 blocks, rounded up.
    EXPECT_EQ(out.bytes.size(), static_cast<size_t>((50000 + 504) / 505) * 256);
}

TEST(WavAcm, MsAdpcmTargetsGetWholeBlocks)
{
    WAVEFORMATEX ms{};
    ms.wFormatTag = WAVE_FORMAT_ADPCM;
    ms.nChannels = 2;
    ms.nSamplesPerSec = 44100;
    ms.wBitsPerSample = 4;
    ms.nBlockAlign = 1024;
    ms.nAvgBytesPerSec = 44100 * 1024 / 1012;
    CWavACM acm;
    acm.SetTargetFormat(&ms);
    ASSERT_TRUE(acm.PrepareFormats());
    ASSERT_TRUE(acm.OpenStreams());
    Collector out;
    const std::vector<uint8_t> data = Tone(4 * 1012 * 30);
    EXPECT_EQ(acm.Write(data.data(), static_cast<int>(data.size()), &Collector::Take, &out),
              static_cast<int>(data.size()));
    ASSERT_TRUE(acm.Flush(&Collector::Take, &out));
    // A stereo block holds 1012 sample frames.
    EXPECT_EQ(out.bytes.size(), 30u * 1024);
}

TEST(WavAcm, ACallbackThatRefusesEndsWriteAtOnce)
{
    for (bool converting : {false, true}) {
        CWavACM acm;
        const ImaFormat ima = Ima(22050, 1, 512);
        if (converting) {
            acm.SetTargetFormat(&ima.format);
            ASSERT_TRUE(acm.PrepareFormats());
            ASSERT_TRUE(acm.OpenStreams());
        } else {
            *acm.GetSourceFormat() = Pcm(22050, 1, 16);
            ASSERT_TRUE(acm.PrepareFormats());
        }
        Collector out;
        out.refuse = true;
        const std::vector<uint8_t> data = Tone(100000);
        EXPECT_EQ(acm.Write(data.data(), static_cast<int>(data.size()), &Collector::Take, &out), -1);
    }
}

TEST(WavAcm, AnUnsupportedTargetFailsToOpen)
{
    CWavACM acm;
    WAVEFORMATEX mp3 = Pcm(44100, 2, 16);
    mp3.wFormatTag = 0x55;
    acm.SetTargetFormat(&mp3);
    EXPECT_FALSE(acm.PrepareFormats());
}

TEST(WavAcm, ATargetLongerThanTheKeptBlockClaimsOnlyTheBytesKept)
{
    // A stored format of 273 bytes: IMA ADPCM whose extra part says 255 bytes.
    std::vector<uint8_t> stored(sizeof(WAVEFORMATEX) + 255);
    ImaFormat ima = Ima(22050, 1, 512);
    ima.format.cbSize = 255;
    std::memcpy(stored.data(), &ima, sizeof ima);
    for (size_t i = sizeof ima; i < stored.size(); ++i)
        stored[i] = static_cast<uint8_t>(i);
    CWavACM acm;
    acm.SetTargetFormat(reinterpret_cast<const WAVEFORMATEX*>(stored.data()));
    const WAVEFORMATEX* kept = *acm.GetTargetFormat();
    ASSERT_NE(kept, nullptr);
    const size_t claimed = sizeof(WAVEFORMATEX) + kept->cbSize;
    EXPECT_EQ(claimed, 256u);
    EXPECT_EQ(std::memcmp(reinterpret_cast<const uint8_t*>(kept) + sizeof(WAVEFORMATEX),
                          stored.data() + sizeof(WAVEFORMATEX), claimed - sizeof(WAVEFORMATEX)),
              0);
}

TEST(EncAviAudio, TheAudioIsPaddedWithSilenceToTheVideosLength)
{
    TempFolder folder;
    const std::string path = folder / "audio.avi";
    CEncAVI2 writer;
    const BITMAPINFOHEADER header = MakeDibHeader(16, 16);
    ASSERT_EQ(writer.Create(PathOf(path), &header, 250000), 0);
    *writer.GetConverter()->GetSourceFormat() = Pcm(48000, 2, 16);
    ASSERT_EQ(writer.CreateAudioStream(), 0);
    for (int i = 0; i < 25; ++i)
        ASSERT_EQ(writer.WriteFrame(MakeDibFrame(16, 16, i).data()), 0);
    const std::vector<uint8_t> half(96000, 0);
    EXPECT_EQ(writer.WriteAudio(half.data(), 0), 0);
    EXPECT_EQ(writer.WriteAudio(half.data(), -5), 0);
    ASSERT_EQ(writer.WriteAudio(half.data(), 96000), 0);
    EXPECT_EQ(writer.GetPadBytes(), 96000);
    writer.Close();
    EXPECT_FALSE(writer.HasAudioStream());

    const DecodedVideo video = DecodeVideo(path, false);
    EXPECT_EQ(video.streamCount, 2);
    EXPECT_EQ(video.keyFrames.size(), 25u);
    const std::string text = ReadFileText(path);
    ASSERT_NE(text.find("auds"), std::string::npos);
    uint32_t length = 0;
    std::memcpy(&length, text.data() + text.find("auds") + 32, 4);
    EXPECT_EQ(length, 48000u) << "one second of 4-byte blocks";
}

TEST(EncAviAudio, CloseWithoutAnAudioStreamDropsTheStoredTargetFormat)
{
    CEncAVI2 writer;
    const ImaFormat ima = Ima(22050, 1, 512);
    writer.GetConverter()->SetTargetFormat(&ima.format);
    writer.Close();
    EXPECT_EQ(*writer.GetConverter()->GetTargetFormat(), nullptr);
}

} // namespace

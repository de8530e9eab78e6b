#include "writers/enc_wmv.h"

#include "platform/win/text.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/temp_dir.h"
#include "tests/writers/wmv_file_probe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kRate2997 = 299700;
constexpr int kSilencePerFrame2997 = 6408;

// Bottom-up 24-bit frames: a gradient that moves, and from frame 'noisyFrom' on a noisy band,
// so that frames differ in how hard they are to encode.
class FrameSource {
public:
    FrameSource(int width, int height, int noisyFrom = 1 << 30)
        : m_width(width), m_height(height), m_noisyFrom(noisyFrom)
    {
        m_header.biSize = sizeof(BITMAPINFOHEADER);
        m_header.biWidth = width;
        m_header.biHeight = height;
        m_header.biPlanes = 1;
        m_header.biBitCount = 24;
        m_header.biCompression = BI_RGB;
        m_header.biSizeImage = static_cast<DWORD>(Stride() * height);
        m_pixels.resize(m_header.biSizeImage);
    }

    const BITMAPINFOHEADER& Header() const { return m_header; }
    BITMAPINFOHEADER& Header() { return m_header; }
    int Stride() const { return (m_width * 3 + 3) / 4 * 4; }

    const void* Frame(int n)
    {
        std::mt19937 random(static_cast<unsigned>(n));
        for (int y = 0; y < m_height; ++y) {
            BYTE* row = m_pixels.data() + static_cast<size_t>(y) * Stride();
            const bool noisy = n >= m_noisyFrom && y > m_height / 4 && y < m_height * 3 / 4 && (n / 10) % 2 == 0;
            for (int x = 0; x < m_width; ++x) {
                const BYTE base = static_cast<BYTE>((x + y + n * 3) & 0xFF);
                row[x * 3 + 0] = noisy ? static_cast<BYTE>(random()) : base;
                row[x * 3 + 1] = noisy ? static_cast<BYTE>(random()) : static_cast<BYTE>(y * 2 + n);
                row[x * 3 + 2] = noisy ? static_cast<BYTE>(random()) : static_cast<BYTE>(255 - base);
            }
        }
        return m_pixels.data();
    }

private:
    int m_width;
    int m_height;
    int m_noisyFrom;
    BITMAPINFOHEADER m_header{};
    std::vector<BYTE> m_pixels;
};

// Drives the writer as the conversion run does: one frame's silence after each frame, EndPass
// after each pass, then Close.
void RunConversion(CEncWMVWMA& enc, FrameSource& source, int frames, int silencePerFrame,
                   const std::function<void(int pass)>& afterFrames = {})
{
    const std::vector<BYTE> silence(static_cast<size_t>(silencePerFrame), 0);
    const int passes = enc.IsTwoPass() + 1;
    for (int pass = 0; pass < passes; ++pass) {
        for (int i = 0; i < frames; ++i) {
            ASSERT_EQ(enc.WriteVideo(source.Frame(i)), 0) << "frame " << i << " pass " << pass;
            enc.WriteAudio(silence.data(), silencePerFrame);
        }
        if (afterFrames)
            afterFrames(pass);
        ASSERT_EQ(enc.EndPass(), 0);
    }
    enc.Close();
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string Utf16Bytes(const std::u16string& text, bool bom = true)
{
    std::string bytes;
    if (bom)
        bytes += "\xFF\xFE";
    for (char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

std::u16string U16(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

std::string ProfileText(int width, int height, int videoBitRate, int audioBytesPerSecond, const std::string& extra = "")
{
    std::string text = "<profile version=\"589824\" storageformat=\"1\" name=\"test\">";
    if (audioBytesPerSecond > 0)
        text += "<streamconfig majortype=\"{73647561-0000-0010-8000-00AA00389B71}\" streamnumber=\"1\" "
                "bitrate=\"" +
                std::to_string(audioBytesPerSecond * 8) +
                "\" bufferwindow=\"-1\">"
                "<wmmediatype subtype=\"{00000161-0000-0010-8000-00AA00389B71}\"><waveformatex wFormatTag=\"353\" "
                "nChannels=\"2\" nSamplesPerSec=\"44100\" nAvgBytesPerSec=\"" +
                std::to_string(audioBytesPerSecond) +
                "\" nBlockAlign=\"2973\" wBitsPerSample=\"16\"/></wmmediatype></streamconfig>";
    text += "<streamconfig majortype=\"{73646976-0000-0010-8000-00AA00389B71}\" streamnumber=\"2\" bitrate=\"" +
            std::to_string(videoBitRate) +
            "\" bufferwindow=\"5000\"><videomediaprops maxkeyframespacing=\"80000000\"/>"
            "<wmmediatype subtype=\"{32564D57-0000-0010-8000-00AA00389B71}\"><videoinfoheader><bitmapinfoheader "
            "biwidth=\"" +
            std::to_string(width) + "\" biheight=\"" + std::to_string(height) +
            "\" bicompression=\"WMV2\"/></videoinfoheader></wmmediatype></streamconfig>" + extra + "</profile>";
    return text;
}

class EncWmvTest : public testing::Test {
protected:
    void SetUp() override
    {
        av::QuietLogging();
        ASSERT_TRUE(m_dir.Valid());
        m_baseline = wmf::LiveObjectCount();
    }
    void TearDown() override { EXPECT_EQ(wmf::LiveObjectCount(), m_baseline) << "objects left alive"; }

    CString Path(const char16_t* name) const { return m_dir.Path(name); }
    std::string Native(const char16_t* name) const { return Utf16ToUtf8(Path(name).View()); }
    bool Exists(const char16_t* name) const { return std::filesystem::exists(Native(name)); }

    TempDir m_dir;
    int m_baseline = 0;
};

double Kbps(const StreamProbe& video, int frames, double fps) { return video.bytes * 8.0 / (frames / fps) / 1000.0; }

} // namespace

TEST_F(EncWmvTest, SystemProfilesWriteTheirCodecFrameSizeEveryFrameAndTheirTimes)
{
    const struct {
        int kind;
        int index;
        AVCodecID codec;
        int width;
        int height;
        bool audio;
    } cases[] = {
        {0, 20, AV_CODEC_ID_MSMPEG4V3, 320, 240, true}, // "12. 320x240 (1M)"
        {1, 13, AV_CODEC_ID_WMV1, 640, 480, true}, // "17. 640x480 (1M)"
        {2, 12, AV_CODEC_ID_WMV2, 320, 240, true}, // "14. 320x240 (700K)"
        {2, 6, AV_CODEC_ID_WMV2, 160, 120, false}, // "04. 160x120 (28K)"
        {2, 25, AV_CODEC_ID_WMV2, 320, 240, true}, // "18. 320x240 (VBR Fair)"
    };
    constexpr int kFrames = 12;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " index " << c.index);
        FrameSource source(320, 240);
        CEncWMVWMA enc;
        ASSERT_EQ(enc.CreateProfile(c.kind, c.index, c.index, c.index), 0);
        EXPECT_EQ(enc.HasVideoInput(), FALSE); // the writer's inputs are found when it opens
        ASSERT_EQ(enc.Open(Path(u"out.wmv"), &source.Header(), kRate2997, 48000, 2, 16), 0);
        EXPECT_EQ(enc.HasVideoInput(), TRUE);
        EXPECT_EQ(enc.HasAudioInput(), c.audio ? TRUE : FALSE);
        RunConversion(enc, source, kFrames, kSilencePerFrame2997);

        const FileProbe probe = ProbeFile(Native(u"out.wmv"));
        ASSERT_TRUE(probe.opened);
        EXPECT_EQ(probe.container, "asf");
        const StreamProbe* video = probe.Of(AVMEDIA_TYPE_VIDEO);
        ASSERT_NE(video, nullptr);
        EXPECT_EQ(video->codec, c.codec);
        EXPECT_EQ(video->width, c.width);
        EXPECT_EQ(video->height, c.height);
        ASSERT_EQ(video->timesMs.size(), static_cast<size_t>(kFrames));
        EXPECT_EQ(video->decodedFrames, kFrames);
        EXPECT_EQ(std::vector<int64_t>(video->timesMs.begin(), video->timesMs.begin() + 4),
                  (std::vector<int64_t>{0, 33, 67, 100}));
        const StreamProbe* audio = probe.Of(AVMEDIA_TYPE_AUDIO);
        ASSERT_EQ(audio != nullptr, c.audio);
        if (audio) {
            EXPECT_EQ(audio->codec, AV_CODEC_ID_WMAV2);
            EXPECT_GE(audio->DecodedSeconds(), kFrames / 29.97);
        }
    }
}

TEST_F(EncWmvTest, EndPassFillsTheAudioUpToTheVideo)
{
    FrameSource source(160, 120);
    CEncWMVWMA enc;
    ASSERT_EQ(enc.CreateProfile(2, 0, 0, 12), 0);
    ASSERT_EQ(enc.Open(Path(u"fill.wmv"), &source.Header(), kRate2997, 48000, 2, 16), 0);
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(enc.WriteVideo(source.Frame(i)), 0);
    const std::vector<BYTE> audio(600000, 0);
    ASSERT_EQ(enc.WriteAudio(audio.data(), static_cast<int>(audio.size())), 0);
    // 3.336670 s of video, 3.125 s of audio: 10160 samples of four bytes are missing.
    EXPECT_EQ(enc.GetPadBytes(), 40640);
    ASSERT_EQ(enc.EndPass(), 0);
    EXPECT_EQ(enc.GetPadBytes(), 0);
    EXPECT_EQ(enc.Close(), S_OK);

    const FileProbe probe = ProbeFile(Native(u"fill.wmv"));
    ASSERT_NE(probe.Of(AVMEDIA_TYPE_AUDIO), nullptr);
    EXPECT_GE(probe.Of(AVMEDIA_TYPE_AUDIO)->DecodedSeconds(), 100 / 29.97);
}

TEST_F(EncWmvTest, PadBytesAfterTheApplicationsSilence)
{
    const struct {
        int rate;
        int bytesPerFrame;
        int frames;
        bool negative;
        int pad;
    } cases[] = {
        {kRate2997, kSilencePerFrame2997, 100, true, 0}, // 3.3375 s of audio against 3.33667 s of video
        {239760, 8008, 1000, false, 8}, // 23.976 frames per second leave 2 samples
    };
    for (const auto& c : cases) {
        FrameSource source(32, 32);
        CEncWMVWMA enc;
        ASSERT_EQ(enc.CreateProfile(2, 0, 0, 2), 0); // "07. 208x160 (150K)"
        ASSERT_EQ(enc.Open(Path(u"pad.wmv"), &source.Header(), c.rate, 48000, 2, 16), 0);
        const std::vector<BYTE> silence(static_cast<size_t>(c.bytesPerFrame), 0);
        for (int i = 0; i < c.frames; ++i) {
            ASSERT_EQ(enc.WriteVideo(source.Frame(0)), 0);
            enc.WriteAudio(silence.data(), c.bytesPerFrame);
        }
        if (c.negative) {
            EXPECT_LT(enc.GetPadBytes(), 0);
        } else {
            EXPECT_EQ(enc.GetPadBytes(), c.pad);
        }
        enc.Close();
    }
}

TEST_F(EncWmvTest, VideoOnlyProfileTakesNoAudio)
{
    FrameSource source(160, 120);
    CEncWMVWMA enc;
    ASSERT_EQ(enc.CreateProfile(2, 0, 0, 6), 0);
    ASSERT_EQ(enc.Open(Path(u"video.wmv"), &source.Header(), kRate2997, 48000, 2, 16), 0);
    EXPECT_EQ(enc.HasAudioInput(), FALSE);
    const std::vector<BYTE> silence(6408, 0);
    EXPECT_EQ(enc.WriteAudio(silence.data(), 6408), 0);
    RunConversion(enc, source, 5, kSilencePerFrame2997);
    const FileProbe probe = ProbeFile(Native(u"video.wmv"));
    EXPECT_EQ(probe.Of(AVMEDIA_TYPE_AUDIO), nullptr);
    ASSERT_NE(probe.Of(AVMEDIA_TYPE_VIDEO), nullptr);
    EXPECT_EQ(probe.Of(AVMEDIA_TYPE_VIDEO)->timesMs.size(), 5u);
}

TEST_F(EncWmvTest, SystemProfileIndicesOutsideTheListsFailWith3001)
{
    const struct {
        int kind;
        int v4, v7, v8;
        int result;
    } cases[] = {
        {0, -1, 1, 1, 3001}, {1, 1, -1, 1, 3001}, {2, 1, 1, -1, 3001}, {2, 1, 1, 0, 3001}, {0, 22, 1, 1, 3001},
        {1, 1, 27, 1, 3001}, {2, 1, 1, 28, 3001}, {0, 21, -1, -1, 0},  {1, -1, 26, -1, 0}, {2, -1, -1, 27, 0},
    };
    for (const auto& c : cases) {
        CEncWMVWMA enc;
        EXPECT_EQ(enc.CreateProfile(c.kind, c.v4, c.v7, c.v8), c.result)
            << c.kind << " " << c.v4 << " " << c.v7 << " " << c.v8;
    }
}

TEST_F(EncWmvTest, KindWithoutProfileFailsOpenWith3002)
{
    FrameSource source(160, 120);
    CEncWMVWMA enc;
    EXPECT_EQ(enc.CreateProfile(3, 1, 1, 1), 0);
    EXPECT_EQ(enc.Open(Path(u"none.wmv"), &source.Header(), kRate2997, 48000, 2, 16), 3002);
    enc.Close();
    EXPECT_FALSE(Exists(u"none.wmv"));
}

TEST_F(EncWmvTest, InputOfAnotherTypeFailsOpenWith3002)
{
    const std::string script = "<streamconfig majortype=\"{73636D64-0000-0010-8000-00AA00389B71}\" bitrate=\"1000\"/>";
    WriteBytes(Native(u"script.prx"), Utf16Bytes(U16(ProfileText(320, 240, 300000, 0, script))));
    FrameSource source(160, 120);
    CEncWMVWMA enc;
    ASSERT_EQ(enc.LoadProfile(Path(u"script.prx")), 0);
    EXPECT_EQ(enc.Open(Path(u"script.wmv"), &source.Header(), kRate2997, 48000, 2, 16), 3002);
    enc.Close();
    EXPECT_FALSE(Exists(u"script.wmv"));
}

TEST_F(EncWmvTest, BadProfileFilesFailWith3004AndNothingElseHappens)
{
    const std::string valid = ProfileText(320, 240, 300000, 8000);
    std::string deep = "<profile>";
    for (int i = 0; i < 100000; ++i)
        deep += "<a>";
    const struct {
        const char16_t* name;
        std::string bytes;
    } files[] = {
        {u"ansi.prx", valid},
        {u"utf8bom.prx", "\xEF\xBB\xBF" + valid},
        {u"broken.prx", Utf16Bytes(U16(valid.substr(0, valid.size() / 2)))},
        {u"odd.prx", Utf16Bytes(U16(valid)) + "x"},
        {u"huge.prx", Utf16Bytes(U16(valid + std::string(1200000, ' ')))},
        {u"deep.prx", Utf16Bytes(U16(deep))},
        {u"size.prx", Utf16Bytes(U16(ProfileText(100000, 100000, 300000, 0)))},
        {u"rate.prx", Utf16Bytes(U16(ProfileText(320, 240, 300000, 40000000)))},
        {u"zero.prx", Utf16Bytes(U16(ProfileText(320, 240, 0, 0)))},
        {u"empty.prx", ""},
    };
    // Neither a pipe nor a device is a profile file; neither is read from.
    ASSERT_EQ(mkfifo(Native(u"pipe.prx").c_str(), 0600), 0);
    std::vector<CString> paths = {CString(u""), Path(u"missing.prx"), m_dir.Path(), Path(u"pipe.prx"),
                                  CString(u"/dev/zero")};
    for (const auto& f : files) {
        WriteBytes(Native(f.name), f.bytes);
        paths.push_back(Path(f.name));
    }
    // Far beyond four gigabytes, without the disk space: only the size is ever looked at.
    WriteBytes(Native(u"sparse.prx"), Utf16Bytes(U16(valid)));
    std::filesystem::resize_file(Native(u"sparse.prx"), (5ull << 30) + 2);
    paths.push_back(Path(u"sparse.prx"));

    for (const CString& path : paths) {
        SCOPED_TRACE(Utf16ToUtf8(path.View()));
        CEncWMVWMA enc;
        EXPECT_EQ(enc.LoadProfile(path), 3004);
        EXPECT_EQ(wmf::LiveObjectCount(), m_baseline + 0) << "a profile is held";
    }
    EXPECT_FALSE(Exists(u"out.wmv"));
}

TEST_F(EncWmvTest, ProfileFileWithByteOrderMarkLoads)
{
    WriteBytes(Native(u"good.prx"), Utf16Bytes(U16(ProfileText(320, 240, 300000, 8000))));
    WriteBytes(Native(u"nobom.prx"), Utf16Bytes(U16(ProfileText(320, 240, 300000, 8000)), false));
    CEncWMVWMA enc;
    EXPECT_EQ(enc.LoadProfile(Path(u"good.prx")), 0);
    EXPECT_EQ(enc.LoadProfile(Path(u"nobom.prx")), 0);
}

TEST_F(EncWmvTest, CloseOnANeverOpenedWriterReturns0AndTouchesNothing)
{
    CEncWMVWMA enc;
    EXPECT_EQ(wmf::LiveObjectCount(), m_baseline);
    EXPECT_EQ(enc.Close(), S_OK);
    EXPECT_EQ(wmf::LiveObjectCount(), m_baseline);
    enc.SetTwoPass(TRUE);
    EXPECT_EQ(enc.EndPass(), 0);
    EXPECT_EQ(enc.IsTwoPass(), FALSE);
}

TEST_F(EncWmvTest, SecondOpenWithoutCloseChangesNothing)
{
    FrameSource source(160, 120);
    FrameSource other(320, 240);
    CEncWMVWMA enc;
    ASSERT_EQ(enc.CreateProfile(2, 0, 0, 12), 0);
    ASSERT_EQ(enc.Open(Path(u"first.wmv"), &source.Header(), kRate2997, 48000, 2, 16), 0);
    ASSERT_EQ(enc.WriteVideo(source.Frame(0)), 0);
    EXPECT_EQ(enc.Open(Path(u"second.wmv"), &other.Header(), 150000, 44100, 1, 8), 0);
    ASSERT_EQ(enc.WriteVideo(source.Frame(1)), 0);
    ASSERT_EQ(enc.WriteVideo(source.Frame(2)), 0);
    ASSERT_EQ(enc.EndPass(), 0);
    EXPECT_EQ(enc.Close(), S_OK);
    EXPECT_FALSE(Exists(u"second.wmv"));
    const FileProbe probe = ProbeFile(Native(u"first.wmv"));
    ASSERT_NE(probe.Of(AVMEDIA_TYPE_VIDEO), nullptr);
    EXPECT_EQ(probe.Of(AVMEDIA_TYPE_VIDEO)->timesMs, (std::vector<int64_t>{0, 33, 67}));
}

TEST_F(EncWmvTest, UnusableFrameFormatsFailOpenWith3003)
{
    const struct {
        const char* what;
        int rate;
        WORD bitCount;
        DWORD compression;
    } cases[] = {
        {"frame rate 0", 0, 24, BI_RGB},
        {"8-bit frames without a palette", kRate2997, 8, BI_RGB},
        {"unknown FourCC", kRate2997, 24, mmioFOURCC('A', 'B', 'C', 'D')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FrameSource source(160, 120);
        source.Header().biBitCount = c.bitCount;
        source.Header().biCompression = c.compression;
        CEncWMVWMA enc;
        ASSERT_EQ(enc.CreateProfile(2, 0, 0, 12), 0);
        EXPECT_EQ(enc.Open(Path(u"bad.wmv"), &source.Header(), c.rate, 48000, 2, 16), 3003);
        EXPECT_EQ(enc.WriteVideo(source.Frame(0)), 3008);
        enc.Close();
    }
}

TEST_F(EncWmvTest, FrameShorterThanItsFormatIsRefusedNotOverread)
{
    FrameSource source(160, 120);
    source.Header().biSizeImage /= 2;
    CEncWMVWMA enc;
    ASSERT_EQ(enc.CreateProfile(2, 0, 0, 12), 0);
    ASSERT_EQ(enc.Open(Path(u"short.wmv"), &source.Header(), kRate2997, 48000, 2, 16), 0);
    EXPECT_EQ(enc.WriteVideo(source.Frame(0)), 3008);
    EXPECT_EQ(enc.WriteVideo(nullptr), 3008);
    enc.Close();
}

TEST_F(EncWmvTest, TwoPassesAnalyseFirstThenWriteEveryFrameOnceNearerTheTarget)
{
    constexpr int kFrames = 150;
    constexpr int kTarget = 1000000;
    WriteBytes(Native(u"two.prx"), Utf16Bytes(U16(ProfileText(320, 240, kTarget, 8000))));
    double rate[2] = {};
    for (int twoPass = 0; twoPass <= 1; ++twoPass) {
        FrameSource source(320, 240, 40);
        const char16_t* name = twoPass ? u"two.wmv" : u"one.wmv";
        CEncWMVWMA enc;
        enc.SetTwoPass(twoPass);
        ASSERT_EQ(enc.LoadProfile(Path(u"two.prx")), 0);
        ASSERT_EQ(enc.Open(Path(name), &source.Header(), kRate2997, 48000, 2, 16), 0);
        EXPECT_EQ(enc.IsTwoPass(), twoPass);
        RunConversion(enc, source, kFrames, kSilencePerFrame2997, [&](int pass) {
            if (twoPass && pass == 0) {
                EXPECT_EQ(std::filesystem::file_size(Native(name)), 0u) << "the analysis pass wrote";
            }
        });
        const FileProbe probe = ProbeFile(Native(name));
        ASSERT_TRUE(probe.opened);
        const StreamProbe* video = probe.Of(AVMEDIA_TYPE_VIDEO);
        ASSERT_NE(video, nullptr);
        ASSERT_EQ(video->timesMs.size(), static_cast<size_t>(kFrames));
        EXPECT_EQ(video->decodedFrames, kFrames);
        for (int i = 0; i < kFrames; ++i)
            ASSERT_EQ(video->timesMs[i], std::llround(i * 1000 / 29.97)) << i;
        ASSERT_NE(probe.Of(AVMEDIA_TYPE_AUDIO), nullptr);
        EXPECT_GE(probe.Of(AVMEDIA_TYPE_AUDIO)->DecodedSeconds(), kFrames / 29.97);
        rate[twoPass] = Kbps(*video, kFrames, 29.97);
    }
    std::printf("video target %d kbps: one pass %.1f kbps, two passes %.1f kbps\n", kTarget / 1000, rate[0], rate[1]);
    EXPECT_LT(std::abs(rate[1] - kTarget / 1000.0), std::abs(rate[0] - kTarget / 1000.0));
}

TEST_F(EncWmvTest, QualityProfilesGiveSmallerCoarserFilesAsTheQualityFalls)
{
    struct Quality {
        const char* name;
        int systemIndex; // of version 8; 0 for a profile file
        int fileQuality;
    };
    // Each series from the finest quality to the coarsest.
    const std::vector<std::vector<Quality>> series = {
        {{"20. 320x240 (VBR Best)", 27, 0}, {"19. 320x240 (VBR High)", 26, 0}, {"18. 320x240 (VBR Fair)", 25, 0}},
        {{"file vbrquality 90", 0, 90}, {"file vbrquality 50", 0, 50}, {"file vbrquality 10", 0, 10}},
    };
    constexpr int kFrames = 12;
    for (const std::vector<Quality>& qualities : series) {
        int64_t previousBytes = INT64_MAX;
        double previousQuantiser = 0;
        for (const Quality& q : qualities) {
            SCOPED_TRACE(q.name);
            FrameSource source(320, 240, 0);
            CEncWMVWMA enc;
            if (q.systemIndex > 0) {
                ASSERT_EQ(enc.CreateProfile(2, 0, 0, q.systemIndex), 0);
            } else {
                std::string text = ProfileText(320, 240, 300000, 0);
                const std::string window = "bufferwindow=\"5000\"";
                text.insert(text.rfind(window) + window.size(),
                            " vbrenabled=\"1\" vbrquality=\"" + std::to_string(q.fileQuality) + "\"");
                WriteBytes(Native(u"quality.prx"), Utf16Bytes(U16(text)));
                ASSERT_EQ(enc.LoadProfile(Path(u"quality.prx")), 0);
            }
            ASSERT_EQ(enc.Open(Path(u"quality.wmv"), &source.Header(), kRate2997, 48000, 2, 16), 0);
            RunConversion(enc, source, kFrames, kSilencePerFrame2997);

            const FileProbe probe = ProbeFile(Native(u"quality.wmv"));
            const StreamProbe* video = probe.Of(AVMEDIA_TYPE_VIDEO);
            ASSERT_NE(video, nullptr);
            EXPECT_EQ(video->decodedFrames, kFrames);
            ASSERT_EQ(video->quantisedFrames, kFrames);
            std::printf("%-24s %7lld bytes of video, mean quantiser %.2f\n", q.name,
                        static_cast<long long>(video->bytes), video->MeanQuantiser());
            EXPECT_LT(video->bytes, previousBytes);
            EXPECT_GT(video->MeanQuantiser(), previousQuantiser);
            previousBytes = video->bytes;
            previousQuantiser = video->MeanQuantiser();
        }
    }
}

TEST_F(EncWmvTest, ClosedWithinTheAnalysisPassTheWriterLeavesNoFileAndReportsNoFailure)
{
    WriteBytes(Native(u"two.prx"), Utf16Bytes(U16(ProfileText(320, 240, 500000, 8000))));
    const struct {
        const char* name;
        int stopPass; // the pass that Close ends
        int frames; // written in that pass before Close
    } cases[] = {{"analysis pass", 0, 5}, {"analysis pass, no frame", 0, 0}, {"encoding pass", 1, 3}};
    const std::vector<BYTE> silence(kSilencePerFrame2997, 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // An earlier run's file of the same name goes too.
        WriteBytes(Native(u"stopped.wmv"), "earlier");
        FrameSource source(320, 240);
        CEncWMVWMA enc;
        enc.SetTwoPass(TRUE);
        ASSERT_EQ(enc.LoadProfile(Path(u"two.prx")), 0);
        ASSERT_EQ(enc.Open(Path(u"stopped.wmv"), &source.Header(), kRate2997, 48000, 2, 16), 0);
        for (int pass = 0; pass <= c.stopPass; ++pass) {
            const int frames = pass == c.stopPass ? c.frames : 10;
            for (int i = 0; i < frames; ++i) {
                ASSERT_EQ(enc.WriteVideo(source.Frame(i)), 0);
                enc.WriteAudio(silence.data(), kSilencePerFrame2997);
            }
            if (pass < c.stopPass) {
                ASSERT_EQ(enc.EndPass(), 0);
            }
        }
        EXPECT_TRUE(SUCCEEDED(enc.Close()));
        EXPECT_FALSE(enc.IsTwoPass());
        if (c.stopPass == 0) {
            EXPECT_FALSE(Exists(u"stopped.wmv"));
        } else {
            const FileProbe probe = ProbeFile(Native(u"stopped.wmv"));
            ASSERT_NE(probe.Of(AVMEDIA_TYPE_VIDEO), nullptr);
            EXPECT_EQ(probe.Of(AVMEDIA_TYPE_VIDEO)->decodedFrames, c.frames);
        }
        // The writer is ready for the next run.
        ASSERT_EQ(enc.CreateProfile(2, 0, 0, 12), 0);
        ASSERT_EQ(enc.Open(Path(u"next.wmv"), &source.Header(), kRate2997, 48000, 2, 16), 0);
        RunConversion(enc, source, 2, kSilencePerFrame2997);
        ASSERT_NE(ProbeFile(Native(u"next.wmv")).Of(AVMEDIA_TYPE_VIDEO), nullptr);
        EXPECT_EQ(ProbeFile(Native(u"next.wmv")).Of(AVMEDIA_TYPE_VIDEO)->decodedFrames, 2);
    }
}

TEST_F(EncWmvTest, DestroyingAnOpenWriterReleasesEverything)
{
    FrameSource source(160, 120);
    {
        CEncWMVWMA enc;
        ASSERT_EQ(enc.CreateProfile(2, 0, 0, 12), 0);
        ASSERT_EQ(enc.Open(Path(u"dropped.wmv"), &source.Header(), kRate2997, 48000, 2, 16), 0);
        ASSERT_EQ(enc.WriteVideo(source.Frame(0)), 0);
    }
}

TEST_F(EncWmvTest, CountsTheSystemProfilesOfEachVersion)
{
    EXPECT_EQ(CountSystemProfiles(WMT_VER_4_0), 21u);
    EXPECT_EQ(CountSystemProfiles(WMT_VER_7_0), 26u);
    EXPECT_EQ(CountSystemProfiles(WMT_VER_8_0), 27u);
    EXPECT_EQ(CountSystemProfiles(WMT_VER_9_0), 0u);
}

TEST_F(EncWmvTest, HighFrameRatesKeepEveryFrameAndTheirTimes)
{
    for (int kind = 0; kind <= 2; ++kind) {
        SCOPED_TRACE(kind);
        FrameSource source(160, 120);
        CEncWMVWMA enc;
        ASSERT_EQ(enc.CreateProfile(kind, 20, 9, 12), 0);
        ASSERT_EQ(enc.Open(Path(u"fast.wmv"), &source.Header(), 600000, 48000, 2, 16), 0);
        RunConversion(enc, source, 30, 3200);
        const FileProbe probe = ProbeFile(Native(u"fast.wmv"));
        ASSERT_NE(probe.Of(AVMEDIA_TYPE_VIDEO), nullptr);
        const std::vector<int64_t>& times = probe.Of(AVMEDIA_TYPE_VIDEO)->timesMs;
        ASSERT_EQ(times.size(), 30u);
        EXPECT_EQ(probe.Of(AVMEDIA_TYPE_VIDEO)->decodedFrames, 30);
        EXPECT_EQ(std::vector<int64_t>(times.begin(), times.begin() + 4), (std::vector<int64_t>{0, 17, 33, 50}));
    }
}

// A file whose first send time is below 0 (wrapped to nearly 2^32 ms) makes players skip its
// early pictures: every time in the file is at or after 0, and the first picture is at 0.
TEST_F(EncWmvTest, EveryTimeInTheFileStartsAtOrAfterZeroWithTheFirstPictureAtZero)
{
    const struct {
        int kind;
        int index;
    } cases[] = {{0, 20}, {1, 13}, {2, 12}, {2, 25}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " index " << c.index);
        FrameSource source(160, 120);
        CEncWMVWMA enc;
        ASSERT_EQ(enc.CreateProfile(c.kind, c.index, c.index, c.index), 0);
        ASSERT_EQ(enc.Open(Path(u"times.wmv"), &source.Header(), kRate2997, 44100, 2, 16), 0);
        ASSERT_TRUE(enc.HasAudioInput());
        RunConversion(enc, source, 30, 5888);

        const FileProbe probe = ProbeFile(Native(u"times.wmv"));
        const StreamProbe* video = probe.Of(AVMEDIA_TYPE_VIDEO);
        const StreamProbe* audio = probe.Of(AVMEDIA_TYPE_AUDIO);
        ASSERT_TRUE(video && audio);
        ASSERT_FALSE(video->timesMs.empty());
        EXPECT_EQ(video->timesMs.front(), 0);
        EXPECT_EQ(video->decodedFrames, 30);
        for (const StreamProbe* stream : {video, audio}) {
            ASSERT_FALSE(stream->timesMs.empty());
            EXPECT_GE(*std::min_element(stream->timesMs.begin(), stream->timesMs.end()), 0);
            EXPECT_GE(*std::min_element(stream->decodeTimesMs.begin(), stream->decodeTimesMs.end()), 0);
        }
        const std::vector<uint32_t> sendTimes = AsfSendTimes(Native(u"times.wmv"));
        ASSERT_FALSE(sendTimes.empty());
        EXPECT_EQ(sendTimes.front(), 0u);
        EXPECT_TRUE(std::is_sorted(sendTimes.begin(), sendTimes.end()));
        EXPECT_LE(sendTimes.back(), static_cast<uint32_t>(std::max(video->endMs, audio->endMs)));
    }
}

// A profile whose audio the runtime encodes only in two passes answers one-pass audio writes with
// 814, so the settings switch to two passes; in two passes it writes its audio.
TEST_F(EncWmvTest, AudioThatNeedsTwoPassesRefusesOnePassWritesWith814)
{
    std::string text = ProfileText(160, 120, 300000, 8000);
    text.insert(text.find(" bufferwindow=\"-1\""), " vbrenabled=\"1\"");
    WriteBytes(Native(u"vbr.prx"), Utf16Bytes(U16(text)));
    const std::vector<BYTE> silence(kSilencePerFrame2997, 0);
    FrameSource source(160, 120);
    {
        CEncWMVWMA enc;
        ASSERT_EQ(enc.LoadProfile(Path(u"vbr.prx")), 0);
        ASSERT_EQ(enc.Open(Path(u"one.wmv"), &source.Header(), kRate2997, 48000, 2, 16), 0);
        ASSERT_EQ(enc.WriteVideo(source.Frame(0)), 0);
        EXPECT_EQ(enc.WriteAudio(silence.data(), kSilencePerFrame2997), 814);
        enc.Close();
    }
    CEncWMVWMA enc;
    enc.SetTwoPass(TRUE);
    ASSERT_EQ(enc.LoadProfile(Path(u"vbr.prx")), 0);
    ASSERT_EQ(enc.Open(Path(u"two.wmv"), &source.Header(), kRate2997, 48000, 2, 16), 0);
    RunConversion(enc, source, 30, kSilencePerFrame2997);
    const FileProbe probe = ProbeFile(Native(u"two.wmv"));
    ASSERT_NE(probe.Of(AVMEDIA_TYPE_AUDIO), nullptr);
    EXPECT_GE(probe.Of(AVMEDIA_TYPE_AUDIO)->DecodedSeconds(), 30 / 29.97);
}

// The runtime answers an audio sample it cannot take with a failure other than "two passes
// needed": 809. Here the disk fills up during the run.
TEST_F(EncWmvTest, AudioTheFileCannotTakeFailsWith809)
{
    WriteBytes(Native(u"av.prx"), Utf16Bytes(U16(ProfileText(160, 120, 300000, 8000))));
    const std::vector<BYTE> silence(kSilencePerFrame2997, 0);
    FrameSource source(160, 120);
    CEncWMVWMA enc;
    ASSERT_EQ(enc.LoadProfile(Path(u"av.prx")), 0);
    ASSERT_EQ(enc.Open(Path(u"full.wmv"), &source.Header(), kRate2997, 48000, 2, 16), 0);
    ASSERT_EQ(enc.WriteVideo(source.Frame(0)), 0);
    int video = 0, audio = 0;
    {
        // The disk fills up while the run goes on as the conversion drives it.
        FileSizeLimit full(std::filesystem::file_size(Native(u"full.wmv")) + 4096);
        for (int i = 1; i < 1800 && video == 0 && audio == 0; ++i) {
            video = enc.WriteVideo(source.Frame(i));
            if (video == 0)
                audio = enc.WriteAudio(silence.data(), kSilencePerFrame2997);
        }
        EXPECT_TRUE(video == 3008 || audio == 809) << video << " " << audio;
        EXPECT_EQ(enc.WriteAudio(silence.data(), kSilencePerFrame2997), 809) << "the writer stays failed";
    }
    enc.Close();
}

// A pass asked to end on an input whose analysis is not running fails, 3007 for the video input
// (the two-pass flag and the frame counter kept) and 813 for an audio input: two passes switched
// on only after a one-pass writer was made, or once more after the analysis has ended.
TEST_F(EncWmvTest, EndingAnAnalysisThatIsNotRunningFailsWith3007ForVideoAnd813ForAudio)
{
    struct Case {
        const char* name;
        std::string profile;
        bool analysedFirst;
        int expected;
    };
    std::string audioOnly = ProfileText(160, 120, 300000, 8000);
    const size_t video = audioOnly.find("<streamconfig", audioOnly.find("</streamconfig>"));
    audioOnly.erase(video, audioOnly.find("</profile>") - video);
    const std::string both = ProfileText(160, 120, 300000, 8000);
    const Case cases[] = {
        {"video and audio, one pass", both, false, 3007},
        {"video only, one pass", ProfileText(160, 120, 300000, 0), false, 3007},
        {"audio only, one pass", audioOnly, false, 813},
        {"video and audio, after the analysis", both, true, 3007},
        {"audio only, after the analysis", audioOnly, true, 813},
    };
    const std::vector<BYTE> silence(kSilencePerFrame2997, 0);
    FrameSource source(160, 120);
    for (const Case& c : cases) {
        WriteBytes(Native(u"pass.prx"), Utf16Bytes(U16(c.profile)));
        CEncWMVWMA enc;
        enc.SetTwoPass(c.analysedFirst);
        ASSERT_EQ(enc.LoadProfile(Path(u"pass.prx")), 0) << c.name;
        ASSERT_EQ(enc.Open(Path(u"pass.wmv"), &source.Header(), kRate2997, 48000, 2, 16), 0) << c.name;
        if (c.analysedFirst) {
            for (int i = 0; i < 3; ++i) {
                ASSERT_EQ(enc.WriteVideo(source.Frame(i)), 0) << c.name;
                enc.WriteAudio(silence.data(), kSilencePerFrame2997);
            }
            ASSERT_EQ(enc.EndPass(), 0) << c.name;
        }
        for (int i = 0; i < 3; ++i) {
            ASSERT_EQ(enc.WriteVideo(source.Frame(i)), 0) << c.name;
            enc.WriteAudio(silence.data(), kSilencePerFrame2997);
        }
        enc.SetTwoPass(TRUE);
        EXPECT_EQ(enc.EndPass(), c.expected) << c.name;
        EXPECT_TRUE(enc.IsTwoPass()) << c.name << ": kept for the caller to see";
        enc.SetTwoPass(FALSE);
        EXPECT_EQ(enc.EndPass(), 0) << c.name;
        for (int i = 3; i < 6; ++i)
            ASSERT_EQ(enc.WriteVideo(source.Frame(i)), 0) << c.name << ": the counter went on from 3";
        EXPECT_EQ(enc.Close(), 0) << c.name;
        const FileProbe probe = ProbeFile(Native(u"pass.wmv"));
        if (c.expected == 813) {
            EXPECT_NE(probe.Of(AVMEDIA_TYPE_AUDIO), nullptr) << c.name;
            continue;
        }
        const StreamProbe* video = probe.Of(AVMEDIA_TYPE_VIDEO);
        ASSERT_NE(video, nullptr) << c.name;
        EXPECT_EQ(video->timesMs.size(), 6u) << c.name;
        EXPECT_TRUE(std::adjacent_find(video->timesMs.begin(), video->timesMs.end(), std::greater_equal<int64_t>()) ==
                    video->timesMs.end())
            << c.name << ": times go on rising";
    }
}

// No writer deletes or replaces a folder at its output path: an empty one, one with files, or a
// link to one; Open fails where the file cannot be started (3003) and the folder stays as it was.
TEST_F(EncWmvTest, AFolderAtTheOutputPathIsRefusedAndKept)
{
    m_dir.MakeFolder(u"empty.wmv");
    m_dir.MakeFolder(u"full.wmv");
    m_dir.WriteFile(u"full.wmv/keep.txt", 10);
    std::filesystem::create_directory_symlink(Native(u"full.wmv"), Native(u"link.wmv"));
    FrameSource source(160, 120);
    for (const char16_t* name : {u"empty.wmv", u"full.wmv", u"link.wmv"}) {
        SCOPED_TRACE(Utf16ToUtf8(name));
        CEncWMVWMA enc;
        ASSERT_EQ(enc.CreateProfile(2, 0, 0, 6), 0);
        EXPECT_EQ(enc.Open(Path(name), &source.Header(), kRate2997, 48000, 2, 16), 3003);
        enc.Close();
        EXPECT_TRUE(std::filesystem::is_directory(Native(name)));
    }
    EXPECT_TRUE(std::filesystem::is_symlink(Native(u"link.wmv")));
    EXPECT_EQ(std::filesystem::file_size(Native(u"full.wmv/keep.txt")), 10u);
}

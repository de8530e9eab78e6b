#include "writers/enc_avi2.h"

#include "platform/vfw/compressor_catalogue.h"
#include "platform/vfw/compressor_instance.h"
#include "platform/vfw/vcm.h"
#include "platform/win/heap.h"
#include "platform/win/text.h"
#include "tests/support/decoded_video.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/path_text.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

using vfw::CompressorDescriptor;
using vfw::FindInstalledCompressor;
using vfw::InstalledCompressors;

namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;
constexpr int kRate2997 = 299700;

BITMAPINFOHEADER FrameHeader(int width, int height, WORD bits = 24)
{
    BITMAPINFOHEADER h{};
    h.biSize = sizeof h;
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = bits;
    h.biCompression = BI_RGB;
    h.biSizeImage = static_cast<DWORD>(((width * bits / 8 + 3) & ~3) * height);
    return h;
}

std::string FourCCText(FOURCC f)
{
    return std::string{static_cast<char>(f), static_cast<char>(f >> 8), static_cast<char>(f >> 16),
                       static_cast<char>(f >> 24)};
}

// A writer whose settings start from the defaults, with a chosen compressor.
std::unique_ptr<CEncAVI2> MakeWriter(FOURCC handler)
{
    auto writer = std::make_unique<CEncAVI2>();
    writer->GetSetting()->SetHandler(handler);
    return writer;
}

int WriteFrames(CEncAVI2& writer, const std::string& path, int count, int rate = kRate2997, int width = kWidth,
                int height = kHeight)
{
    const BITMAPINFOHEADER header = FrameHeader(width, height);
    int rc = writer.Create(PathOf(path), &header, rate);
    for (int i = 0; rc == 0 && i < count; ++i)
        rc = writer.WriteFrame(MakeDibFrame(width, height, i).data());
    const int closed = writer.Close();
    return rc != 0 ? rc : closed;
}

struct Expectation {
    bool lossless;
    double psnrFloor;
    // What players see of the default settings' stream: the profile, empty for codecs without.
    const char* profile;
    const char* pixelFormat;
};

const std::map<std::string, Expectation> kExpectations = {
    {"DIB ", {true, 0, "", "bgr24"}},
    {"MJPG", {false, 28, "Baseline", "yuvj420p"}},
    {"HFYU", {true, 0, "", "bgr0"}},
    {"FFV1", {true, 0, "", "bgr0"}},
    {"ULRG", {true, 0, "", "gbrp"}},
    {"MPNG", {true, 0, "", "rgb24"}},
    {"ZMBV", {true, 0, "", "bgr0"}},
    {"MP42", {false, 26, "", "yuv420p"}},
    {"MP43", {false, 26, "", "yuv420p"}},
    {"WMV1", {false, 26, "", "yuv420p"}},
    {"WMV2", {false, 26, "", "yuv420p"}},
    {"XVID", {false, 26, "Simple Profile", "yuv420p"}},
    {"FMP4", {false, 26, "Simple Profile", "yuv420p"}},
    // Not lossless by default: a lossless stream takes High 4:4:4 Predictive, which few players decode.
    {"H264", {false, 26, "High", "yuv420p"}},
    {"MSVC", {false, 24, "", "rgb555le"}},
    {"cvid", {false, 24, "", "rgb24"}},
};

std::vector<FOURCC> CodesToTest()
{
    std::vector<FOURCC> codes{kFourCCUncompressed};
    for (const CompressorDescriptor* d : InstalledCompressors())
        codes.push_back(d->fourcc);
    return codes;
}

class EveryCompressor : public ::testing::TestWithParam<FOURCC> {};

TEST_P(EveryCompressor, WritesOneVideoStreamThatDecodesToTheInputFrames)
{
    const FOURCC code = GetParam();
    const std::string name = FourCCText(code);
    ASSERT_TRUE(kExpectations.count(name)) << name << " has no expectation";
    const Expectation expected = kExpectations.at(name);
    const CompressorDescriptor* descriptor = FindInstalledCompressor(code);

    TempFolder folder;
    const std::string path = folder / "out.avi";
    auto writer = MakeWriter(code);
    constexpr int kFrames = 31;
    ASSERT_EQ(WriteFrames(*writer, path, kFrames), 0);

    RawStreamHeader strh;
    ASSERT_TRUE(ReadFirstStreamHeader(path, strh));
    EXPECT_EQ(strh.fccHandler, code);
    EXPECT_EQ(strh.length, static_cast<uint32_t>(kFrames));

    const DecodedVideo video = DecodeVideo(path);
    ASSERT_TRUE(video.opened);
    EXPECT_EQ(video.streamCount, 1);
    EXPECT_EQ(video.videoStreamCount, 1);
    EXPECT_EQ(video.width, kWidth);
    EXPECT_EQ(video.height, kHeight);
    EXPECT_EQ(video.codecTag, descriptor ? code : BI_RGB);
    EXPECT_EQ(video.profile, expected.profile);
    EXPECT_EQ(video.pixelFormat, expected.pixelFormat);
    ASSERT_EQ(video.keyFrames.size(), static_cast<size_t>(kFrames));
    ASSERT_EQ(video.frames.size(), static_cast<size_t>(kFrames));
    const bool temporal = descriptor && (descriptor->flags & VIDCF_TEMPORAL);
    for (int i = 0; i < kFrames; ++i) {
        EXPECT_EQ(video.keyFrames[i], !temporal || i % 15 == 0) << name << " frame " << i;
        const std::vector<uint8_t> input = TopDownRows(MakeDibFrame(kWidth, kHeight, i), kWidth, kHeight);
        if (expected.lossless)
            EXPECT_TRUE(video.frames[i] == input) << name << " frame " << i << " differs";
        else
            EXPECT_GE(Psnr(video.frames[i], input), expected.psnrFloor) << name << " frame " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Installed, EveryCompressor, ::testing::ValuesIn(CodesToTest()),
                         [](const ::testing::TestParamInfo<FOURCC>& info) {
                             std::string n = FourCCText(info.param);
                             for (char& c : n)
                                 if (c == ' ')
                                     c = '_';
                             return n;
                         });

TEST(EncAvi2, ALowerQualityMakesSmallerFilesForEveryCompressorWithAQualitySetting)
{
    for (const CompressorDescriptor* d : InstalledCompressors()) {
        if (!(d->flags & VIDCF_QUALITY))
            continue;
        TempFolder folder;
        std::uintmax_t sizes[2] = {};
        const int qualities[2] = {100, 10};
        for (int i = 0; i < 2; ++i) {
            auto writer = MakeWriter(d->fourcc);
            writer->GetSetting()->SetQuality(qualities[i]);
            const std::string path = folder / (std::to_string(qualities[i]) + ".avi");
            ASSERT_EQ(WriteFrames(*writer, path, 5, kRate2997, 160, 120), 0);
            sizes[i] = std::filesystem::file_size(path);
        }
        EXPECT_LT(sizes[1] * 10, sizes[0] * 9) << FourCCText(d->fourcc);
    }
}

// A frame this large is compressed in bands joined by restart markers; every frame of the file
// must still come back whole, as close to its input as the default quality promises.
TEST(EncAvi2, MotionJpegFramesCompressedInBandsDecodeToTheirInput)
{
    constexpr int kBandedWidth = 640;
    constexpr int kBandedHeight = 480;
    constexpr int kFrames = 4;
    TempFolder folder;
    const std::string path = folder / "bands.avi";
    auto writer = MakeWriter(mmioFOURCC('M', 'J', 'P', 'G'));
    ASSERT_EQ(WriteFrames(*writer, path, kFrames, kRate2997, kBandedWidth, kBandedHeight), 0);
    const DecodedVideo video = DecodeVideo(path);
    ASSERT_TRUE(video.opened);
    EXPECT_EQ(video.width, kBandedWidth);
    EXPECT_EQ(video.height, kBandedHeight);
    ASSERT_EQ(video.frames.size(), static_cast<size_t>(kFrames));
    for (int i = 0; i < kFrames; ++i) {
        EXPECT_TRUE(video.keyFrames[i]);
        const std::vector<uint8_t> input = TopDownRows(MakeDibFrame(kBandedWidth, kBandedHeight, i), kBandedWidth,
                                                       kBandedHeight);
        EXPECT_GE(Psnr(video.frames[i], input), 35.0) << "frame " << i;
    }
}

TEST(EncAvi2, Ffv1FramesLargeEnoughToBeSlicedComeBackExactlyAcrossKeyFrames)
{
    if (!FindInstalledCompressor(mmioFOURCC('F', 'F', 'V', '1')))
        GTEST_SKIP() << "no FFV1 encoder";
    const struct {
        int width;
        int height;
    } cases[] = {{64, 64}, {330, 190}, {640, 480}};
    constexpr int kFrames = 17;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        TempFolder folder;
        const std::string path = folder / "sliced.avi";
        auto writer = MakeWriter(mmioFOURCC('F', 'F', 'V', '1'));
        ASSERT_EQ(WriteFrames(*writer, path, kFrames, kRate2997, c.width, c.height), 0);
        const DecodedVideo video = DecodeVideo(path);
        ASSERT_EQ(video.frames.size(), static_cast<size_t>(kFrames));
        for (int i = 0; i < kFrames; ++i) {
            EXPECT_EQ(video.keyFrames[i], i % 15 == 0) << "frame " << i;
            EXPECT_TRUE(video.frames[i] == TopDownRows(MakeDibFrame(c.width, c.height, i), c.width, c.height))
                << "frame " << i;
        }
    }
}

TEST(EncAvi2, UncompressedFramesTakeTheStreamPathAndCompressedOnesTheSequentialPath)
{
    TempFolder folder;
    auto dib = MakeWriter(kFourCCUncompressed);
    const BITMAPINFOHEADER header = FrameHeader(kWidth, kHeight);
    ASSERT_EQ(dib->Create(PathOf(folder / "a.avi"), &header, kRate2997), 0);
    EXPECT_FALSE(dib->IsSequential());
    EXPECT_EQ(dib->GetCompVars().hic, nullptr);
    dib->Close();

    auto mjpg = MakeWriter(mmioFOURCC('M', 'J', 'P', 'G'));
    ASSERT_EQ(mjpg->Create(PathOf(folder / "b.avi"), &header, kRate2997), 0);
    EXPECT_TRUE(mjpg->IsSequential());
    EXPECT_NE(mjpg->GetCompVars().hic, nullptr);
    EXPECT_EQ(mjpg->GetCompVars().lQ, 10000);
    EXPECT_EQ(mjpg->GetCompressOptions().dwBytesPerSecond, 300u * 1024);
    EXPECT_EQ(mjpg->GetCompressOptions().dwFlags, 0x0Eu);
}

TEST(EncAvi2, StreamHeaderHoldsScaleTenThousandAndTheRate)
{
    struct Case {
        int rate;
    };
    for (const Case c : {Case{299700}, Case{100000}}) {
        TempFolder folder;
        const std::string path = folder / "rate.avi";
        auto writer = MakeWriter(kFourCCUncompressed);
        ASSERT_EQ(WriteFrames(*writer, path, 3, c.rate), 0);
        RawStreamHeader strh;
        ASSERT_TRUE(ReadFirstStreamHeader(path, strh));
        EXPECT_EQ(strh.fccType, streamtypeVIDEO);
        EXPECT_EQ(strh.scale, 10000u);
        EXPECT_EQ(strh.rate, static_cast<uint32_t>(c.rate));
        EXPECT_EQ(strh.quality, 0xFFFFFFFFu);
        EXPECT_EQ(strh.fccHandler, kFourCCUncompressed);
        EXPECT_EQ(strh.suggestedBufferSize, FrameHeader(kWidth, kHeight).biSizeImage);
    }
}

bool AllZero(const void* p, size_t n)
{
    const auto* b = static_cast<const uint8_t*>(p);
    return std::all_of(b, b + n, [](uint8_t v) { return v == 0; });
}

void ExpectClosed(const CEncAVI2& writer)
{
    EXPECT_FALSE(writer.IsFileOpen());
    EXPECT_EQ(writer.GetFramePosition(), 0);
    EXPECT_TRUE(AllZero(&writer.GetFrameHeader(), sizeof(BITMAPINFOHEADER)));
    EXPECT_TRUE(AllZero(&writer.GetStreamInfo(), sizeof(AVISTREAMINFOW)));
    EXPECT_TRUE(AllZero(&writer.GetCompVars(), sizeof(COMPVARS)));
    EXPECT_TRUE(AllZero(&writer.GetCompressOptions(), sizeof(AVICOMPRESSOPTIONS)));
}

TEST(EncAvi2, CloseOnANeverOpenedWriterLeavesEverythingZeroAndCanRepeat)
{
    CEncAVI2 writer;
    ExpectClosed(writer);
    EXPECT_EQ(writer.Close(), 0);
    ExpectClosed(writer);
    EXPECT_EQ(writer.Close(), 0);
    ExpectClosed(writer);
}

TEST(EncAvi2, CloseAfterAFailedCreateReleasesWhatWasMade)
{
    TempFolder folder;
    auto writer = MakeWriter(mmioFOURCC('M', 'J', 'P', 'G'));
    const BITMAPINFOHEADER header = FrameHeader(kWidth, kHeight, 32);
    EXPECT_EQ(writer->Create(PathOf(folder / "x.avi"), &header, kRate2997), kErrorAviSequenceStart);
    EXPECT_TRUE(writer->IsFileOpen());
    writer->Close();
    ExpectClosed(*writer);
}

TEST(EncAvi2, AnIndexThatCannotBeWrittenFailsTheCloseWith2006)
{
    constexpr int kFrames = 12;
    for (FOURCC code : {kFourCCUncompressed, mmioFOURCC('M', 'J', 'P', 'G')}) {
        TempFolder folder;
        const std::string path = folder / "full.avi";
        auto writer = MakeWriter(code);
        const BITMAPINFOHEADER header = FrameHeader(kWidth, kHeight);
        ASSERT_EQ(writer->Create(PathOf(path), &header, kRate2997), 0);
        for (int i = 0; i < kFrames; ++i)
            ASSERT_EQ(writer->WriteFrame(MakeDibFrame(kWidth, kHeight, i).data()), 0);
        ASSERT_EQ(writer->FinishFrames(), 0);
        {
            // Every frame is in the file; what Close adds now is the index and the sizes.
            FileSizeLimit full(std::filesystem::file_size(path));
            EXPECT_EQ(writer->Close(), kErrorAviStreamWrite) << FourCCText(code);
        }
        ExpectClosed(*writer);
        // The file lacks its index, yet its frames still decode.
        EXPECT_EQ(DecodeVideo(path).frames.size(), static_cast<size_t>(kFrames)) << FourCCText(code);
        EXPECT_EQ(WriteFrames(*writer, folder / "whole.avi", kFrames), 0) << "with room the file closes well";
    }
}

TEST(EncAvi2, FramesOfAnotherBitDepthFailWith2201)
{
    for (FOURCC code : {kFourCCUncompressed, mmioFOURCC('M', 'J', 'P', 'G')}) {
        TempFolder folder;
        auto writer = MakeWriter(code);
        for (WORD bits : {WORD(8), WORD(16), WORD(32)}) {
            const BITMAPINFOHEADER header = FrameHeader(kWidth, kHeight, bits);
            EXPECT_EQ(writer->Create(PathOf(folder / "x.avi"), &header, kRate2997), kErrorAviSequenceStart)
                << FourCCText(code) << " " << bits;
            writer->Close();
        }
    }
}

TEST(EncAvi2, AnUnwritablePathFailsWith2001)
{
    for (const char* path : {"/nonexistent-folder/out.avi", "/proc/out.avi"}) {
        auto writer = MakeWriter(kFourCCUncompressed);
        const BITMAPINFOHEADER header = FrameHeader(kWidth, kHeight);
        EXPECT_EQ(writer->Create(PathOf(path), &header, kRate2997), kErrorAviFileOpen) << path;
        writer->Close();
        ExpectClosed(*writer);
    }
}

// No writer deletes or replaces a folder at its output path: an empty one, one with files, or a
// link to one; Create refuses it with 2001 and the folder stays as it was.
TEST(EncAvi2, AFolderAtTheOutputPathIsRefusedWith2001AndKept)
{
    TempFolder folder;
    std::filesystem::create_directory(folder / "empty.avi");
    std::filesystem::create_directory(folder / "full.avi");
    WriteFileText(folder / "full.avi/keep.txt", "kept");
    std::filesystem::permissions(folder / "full.avi",
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    std::filesystem::create_directory_symlink(folder / "full.avi", folder / "link.avi");
    for (const char* name : {"empty.avi", "full.avi", "link.avi"}) {
        SCOPED_TRACE(name);
        auto writer = MakeWriter(kFourCCUncompressed);
        const BITMAPINFOHEADER header = FrameHeader(kWidth, kHeight);
        EXPECT_EQ(writer->Create(PathOf(folder / name), &header, kRate2997), kErrorAviFileOpen);
        writer->Close();
        EXPECT_TRUE(std::filesystem::is_directory(folder / name));
    }
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.avi"));
    EXPECT_EQ(ReadFileText(folder / "full.avi/keep.txt"), "kept");
    EXPECT_EQ(std::filesystem::status(folder / "full.avi").permissions() & std::filesystem::perms::owner_write,
              std::filesystem::perms::none)
        << "the folder's permissions are its own";
}

TEST(EncAvi2, AnExistingOutputFileIsReplaced)
{
    TempFolder folder;
    const std::string path = folder / "out.avi";
    WriteFileText(path, std::string(1 << 20, 'x'));
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    auto writer = MakeWriter(mmioFOURCC('M', 'J', 'P', 'G'));
    ASSERT_EQ(WriteFrames(*writer, path, 4), 0);
    EXPECT_LT(std::filesystem::file_size(path), 1u << 20);
    EXPECT_EQ(DecodeVideo(path, false).keyFrames.size(), 4u);
}

TEST(EncAvi2, ASecondRunAfterCloseWritesANewFileFromPositionZero)
{
    TempFolder folder;
    auto writer = MakeWriter(mmioFOURCC('M', 'J', 'P', 'G'));
    ASSERT_EQ(WriteFrames(*writer, folder / "first.avi", 5), 0);
    const BITMAPINFOHEADER header = FrameHeader(32, 16);
    ASSERT_EQ(writer->Create(PathOf(folder / "second.avi"), &header, 100000), 0);
    EXPECT_EQ(writer->GetFramePosition(), 0);
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(writer->WriteFrame(MakeDibFrame(32, 16, i).data()), 0);
    EXPECT_EQ(writer->GetFramePosition(), 3);
    writer->Close();
    const DecodedVideo first = DecodeVideo(folder / "first.avi", false);
    const DecodedVideo second = DecodeVideo(folder / "second.avi", false);
    EXPECT_EQ(first.keyFrames.size(), 5u);
    EXPECT_EQ(second.keyFrames.size(), 3u);
    EXPECT_EQ(second.width, 32);
    EXPECT_EQ(second.height, 16);
}

HGLOBAL StateBlockOf(FOURCC code, DWORD* size)
{
    HIC hic = ICOpen(ICTYPE_VIDEO, code, ICMODE_COMPRESS);
    *size = static_cast<DWORD>(ICSendMessage(hic, ICM_GETSTATE, 0, 0));
    HGLOBAL block = GlobalAlloc(GMEM_FIXED, *size);
    ICSendMessage(hic, ICM_GETSTATE, reinterpret_cast<DWORD_PTR>(block), *size);
    ICClose(hic);
    return block;
}

TEST(EncAvi2, AStoredStateOfTheRightSizeIsRestoredAndPassedOn)
{
    const FOURCC ffv1 = mmioFOURCC('F', 'F', 'V', '1');
    DWORD size = 0;
    HGLOBAL block = StateBlockOf(ffv1, &size);
    auto writer = MakeWriter(ffv1);
    writer->GetSetting()->SetStateSize(static_cast<int>(size));
    writer->GetSetting()->SetState(block);
    TempFolder folder;
    const BITMAPINFOHEADER header = FrameHeader(kWidth, kHeight);
    ASSERT_EQ(writer->Create(PathOf(folder / "x.avi"), &header, kRate2997), 0);
    EXPECT_EQ(writer->GetCompVars().lpState, block);
    EXPECT_EQ(writer->GetCompressOptions().lpParms, block);
    EXPECT_EQ(writer->GetCompressOptions().cbParms, size);
}

TEST(EncAvi2, AStaleStateOfAnotherSizeIsNeitherRestoredNorPassedOn)
{
    DWORD size = 0;
    HGLOBAL block = StateBlockOf(mmioFOURCC('M', 'P', 'N', 'G'), &size);
    auto writer = MakeWriter(mmioFOURCC('M', 'J', 'P', 'G'));
    writer->GetSetting()->SetStateSize(static_cast<int>(size));
    writer->GetSetting()->SetState(block);
    TempFolder folder;
    const std::string path = folder / "x.avi";
    const BITMAPINFOHEADER header = FrameHeader(kWidth, kHeight);
    ASSERT_EQ(writer->Create(PathOf(path), &header, kRate2997), 0);
    EXPECT_EQ(writer->GetCompVars().lpState, nullptr);
    EXPECT_EQ(writer->GetCompressOptions().lpParms, nullptr);
    EXPECT_EQ(writer->GetCompressOptions().cbParms, 0u);
    ASSERT_EQ(writer->WriteFrame(MakeDibFrame(kWidth, kHeight, 0).data()), 0);
    writer->Close();
    EXPECT_EQ(writer->GetSetting()->GetState(), block);
    EXPECT_EQ(DecodeVideo(path).frames.size(), 1u);
}

TEST(EncAvi2, H264IsLosslessOnlyWhenItsSwitchIsOn)
{
    const FOURCC h264 = mmioFOURCC('H', '2', '6', '4');
    const CompressorDescriptor* descriptor = FindInstalledCompressor(h264);
    if (!descriptor)
        GTEST_SKIP() << "no libx264";
    size_t lossless = descriptor->options.size();
    for (size_t i = 0; i < descriptor->options.size(); ++i)
        if (std::string(descriptor->options[i].name) == vfw::kLosslessSwitch)
            lossless = i;
    ASSERT_LT(lossless, descriptor->options.size()) << "the configure box offers lossless frames";
    for (int on : {0, 1}) {
        SCOPED_TRACE(on ? "lossless" : "default");
        vfw::CompressorInstance instance(*descriptor);
        std::vector<int32_t> values = instance.OptionValues();
        EXPECT_EQ(values[lossless], 0) << "off by default";
        values[lossless] = on;
        ASSERT_TRUE(instance.SetOptionValues(values));
        const DWORD size = instance.StateSize();
        HGLOBAL block = GlobalAlloc(GMEM_FIXED, size);
        ASSERT_EQ(instance.GetState(block, size), size);
        auto writer = MakeWriter(h264);
        writer->GetSetting()->SetStateSize(static_cast<int>(size));
        writer->GetSetting()->SetState(block);
        TempFolder folder;
        const std::string path = folder / "x.avi";
        ASSERT_EQ(WriteFrames(*writer, path, 3), 0);
        const DecodedVideo video = DecodeVideo(path);
        ASSERT_EQ(video.frames.size(), 3u);
        EXPECT_EQ(video.profile, on ? "High 4:4:4 Predictive" : "High");
        EXPECT_EQ(video.pixelFormat, "yuv420p");
    }
}

TEST(EncAvi2, AStateOfAnotherCompressorOfTheSameSizeIsRefused)
{
    // HFYU and ZMBV both keep one option, so their blocks have the same size.
    DWORD size = 0;
    HGLOBAL zmbv = StateBlockOf(mmioFOURCC('Z', 'M', 'B', 'V'), &size);
    HIC hfyu = ICOpen(ICTYPE_VIDEO, mmioFOURCC('H', 'F', 'Y', 'U'), ICMODE_COMPRESS);
    ASSERT_EQ(ICSendMessage(hfyu, ICM_GETSTATE, 0, 0), static_cast<LRESULT>(size));
    EXPECT_EQ(ICSendMessage(hfyu, ICM_SETSTATE, reinterpret_cast<DWORD_PTR>(zmbv), size), 0);
    ICClose(hfyu);

    auto writer = MakeWriter(mmioFOURCC('H', 'F', 'Y', 'U'));
    writer->GetSetting()->SetStateSize(static_cast<int>(size));
    writer->GetSetting()->SetState(zmbv);
    TempFolder folder;
    const std::string path = folder / "x.avi";
    ASSERT_EQ(WriteFrames(*writer, path, 2), 0);
    const DecodedVideo video = DecodeVideo(path);
    ASSERT_EQ(video.frames.size(), 2u);
    EXPECT_TRUE(video.frames[1] == TopDownRows(MakeDibFrame(kWidth, kHeight, 1), kWidth, kHeight));
}

} // namespace

TEST(EncAvi2, ACompressorThatIsNotInstalledFailsWith2004AndTheNextRunStillWrites)
{
    TempFolder folder;
    const FOURCC missing = mmioFOURCC('Z', 'Z', 'Z', '9');
    ASSERT_EQ(FindInstalledCompressor(missing), nullptr);
    auto writer = MakeWriter(missing);
    const BITMAPINFOHEADER header = FrameHeader(kWidth, kHeight);
    EXPECT_EQ(writer->Create(PathOf(folder / "missing.avi"), &header, kRate2997), kErrorAviCompressedStream);
    EXPECT_TRUE(writer->IsFileOpen()) << "kept for Close";
    writer->Close();
    ExpectClosed(*writer);
    writer->GetSetting()->SetHandler(kFourCCUncompressed);
    EXPECT_EQ(WriteFrames(*writer, folder / "next.avi", 3), 0);
    EXPECT_EQ(DecodeVideo(folder / "next.avi").frames.size(), 3u);
}

TEST(EncAvi2, ASizeTheCompressorRefusesFailsWith2005AndASizeItTakesWrites)
{
    for (const char* code : {"WMV1", "WMV2", "H264", "cvid", "MSVC"}) {
        const FOURCC fourcc = mmioFOURCC(code[0], code[1], code[2], code[3]);
        if (!FindInstalledCompressor(fourcc)) {
            ADD_FAILURE() << code << " is not installed";
            continue;
        }
        TempFolder folder;
        auto writer = MakeWriter(fourcc);
        const BITMAPINFOHEADER odd = FrameHeader(33, 17);
        EXPECT_EQ(writer->Create(PathOf(folder / "odd.avi"), &odd, kRate2997), kErrorAviSetFormat) << code;
        writer->Close();
        ExpectClosed(*writer);
        EXPECT_EQ(WriteFrames(*writer, folder / "even.avi", 3, kRate2997, 32, 16), 0) << code;
        EXPECT_EQ(DecodeVideo(folder / "even.avi").frames.size(), 3u) << code;
    }
}

// A frame that the compressor gives nothing for fails with 2202; the file keeps the frames written
// before it, and the next frame takes its place.
TEST(EncAvi2, AFrameTheCompressorCannotCompressFailsWith2202AndLosesNoEarlierFrame)
{
    // Motion JPEG compresses frames ahead on other threads; MPEG-4 one by one, in order.
    for (FOURCC code : {mmioFOURCC('M', 'J', 'P', 'G'), mmioFOURCC('M', 'P', '4', '3')}) {
        TempFolder folder;
        const std::string path = folder / "gap.avi";
        auto writer = MakeWriter(code);
        const BITMAPINFOHEADER header = FrameHeader(kWidth, kHeight);
        ASSERT_EQ(writer->Create(PathOf(path), &header, kRate2997), 0) << FourCCText(code);
        ASSERT_TRUE(writer->IsSequential()) << FourCCText(code);
        for (int i = 0; i < 3; ++i)
            ASSERT_EQ(writer->WriteFrame(MakeDibFrame(kWidth, kHeight, i).data()), 0) << FourCCText(code);
        EXPECT_EQ(writer->WriteFrame(nullptr), kErrorAviCompressFrame) << FourCCText(code);
        ASSERT_EQ(writer->WriteFrame(MakeDibFrame(kWidth, kHeight, 3).data()), 0) << FourCCText(code);
        EXPECT_EQ(writer->Close(), 0) << FourCCText(code);
        EXPECT_EQ(DecodeVideo(path).frames.size(), 4u) << FourCCText(code);
    }
}

#include "platform/vfw/avi_muxer.h"

#include "platform/vfw/avifile.h"
#include "platform/win/text.h"
#include "tests/support/decoded_video.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using vfw::AviMuxer;

namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;

AVISTREAMINFOW VideoInfo()
{
    AVISTREAMINFOW info{};
    info.fccType = streamtypeVIDEO;
    info.fccHandler = kFourCCUncompressed;
    info.dwScale = 10000;
    info.dwRate = 299700;
    info.rcFrame = RECT{0, 0, kWidth, kHeight};
    return info;
}

void ExpectFramesDecode(const std::string& path, int frames)
{
    const DecodedVideo video = DecodeVideo(path);
    ASSERT_TRUE(video.opened);
    EXPECT_EQ(video.videoStreamCount, 1);
    ASSERT_EQ(video.frames.size(), static_cast<size_t>(frames));
    for (int i = 0; i < frames; ++i)
        EXPECT_TRUE(video.frames[i] == TopDownRows(MakeDibFrame(kWidth, kHeight, i), kWidth, kHeight)) << "frame " << i;
}

TEST(AviMuxer, PastThePartLimitTheFileContinuesAsOpenDmlAndEveryFrameReadsBack)
{
    TempFolder folder;
    const std::string path = folder / "long.avi";
    // Small parts stand in for the 1 GiB limit, so the test stays quick.
    AviMuxer muxer(200 * 1024);
    ASSERT_TRUE(muxer.Create(path));
    const BITMAPINFOHEADER format = MakeDibHeader(kWidth, kHeight);
    ASSERT_EQ(muxer.AddStream(VideoInfo()), 0);
    ASSERT_TRUE(muxer.SetFormat(0, &format, sizeof format));
    constexpr int kFrames = 100;
    for (int i = 0; i < kFrames; ++i)
        ASSERT_TRUE(muxer.WriteChunk(0, MakeDibFrame(kWidth, kHeight, i).data(), format.biSizeImage, true, 1));
    EXPECT_FALSE(muxer.SetFormat(0, &format, sizeof format));
    ASSERT_TRUE(muxer.Finish());
    EXPECT_GE(muxer.PartCount(), 4);

    const std::string text = ReadFileText(path);
    EXPECT_NE(text.find("AVIX"), std::string::npos);
    EXPECT_NE(text.find("indx"), std::string::npos);
    EXPECT_NE(text.find("ix00"), std::string::npos);
    EXPECT_NE(text.find("dmlh"), std::string::npos);
    EXPECT_NE(text.find("idx1"), std::string::npos);
    ExpectFramesDecode(path, kFrames);
    RawStreamHeader strh;
    ASSERT_TRUE(ReadFirstStreamHeader(path, strh));
    EXPECT_EQ(strh.length, static_cast<uint32_t>(kFrames));
}

TEST(AviMuxer, ASmallFileStaysAPlainAviWithoutOpenDmlParts)
{
    TempFolder folder;
    const std::string path = folder / "short.avi";
    AviMuxer muxer;
    ASSERT_TRUE(muxer.Create(path));
    const BITMAPINFOHEADER format = MakeDibHeader(kWidth, kHeight);
    ASSERT_EQ(muxer.AddStream(VideoInfo()), 0);
    ASSERT_TRUE(muxer.SetFormat(0, &format, sizeof format));
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(muxer.WriteChunk(0, MakeDibFrame(kWidth, kHeight, i).data(), format.biSizeImage, true, 1));
    ASSERT_TRUE(muxer.Finish());
    EXPECT_EQ(muxer.PartCount(), 1);
    const std::string text = ReadFileText(path);
    EXPECT_EQ(text.find("AVIX"), std::string::npos);
    EXPECT_EQ(text.find("indx"), std::string::npos);
    ExpectFramesDecode(path, 3);
}

TEST(AviMuxer, AFileWithNoFramesIsStillAValidAvi)
{
    TempFolder folder;
    const std::string path = folder / "empty.avi";
    AviMuxer muxer;
    ASSERT_TRUE(muxer.Create(path));
    const BITMAPINFOHEADER format = MakeDibHeader(kWidth, kHeight);
    ASSERT_EQ(muxer.AddStream(VideoInfo()), 0);
    ASSERT_TRUE(muxer.SetFormat(0, &format, sizeof format));
    ASSERT_TRUE(muxer.Finish());
    const DecodedVideo video = DecodeVideo(path);
    EXPECT_TRUE(video.opened);
    EXPECT_EQ(video.videoStreamCount, 1);
    EXPECT_TRUE(video.frames.empty());
}

struct ChildReport {
    int framesWritten;
    HRESULT failure;
    int failuresAfterwards;
};

// Writes frames through the file interface until the file size limit stops it, then closes.
ChildReport WriteUntilFull(const std::string& path)
{
    ChildReport report{0, AVIERR_OK, 0};
    PAVIFILE file = nullptr;
    PAVISTREAM stream = nullptr;
    if (AVIFileOpenW(&file, Utf8ToUtf16(path).c_str(), OF_WRITE | OF_CREATE, nullptr) != AVIERR_OK)
        return report;
    const AVISTREAMINFOW info = VideoInfo();
    AVIFileCreateStreamW(file, &stream, &info);
    const BITMAPINFOHEADER format = MakeDibHeader(kWidth, kHeight);
    AVIStreamSetFormat(stream, 0, &format, sizeof format);
    for (int i = 0; i < 1000; ++i) {
        const HRESULT rc = AVIStreamWrite(stream, i, 1, MakeDibFrame(kWidth, kHeight, i).data(),
                                          static_cast<LONG>(format.biSizeImage), AVIIF_KEYFRAME, nullptr, nullptr);
        if (rc != AVIERR_OK) {
            report.failure = rc;
            break;
        }
        ++report.framesWritten;
    }
    for (int i = 0; i < 2; ++i)
        if (AVIStreamWrite(stream, report.framesWritten, 1, MakeDibFrame(kWidth, kHeight, 0).data(),
                           static_cast<LONG>(format.biSizeImage), AVIIF_KEYFRAME, nullptr, nullptr) != AVIERR_OK)
            ++report.failuresAfterwards;
    AVIStreamRelease(stream);
    AVIFileRelease(file);
    return report;
}

TEST(AviFile, AFullDiskFailsTheWriteAndLeavesTheFramesBeforeItReadable)
{
    TempFolder folder;
    const std::string path = folder / "full.avi";
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The size limit makes the disk look full at about 25 frames.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{250000, 250000};
        setrlimit(RLIMIT_FSIZE, &limit);
        const ChildReport report = WriteUntilFull(path);
        const ssize_t n = write(pipeEnds[1], &report, sizeof report);
        _exit(n == sizeof report ? 0 : 1);
    }
    close(pipeEnds[1]);
    ChildReport report{};
    ASSERT_EQ(read(pipeEnds[0], &report, sizeof report), static_cast<ssize_t>(sizeof report));
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));

    EXPECT_EQ(report.failure, AVIERR_FILEWRITE);
    EXPECT_EQ(report.failuresAfterwards, 2);
    EXPECT_GT(report.framesWritten, 10);
    ExpectFramesDecode(path, report.framesWritten);
}

} // namespace

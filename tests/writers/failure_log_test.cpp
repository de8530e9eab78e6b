// A writer that fails leaves its cause on stderr, so an error number in a box can be explained;
// a run that succeeds leaves nothing there.
#include "writers/enc_avi2.h"
#include "writers/enc_wmv.h"

#include "platform/av/av_handles.h"
#include "platform/win/text.h"
#include "tests/support/decoded_video.h"
#include "tests/support/path_text.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;
constexpr int kRate = 299700;

int WriteAvi(const std::string& path, FOURCC handler, int frames)
{
    CEncAVI2 writer;
    writer.GetSetting()->SetHandler(handler);
    const BITMAPINFOHEADER header = MakeDibHeader(kWidth, kHeight);
    int rc = writer.Create(PathOf(path), &header, kRate);
    for (int i = 0; rc == 0 && i < frames; ++i)
        rc = writer.WriteFrame(MakeDibFrame(kWidth, kHeight, i).data());
    writer.Close();
    return rc;
}

int WriteWmv(const std::string& path, int frames)
{
    CEncWMVWMA writer;
    int rc = writer.CreateProfile(2, 0, 0, 12);
    const BITMAPINFOHEADER header = MakeDibHeader(kWidth, kHeight);
    if (rc == 0)
        rc = writer.Open(PathOf(path), &header, kRate, 48000, 2, 16);
    for (int i = 0; rc == 0 && i < frames; ++i)
        rc = writer.WriteVideo(MakeDibFrame(kWidth, kHeight, i).data());
    if (rc == 0)
        rc = writer.EndPass();
    writer.Close();
    return rc;
}

struct WriterRun {
    const char* name;
    std::function<int(const TempFolder&)> write;
    int result;
    const char* logged; // nullptr: nothing may reach stderr
};

} // namespace

TEST(WriterFailureLog, OneLineWithTheCauseOnFailureNothingOnSuccess)
{
    av::QuietLogging();
    const std::string missing = "/nonexistent-folder/out";
    const WriterRun runs[] = {
        {"AVI into a missing folder",
         [&](const TempFolder&) { return WriteAvi(missing + ".avi", kFourCCUncompressed, 1); }, kErrorAviFileOpen,
         "No such file or directory"},
        {"WMV into a missing folder", [&](const TempFolder&) { return WriteWmv(missing + ".wmv", 1); }, kErrorWmvHeader,
         "No such file or directory"},
        {"uncompressed AVI", [](const TempFolder& f) { return WriteAvi(f / "dib.avi", kFourCCUncompressed, 3); }, 0,
         nullptr},
        {"Motion JPEG AVI",
         [](const TempFolder& f) { return WriteAvi(f / "mjpg.avi", mmioFOURCC('M', 'J', 'P', 'G'), 3); }, 0, nullptr},
        {"WMV", [](const TempFolder& f) { return WriteWmv(f / "out.wmv", 3); }, 0, nullptr},
    };
    for (const WriterRun& run : runs) {
        SCOPED_TRACE(run.name);
        TempFolder folder;
        testing::internal::CaptureStderr();
        const int result = run.write(folder);
        const std::string log = testing::internal::GetCapturedStderr();
        EXPECT_EQ(result, run.result);
        if (!run.logged) {
            EXPECT_EQ(log, "");
            continue;
        }
        EXPECT_NE(log.find(run.logged), std::string::npos) << log;
        EXPECT_EQ(log.find('\n'), log.size() - 1) << "one line: " << log;
    }
}

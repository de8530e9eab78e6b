// The program as a process, started as main() starts it and driven by a scripted user
// (scripted_player), under what a hostile machine does to it: a file-size limit, SIGTERM while
// a dialog, a box or a run is open, a folder of pictures far larger than they are on disk.
#include "image/packed_dib.h"
#include "image/res_img_file.h"
#include "tests/support/address_space_limit.h"
#include "tests/support/decoded_video.h"
#include "tests/support/packbits_claim.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 120;
constexpr int kFrames = 40;
// What the test waits for the program to say or to end before it gives up on it.
constexpr int kGiveUpMs = 60000;
// How long a program asked to end by SIGTERM may take before the test gives up on it.
constexpr int kGiveUpAfterSignalMs = 10000;
// How soon a program asked to end by SIGTERM must be gone; the sanitizers slow every step of it.
#ifdef TORVINA_SHADOW_MEMORY
constexpr double kEndAfterSignalSeconds = 3.0;
#else
constexpr double kEndAfterSignalSeconds = 1.0;
#endif

// The scripted user is left to the process's end, as the program ends the way each case asks; the
// program's own leaks are checked by every other test, not in these runs.
std::string ChildSanitizerOptions()
{
    const char* options = std::getenv("ASAN_OPTIONS");
    return std::string(options ? options : "") + ":detect_leaks=0";
}

void MakeJpegFolder(const TempDir& dir)
{
    CResImgFile writer;
    for (int i = 0; i < kFrames; ++i) {
        DibPtr frame(AcquireFrameBlock(nullptr, kWidth, kHeight));
        BYTE* bits = DibPixels(frame.get());
        for (size_t b = 0; b < DibRowStride(kWidth) * kHeight; ++b)
            bits[b] = static_cast<BYTE>((b * 7 + i * 40) & 0xFF);
        std::u16string name = u"f00.jpg";
        name[1] = static_cast<char16_t>(u'0' + i / 10);
        name[2] = static_cast<char16_t>(u'0' + i % 10);
        ASSERT_EQ(writer.Save(bits, frame.get(), dir.Path(name.c_str()), 90), 1);
    }
}

// One run of the program: what it said, line by line, and how it ended.
struct ProgramEnd {
    std::vector<std::string> lines;
    bool ended = false;
    int exitCode = -1;
    // From the request (the signal) to the end of the process.
    double seconds = 0;
};

class ProgramEndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_images.Valid());
        MakeJpegFolder(m_images);
    }

    std::vector<std::string> Arguments(std::vector<std::string> options) const
    {
        std::vector<std::string> argv = {TORVINA_SCRIPTED_PLAYER, "--folder", m_images.Native()};
        argv.insert(argv.end(), options.begin(), options.end());
        return argv;
    }

    // Runs the program to its end; with a hold, sends signal once the program holds there.
    ProgramEnd Run(const std::vector<std::string>& options, const std::string& hold = std::string(), int signal = 0)
    {
        std::vector<std::string> all = options;
        if (!hold.empty())
            all.insert(all.end(), {"--hold", hold});
        ChildProcess program(Arguments(all));
        ProgramEnd end;
        for (std::string line; program.ReadLine(line);) {
            end.lines.push_back(line);
            if (line == "hold " + hold)
                break;
        }
        const auto asked = std::chrono::steady_clock::now();
        if (signal)
            program.Kill(signal);
        end.ended = program.WaitFor(signal ? kGiveUpAfterSignalMs : kGiveUpMs, &end.exitCode);
        end.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - asked).count();
        return end;
    }

    std::string Output(const char* name) const { return m_outputs.Native() + "/" + name; }

    ScopedEnv m_language{"LC_ALL", "C"};
    ScopedEnv m_childSanitizer{"ASAN_OPTIONS", ChildSanitizerOptions().c_str()};
    TempConfigHome m_config;
    TempDir m_images;
    TempDir m_outputs;
};

bool Said(const ProgramEnd& end, const std::string& start)
{
    for (const std::string& line : end.lines)
        if (line.rfind(start, 0) == 0)
            return true;
    return false;
}

std::string Transcript(const ProgramEnd& end)
{
    std::string text;
    for (const std::string& line : end.lines)
        text += line + "\n";
    return text;
}

// A file-size limit makes a write fail as a full disk does: the run ends with the writer's error
// and a file that holds the frames before it, instead of the program dying of the limit's signal.
TEST_F(ProgramEndTest, AFileSizeLimitEndsTheRunWithAnErrorAndAFinishedFile)
{
    // Uncompressed 160 x 120 frames: the limit cuts the AVI file at its sixth frame or so.
    const ProgramEnd avi = Run({"--avi", Output("out.avi"), "--file-size-limit", "350000"});
    ASSERT_TRUE(avi.ended);
    EXPECT_EQ(avi.exitCode, 0) << "ended normally, not by the limit's signal\n" << Transcript(avi);
    EXPECT_TRUE(Said(avi, "box Error No.2006|")) << Transcript(avi);
    const DecodedVideo video = DecodeVideo(Output("out.avi"));
    RawStreamHeader header;
    ASSERT_TRUE(ReadFirstStreamHeader(Output("out.avi"), header));
    EXPECT_GE(video.frames.size(), 3u);
    EXPECT_LT(video.frames.size(), static_cast<size_t>(kFrames));
    EXPECT_EQ(header.length, video.frames.size()) << "the file was finished";

    const ProgramEnd wmv = Run({"--wmv", Output("out.wmv"), "--file-size-limit", "40000"});
    ASSERT_TRUE(wmv.ended);
    EXPECT_EQ(wmv.exitCode, 0) << "ended normally, not by the limit's signal\n" << Transcript(wmv);
    EXPECT_TRUE(Said(wmv, "box Error No.")) << Transcript(wmv);
    EXPECT_FALSE(Said(wmv, "box It preserved")) << "a file cut short is not announced as saved";
    EXPECT_GE(DecodeVideo(Output("out.wmv")).frames.size(), 1u) << "what was written stays readable";
}

struct TermCase {
    const char* phase;
    // The AVI file exists and is finished.
    bool aviWritten;
};

class ProgramTermTest : public ProgramEndTest, public ::testing::WithParamInterface<TermCase> {};

// SIGTERM ends the program within a second whatever it shows: the dialog or box is closed as
// cancelled, a run stops and its file is finished, the settings are saved, and no box waits.
TEST_P(ProgramTermTest, SigtermEndsTheProgramWithinASecond)
{
    const TermCase c = GetParam();
    const ProgramEnd end = Run({"--avi", Output("out.avi"), "--codec", "MJPG"}, c.phase, SIGTERM);
    ASSERT_TRUE(Said(end, std::string("hold ") + c.phase)) << Transcript(end);
    ASSERT_TRUE(end.ended) << "still running " << kGiveUpAfterSignalMs << " ms after SIGTERM";
    EXPECT_EQ(end.exitCode, 0);
    EXPECT_LT(end.seconds, kEndAfterSignalSeconds);
    EXPECT_TRUE(std::filesystem::exists(m_config.RegistryFile())) << "the settings were saved";
    EXPECT_NE(ReadFileText(m_config.RegistryFile()).find("\"fps\"=dword:000492b4"), std::string::npos)
        << "the frame rate, 29.97 frames a second";
    if (c.aviWritten) {
        const DecodedVideo video = DecodeVideo(Output("out.avi"));
        RawStreamHeader header;
        ASSERT_TRUE(ReadFirstStreamHeader(Output("out.avi"), header));
        EXPECT_GE(video.frames.size(), 1u);
        EXPECT_EQ(header.length, video.frames.size()) << "the file was finished";
    } else {
        EXPECT_FALSE(std::filesystem::exists(Output("out.avi"))) << "the run never started";
    }
}

INSTANTIATE_TEST_SUITE_P(Phases, ProgramTermTest,
                         ::testing::Values(TermCase{"avi-path", false}, TermCase{"avi-settings", false},
                                           TermCase{"run", true}, TermCase{"saved", true}),
                         [](const ::testing::TestParamInfo<TermCase>& info) {
                             std::string name = info.param.phase;
                             for (char& ch : name)
                                 if (ch == '-')
                                     ch = '_';
                             return name;
                         });

// A number the program said as "<name> <number>"; 0 when it did not.
uint64_t SaidNumber(const ProgramEnd& end, const std::string& name)
{
    for (const std::string& line : end.lines)
        if (line.rfind(name + " ", 0) == 0)
            return std::strtoull(line.c_str() + name.size() + 1, nullptr, 10);
    return 0;
}

// A folder of small files that claim pictures larger than the read-ahead ring: the run reads
// them one at a time, each into the one frame block, so it holds little more than one frame.
TEST_F(ProgramEndTest, ARunOverAFolderOfHugePicturesHoldsOneAtATime)
{
    if (!kResidentPeakIsTheProgramsOwn)
        GTEST_SKIP() << "the sanitizer's shadow memory is resident beside the program's";
    constexpr uint32_t kHugeWidth = 6000;
    constexpr uint32_t kHugeHeight = 15000; // 270 MB a frame, above the ring's 256 MB
    TempDir folder;
    const std::vector<uint8_t> claim = PackBitsClaim(kHugeWidth, kHugeHeight);
    ASSERT_LT(claim.size(), 1000u);
    for (const char* name : {"a.tif", "b.tif", "c.tif", "d.tif"})
        WriteFileText(folder.Native() + "/" + name, std::string(claim.begin(), claim.end()));
    ChildProcess program({TORVINA_SCRIPTED_PLAYER, "--folder", folder.Native(), "--input", "tif"});
    ProgramEnd end;
    for (std::string line; program.ReadLine(line);)
        end.lines.push_back(line);
    ASSERT_TRUE(program.WaitFor(kGiveUpMs, &end.exitCode));
    EXPECT_EQ(end.exitCode, 0);
    EXPECT_FALSE(Said(end, "box")) << "every picture loaded\n" << Transcript(end);
    const uint64_t frameBytes = DibPixelAreaBytes(kHugeWidth, kHugeHeight);
    const uint64_t before = SaidNumber(end, "resident");
    const uint64_t peak = SaidNumber(end, "peak");
    ASSERT_GT(before, 0u) << Transcript(end);
    ASSERT_GT(peak, before) << Transcript(end);
    EXPECT_LT(peak - before, frameBytes + (uint64_t{100} << 20)) << "peak " << peak << ", before " << before;
}

} // namespace

#include "tests/app/recording_host.h"

#include "app/output_paths.h"
#include "image/packed_dib.h"
#include "tests/support/decoded_video.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_support.h"
#include "workers/part_pool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>

namespace {

using Log = std::vector<std::string>;

class ConversionRunTest : public ::testing::Test {
protected:
    // Messages in English, whatever the machine's language.
    ScopedEnv m_language{"LC_ALL", "C"};
    TempConfigHome m_config;
};

std::string Saved(const char* path)
{
    return std::string("saved box It preserved it in the following files. \n") + path;
}

TEST_F(ConversionRunTest, SlideShowWalksTheFolderOnceAndEndsWithoutWritersOrBoxes)
{
    RecordingHost host(3);
    host.Play();
    const Log expected = {
        "show 0",        "draw frame 0", "draw status 0", "pump",         "show 1",        "draw frame 1",
        "draw status 1", "pump",         "show 2",        "draw frame 2", "draw status 2", "wmv end pass",
        "beep",          "avi close",    "wmv close",     "invalidate",
    };
    EXPECT_EQ(host.log, expected) << "no pump after the last frame; EndPass and both Close calls still made";
    EXPECT_EQ(host.state, RunState::Stopped);
    EXPECT_EQ(host.modifiedChanges, (std::vector<BOOL>{TRUE, FALSE}));
    EXPECT_FALSE(host.run.InProgress());
}

TEST_F(ConversionRunTest, DrawsThePreviewAndTheStatusStripAtTheDisplayRate)
{
    struct Case {
        int dispRate;
        std::vector<int> frames;
        std::vector<int> status;
    };
    std::vector<int> every(100);
    for (int i = 0; i < 100; ++i)
        every[i] = i;
    const Case cases[] = {
        {1, every, every},
        {30, {29, 59, 89}, {29, 59, 89}},
        {10000, {}, {29, 59, 89}},
    };
    for (const Case& c : cases) {
        RecordingHost host(100);
        host.dispRate = c.dispRate;
        host.Play();
        std::vector<int> frames, status;
        for (const std::string& e : host.Entries("draw frame "))
            frames.push_back(std::stoi(e.substr(11)));
        for (const std::string& e : host.Entries("draw status "))
            status.push_back(std::stoi(e.substr(12)));
        EXPECT_EQ(frames, c.frames) << "D = " << c.dispRate;
        EXPECT_EQ(status, c.status) << "D = " << c.dispRate;
    }
}

TEST_F(ConversionRunTest, PauseWaitsInTheRunAndPlayResumesIt)
{
    RecordingHost host(4);
    host.makeAvi = TRUE;
    host.onPump = [&](int index) {
        if (index == 1)
            host.run.Pause();
    };
    host.onSleep = [&](int sleeps) {
        EXPECT_EQ(host.state, RunState::Paused);
        EXPECT_TRUE(host.run.CanPlay(4)) << "Play is offered while paused";
        if (sleeps == 3)
            host.Play();
    };
    host.Play();
    EXPECT_EQ(host.sleeps, 3);
    EXPECT_EQ(host.Entries("avi frame ").size(), 4u) << "the run carried on after the pause";
    EXPECT_EQ(host.Count("wmv end pass"), 1u);
    const auto firstSleep = std::find(host.log.begin(), host.log.end(), "sleep");
    ASSERT_NE(firstSleep, host.log.end());
    EXPECT_EQ(*(firstSleep - 1), "draw status 1") << "Pause redraws the status strip";
    EXPECT_EQ(*(firstSleep - 2), "pump") << "the pause wait comes after the frame's pump";
    EXPECT_EQ(std::count(firstSleep, host.log.end(), "show 2"), 1) << "the next frame only after the wait";
}

TEST_F(ConversionRunTest, StopWhilePausedEndsTheRunWithoutEndPassButWithTheBoxes)
{
    RecordingHost host(5);
    host.makeAvi = TRUE;
    host.makeWmv = TRUE;
    host.onPump = [&](int index) {
        if (index == 1)
            host.run.Pause();
    };
    host.onSleep = [&](int) { host.run.Stop(); };
    host.Play();
    EXPECT_EQ(host.Count("stop question"), 1u) << "an output is on, so Stop asks";
    EXPECT_EQ(host.Count("wmv end pass"), 0u);
    EXPECT_EQ(host.Entries("avi frame ").size(), 2u);
    const Log tail(host.log.end() - 6, host.log.end());
    const Log expectedTail = {"beep",
                              "avi close",
                              "wmv close",
                              Saved("/tmp/torvina-run-test/Enc.avi"),
                              Saved("/tmp/torvina-run-test/Enc.wmv"),
                              "invalidate"};
    EXPECT_EQ(tail, expectedTail);
    EXPECT_EQ(host.state, RunState::Stopped);
}

TEST_F(ConversionRunTest, StopAsksOnlyWithAnOutputAndNoLeavesTheRunGoing)
{
    struct Case {
        BOOL makeAvi;
        BOOL answer;
        size_t questions;
        size_t frames;
    };
    const Case cases[] = {{FALSE, FALSE, 0, 2}, {TRUE, TRUE, 1, 2}, {TRUE, FALSE, 1, 4}};
    for (const Case& c : cases) {
        RecordingHost host(4);
        host.makeAvi = c.makeAvi;
        host.confirmStop = c.answer;
        host.onPump = [&](int index) {
            if (index == 1)
                host.run.Stop();
        };
        host.Play();
        EXPECT_EQ(host.Count("stop question"), c.questions) << "AVI " << c.makeAvi;
        EXPECT_EQ(host.Entries("draw frame ").size(), c.frames) << "AVI " << c.makeAvi << " answer " << c.answer;
    }
}

TEST_F(ConversionRunTest, TwoPassWmvWalksTwiceAndTheAviGetsEveryFrameOnceInTheSecondPass)
{
    RecordingHost host(3);
    host.makeAvi = TRUE;
    host.makeWmv = TRUE;
    host.info.WMV = 3;
    host.info.WMV2PASS = 1;
    std::vector<bool> firstPassShown;
    host.onPump = [&](int) { firstPassShown.push_back(host.run.IsFirstOfTwoPasses()); };
    host.Play();
    const Log writes = [&] {
        Log w;
        for (const std::string& e : host.log)
            if (e.rfind("avi frame", 0) == 0 || e.rfind("wmv video", 0) == 0 || e == "wmv end pass")
                w.push_back(e);
        return w;
    }();
    const Log expected = {"wmv video 0", "wmv video 1", "wmv video 2", "wmv end pass", "avi frame 0", "wmv video 0",
                          "avi frame 1", "wmv video 1", "avi frame 2", "wmv video 2",  "wmv end pass"};
    EXPECT_EQ(writes, expected);
    EXPECT_EQ(host.Count("wmv audio 6408"), 6u) << "silence in both passes";
    EXPECT_EQ(firstPassShown, (std::vector<bool>{true, true, false, false}));
    EXPECT_EQ(host.Count("wmv profile file"), 1u);
}

TEST_F(ConversionRunTest, ResizedFramesReachTheWriterWithZeroRowPadding)
{
    RecordingHost host(1);
    host.makeAvi = TRUE;
    InitBitmapInfoHeader(&host.output, 5, 3); // 15 bytes a row, one pad byte
    // Leave freed memory of the frame's size full of 0xAB, where the allocator hands it out next.
    void* dirty = std::malloc(host.output.biSizeImage);
    std::memset(dirty, 0xAB, host.output.biSizeImage);
    std::free(dirty);
    host.Play();
    ASSERT_EQ(host.avi->lastFrame.size(), host.output.biSizeImage);
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(host.avi->lastFrame[DibRowStride(5) * row + 15], 0) << "row " << row;
}

TEST_F(ConversionRunTest, StopDuringTheFirstOfTwoPassesRunsNoSecondPass)
{
    RecordingHost host(4);
    host.makeAvi = TRUE;
    host.makeWmv = TRUE;
    host.info.WMV = 3;
    host.info.WMV2PASS = 1;
    host.onPump = [&](int index) {
        if (index == 1)
            host.run.Stop();
    };
    host.Play();
    EXPECT_EQ(host.Entries("wmv video ").size(), 2u);
    EXPECT_TRUE(host.Entries("avi frame ").empty());
    EXPECT_EQ(host.Count("wmv end pass"), 0u);
    EXPECT_EQ(host.pass, 1);
}

TEST_F(ConversionRunTest, AStopIsNoFailureAndTheEndNamesOnlyFilesThatHoldFrames)
{
    const struct {
        const char* name;
        int stopPass;
        HRESULT wmvClosed; // what the writer's Close says of that moment
        Log boxes;
    } cases[] = {
        {"in the analysis pass", 1, S_FALSE, {}},
        {"in the encoding pass",
         2,
         S_OK,
         {Saved("/tmp/torvina-run-test/Enc.avi"), Saved("/tmp/torvina-run-test/Enc.wmv")}},
    };
    for (const auto& c : cases) {
        RecordingHost host(4);
        host.makeAvi = TRUE;
        host.makeWmv = TRUE;
        host.info.WMV = 3;
        host.info.WMV2PASS = 1;
        host.wmv->closeResult = c.wmvClosed;
        host.onPump = [&](int index) {
            if (host.pass == c.stopPass && index == 1)
                host.run.Stop();
        };
        host.Play();
        Log boxes;
        for (const std::string& e : host.log)
            if (e.rfind("error box", 0) == 0 || e.rfind("saved box", 0) == 0)
                boxes.push_back(e);
        EXPECT_EQ(boxes, c.boxes) << c.name;
        EXPECT_EQ(host.Count("beep"), 1u) << c.name;
        EXPECT_EQ(host.info.WMV2PASS, 1) << c.name << ": the settings keep two passes";
    }
}

TEST_F(ConversionRunTest, ARunThatWroteNoFrameNamesNoFile)
{
    RecordingHost host(3);
    host.makeAvi = TRUE;
    host.makeWmv = TRUE;
    host.BreakImage(0);
    host.Play();
    EXPECT_EQ(host.Entries("error box ").size(), 1u);
    EXPECT_TRUE(host.Entries("saved box").empty());
}

TEST_F(ConversionRunTest, CancellingADialogStartsNoRunAndClosesBothWriters)
{
    struct Case {
        const char* name;
        std::function<void(RecordingHost&)> cancel;
        Log expected;
    };
    const Log closed = {"avi close", "wmv close"};
    const Case cases[] = {
        {"AVI path",
         [](RecordingHost& h) { h.answerAviPath = false; },
         {"close resize dialog", "ask avi path", "avi close", "wmv close"}},
        {"AVI settings",
         [](RecordingHost& h) { h.aviSettingsResult = 1; },
         {"close resize dialog", "ask avi path", "avi settings", "avi close", "wmv close"}},
        {"WMV path",
         [](RecordingHost& h) { h.answerWmvPath = false; },
         {"close resize dialog", "ask avi path", "avi settings", "ask wmv path", "avi close", "wmv close"}},
        {"WMV settings",
         [](RecordingHost& h) { h.wmvSettingsResult = -2; },
         {"close resize dialog", "ask avi path", "avi settings", "ask wmv path", "wmv settings", "avi close",
          "wmv close"}},
    };
    for (const Case& c : cases) {
        RecordingHost host(3);
        host.makeAvi = TRUE;
        host.makeWmv = TRUE;
        c.cancel(host);
        host.Play();
        EXPECT_EQ(host.log, c.expected) << c.name << ": no box, no beep, no run, no file";
        if (host.run.ReadAhead().Depth() > 0) {
            EXPECT_GT(host.readAheadAtFirstQuestion, 0) << c.name << ": the first frames are read while it asks";
        }
        EXPECT_TRUE(host.modifiedChanges.empty()) << c.name;
        EXPECT_EQ(host.state, RunState::Stopped) << c.name;
    }
}

TEST_F(ConversionRunTest, AnImageThatFailsToLoadEndsTheRunWithTheErrorBoxAndTheSavedBox)
{
    RecordingHost host(5);
    host.makeAvi = TRUE;
    host.BreakImage(2);
    host.Play();
    const Log tail(host.log.end() - 7, host.log.end());
    const Log expected = {"no frame 2", "error box Error No.0601: Error No.0601\n\nThe picture file doesn't open.",
                          "beep",       "avi close",
                          "wmv close",  Saved("/tmp/torvina-run-test/Enc.avi"),
                          "invalidate"};
    EXPECT_EQ(tail, expected) << "no EndPass after an error";
    EXPECT_EQ(host.Entries("avi frame ").size(), 2u);
    EXPECT_FALSE(host.bitsShown) << "the view was told before the box";
    EXPECT_FALSE(host.run.CanPlay(5) && host.bitsShown) << "nothing to play until the folder is listed again";
}

TEST_F(ConversionRunTest, SilenceBlockFollowsTheFrameRateOfEachFrame)
{
    struct Case {
        int fps;
        const char* entry;
    };
    const Case cases[] = {{299700, "wmv audio 6408"}, {300000, "wmv audio 6400"}, {250000, "wmv audio 7680"}};
    for (const Case& c : cases) {
        RecordingHost host(2);
        host.makeWmv = TRUE;
        host.info.fps = c.fps;
        host.Play();
        EXPECT_EQ(host.Count(c.entry), 2u) << c.fps;
        EXPECT_EQ(host.Count("wmv open " + std::to_string(c.fps) + " 48000 2 16"), 1u);
    }
    RecordingHost host(3);
    host.makeWmv = TRUE;
    host.onPump = [&](int index) {
        if (index == 0)
            host.info.fps = 250000;
    };
    host.Play();
    EXPECT_EQ(host.Entries("wmv audio "), (Log{"wmv audio 6408", "wmv audio 7680", "wmv audio 7680"}))
        << "a rate set during the run changes the following frames' silence";
}

TEST_F(ConversionRunTest, FailedAudioWriteIsReportedAndSwitchesTwoPassesOn)
{
    RecordingHost host(3);
    host.makeWmv = TRUE;
    host.info.WMV2PASS = 0;
    host.wmv->audioResult = 814;
    host.Play();
    EXPECT_EQ(host.Entries("error box Error No.0814").size(), 1u);
    EXPECT_EQ(host.Entries("wmv video ").size(), 1u) << "the run ends at the failed frame";
    EXPECT_EQ(host.info.WMV2PASS, 1) << "the next run uses two passes";
}

TEST_F(ConversionRunTest, AWmvFileThatCannotBeFinishedIsReportedInsteadOfSaved)
{
    RecordingHost host(2);
    host.makeAvi = TRUE;
    host.makeWmv = TRUE;
    host.wmv->closeResult = E_FAIL;
    host.Play();
    EXPECT_EQ(host.Count(Saved("/tmp/torvina-run-test/Enc.avi")), 1u);
    EXPECT_TRUE(
        host.Entries("saved box It preserved it in the following files. \n/tmp/torvina-run-test/Enc.wmv").empty());
    EXPECT_EQ(host.Entries("error box Error No.3002").size(), 1u);
}

TEST_F(ConversionRunTest, AnAviFileThatCannotBeFinishedIsReportedInsteadOfSaved)
{
    struct Case {
        const char* name;
        int finishResult;
        int closeResult;
        const char* box;
    };
    const Case cases[] = {
        {"a frame after the last write", 2006, 0, "error box Error No.2006"},
        {"a frame that failed to compress", 2202, 2006, "error box Error No.2202"},
        {"the index or the sizes at the close", 0, 2006, "error box Error No.2006"},
    };
    for (const Case& c : cases) {
        RecordingHost host(3);
        host.makeAvi = TRUE;
        host.avi->finishResult = c.finishResult;
        host.avi->closeResult = c.closeResult;
        host.Play();
        EXPECT_EQ(host.Entries("avi frame ").size(), 3u) << c.name;
        EXPECT_EQ(host.Entries("error box ").size(), 1u) << c.name;
        EXPECT_EQ(host.Entries(c.box).size(), 1u) << c.name;
        EXPECT_EQ(host.Count(Saved("/tmp/torvina-run-test/Enc.avi")), 0u) << c.name;
        EXPECT_EQ(host.Count("avi close"), 1u) << c.name;
    }
}

TEST_F(ConversionRunTest, AFrameThatFailsAheadIsReportedOnceAndTheFileHoldsTheFramesBeforeIt)
{
    if (workers::PartPool::Instance().Threads() < 2)
        GTEST_SKIP() << "one CPU: frames are compressed one by one";
    constexpr int kFrames = 12;
    constexpr int kFailing = 5;
    constexpr int kWidth = 64;
    constexpr int kHeight = 48;
    TempDir dir;
    const std::string path = dir.Native() + "/ahead.avi";
    RecordingHost host(kFrames, kWidth, kHeight);
    host.makeAvi = TRUE;
    host.aviPath = dir.Path(u"ahead.avi");
    // The real writer with a compressor whose frames are compressed ahead.
    auto* writer = new CEncAVI2;
    host.run.AviWriter().Attach(writer);
    host.avi = nullptr;
    writer->GetSetting()->SetHandler(mmioFOURCC('H', 'F', 'Y', 'U'));
    // From frame kFailing on, no frame can be stored, as on a full disk; room comes back once the
    // failure is shown, so the file's ending is written.
    std::optional<FileSizeLimit> full;
    int shownAt = -1;
    host.onPump = [&](int index) {
        if (index == kFailing - 1) {
            ASSERT_EQ(writer->FinishFrames(), 0);
            full.emplace(std::filesystem::file_size(path));
        }
    };
    host.onErrorBox = [&](int index) {
        shownAt = index;
        full.reset();
    };
    host.Play();
    EXPECT_EQ(host.Entries("error box "),
              (Log{"error box Error No.2006: Error No.2006\n\nIt failed because of the writing stream."}))
        << "reported once";
    EXPECT_GE(shownAt, kFailing) << "reported at the failing frame or a few after it";
    EXPECT_EQ(host.Entries("saved box").size(), 1u) << "the file holds frames";
    const DecodedVideo video = DecodeVideo(path);
    ASSERT_EQ(video.frames.size(), static_cast<size_t>(kFailing));
    for (int i = 0; i < kFailing; ++i)
        EXPECT_TRUE(video.frames[static_cast<size_t>(i)] ==
                    TopDownRows(MakeDibFrame(kWidth, kHeight, i), kWidth, kHeight))
            << "frame " << i;
}

TEST_F(ConversionRunTest, OutputsOverAnInputImageOrEachOtherAreRefusedBeforeAnyFileIsCreated)
{
    TempDir dir;
    struct Case {
        const char* name;
        CString avi;
        CString wmv;
        const char* box;
    };
    const Case cases[] = {
        {"AVI over an input", dir.Path(u"0001.jpg"), dir.Path(u"Enc.wmv"), "error box Error No.0604"},
        {"WMV over an input through a dot step", dir.Path(u"Enc.avi"), dir.Path(u"./0002.jpg"),
         "error box Error No.0604"},
        {"WMV over the AVI", dir.Path(u"Enc.avi"), dir.Path(u"sub/../Enc.avi"), "error box Error No.0605"},
    };
    for (const Case& c : cases) {
        RecordingHost host(3);
        host.folder = dir.Path();
        host.images.RemoveAll();
        for (const char16_t* name : {u"0000.jpg", u"0001.jpg", u"0002.jpg"}) {
            dir.WriteFile(name, 10);
            host.images.Add(dir.Path(name));
        }
        dir.MakeFolder(u"sub");
        host.makeAvi = TRUE;
        host.makeWmv = TRUE;
        host.aviPath = c.avi;
        host.wmvPath = c.wmv;
        host.Play();
        EXPECT_EQ(host.Entries(c.box).size(), 1u) << c.name;
        EXPECT_EQ(host.Count("avi open"), 0u) << c.name;
        EXPECT_EQ(host.Count("wmv open 299700 48000 2 16"), 0u) << c.name;
        EXPECT_TRUE(host.Entries("beep").empty()) << c.name;
    }
}

TEST_F(ConversionRunTest, FrameRateThatNoWriterTakesIsRefusedBeforeAnyDialog)
{
    for (int fps : {0, -1}) {
        RecordingHost host(2);
        host.makeAvi = TRUE;
        host.info.fps = fps;
        host.Play();
        EXPECT_EQ(host.log.size(), 4u) << fps;
        EXPECT_EQ(host.Entries("error box Error No.0606").size(), 1u) << fps;
        EXPECT_EQ(host.Count("ask avi path"), 0u) << fps;
    }
}

TEST_F(ConversionRunTest, PlayDoesNothingWhileARunUnwindsOrWithoutAFrame)
{
    RecordingHost host(3);
    int nestedLoads = 0;
    host.onPump = [&](int index) {
        if (index != 0)
            return;
        host.run.Stop();
        EXPECT_FALSE(host.run.CanPlay(3)) << "stopped but still unwinding";
        const size_t before = host.log.size();
        host.Play();
        nestedLoads = static_cast<int>(host.log.size() - before);
    };
    host.Play();
    EXPECT_EQ(nestedLoads, 0);
    EXPECT_TRUE(host.run.CanPlay(3));
    EXPECT_FALSE(host.run.CanPlay(0));

    RecordingHost noFrame(3);
    noFrame.bitsShown = false;
    noFrame.Play();
    EXPECT_TRUE(noFrame.log.empty());

    RecordingHost noFolder(3);
    noFolder.folder = CString();
    noFolder.Play();
    EXPECT_EQ(noFolder.log, (Log{"error box Error No.0602: Error No.0602\n\nPlease specify the input image folder."}));
}

} // namespace

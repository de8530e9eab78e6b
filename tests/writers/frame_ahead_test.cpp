#include "writers/enc_avi2.h"

#include "platform/vfw/compressor_catalogue.h"
#include "platform/vfw/compressor_instance.h"
#include "platform/vfw/frame_ahead_compressor.h"
#include "platform/win/text.h"
#include "tests/support/decoded_video.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/path_text.h"
#include "tests/support/test_support.h"
#include "workers/part_pool.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

using vfw::FindInstalledCompressor;

namespace {

constexpr int kRate = 299700;

// The packets one compressor gives for the frames when called one frame after the other.
std::vector<std::vector<uint8_t>> SequentialPackets(FOURCC code, const COMPVARS& vars, const BITMAPINFOHEADER& header,
                                                    const std::vector<std::vector<uint8_t>>& frames)
{
    vfw::CompressorInstance compressor(*FindInstalledCompressor(code));
    compressor.SetQuality(vars.lQ);
    compressor.SetKeyRate(vars.lKey);
    compressor.SetFrameRate(kRate, 10000);
    std::vector<std::vector<uint8_t>> packets;
    if (!compressor.Begin(&header))
        return packets;
    for (const std::vector<uint8_t>& frame : frames) {
        const uint8_t* data = nullptr;
        size_t bytes = 0;
        bool key = false;
        if (!compressor.Compress(frame.data(), &data, &bytes, &key))
            break;
        packets.emplace_back(data, data + bytes);
    }
    return packets;
}

bool PoolHasWorkers() { return workers::PartPool::Instance().Threads() >= 2; }

} // namespace

TEST(FramesAhead, StandAloneCompressorsWriteExactlyThePacketsOfTheSequentialCalls)
{
    if (!PoolHasWorkers())
        GTEST_SKIP() << "one CPU: frames are compressed one by one";
    const struct {
        FOURCC code;
        int width;
        int height;
    } cases[] = {
        {mmioFOURCC('M', 'J', 'P', 'G'), 320, 240},
        {mmioFOURCC('H', 'F', 'Y', 'U'), 98, 50},
        {mmioFOURCC('U', 'L', 'R', 'G'), 64, 48},
        {mmioFOURCC('M', 'P', 'N', 'G'), 66, 40},
    };
    constexpr int kFrames = 12;
    for (const auto& c : cases) {
        if (!FindInstalledCompressor(c.code))
            continue;
        SCOPED_TRACE(std::string(reinterpret_cast<const char*>(&c.code), 4));
        const BITMAPINFOHEADER header = MakeDibHeader(c.width, c.height);
        std::vector<std::vector<uint8_t>> frames;
        for (int i = 0; i < kFrames; ++i)
            frames.push_back(MakeDibFrame(c.width, c.height, i));

        TempFolder folder;
        const std::string path = folder / "ahead.avi";
        CEncAVI2 writer;
        writer.GetSetting()->SetHandler(c.code);
        ASSERT_EQ(writer.Create(PathOf(path), &header, kRate), 0);
        ASSERT_TRUE(writer.IsSequential());
        const COMPVARS vars = writer.GetCompVars();
        for (int i = 0; i < kFrames; ++i) {
            ASSERT_EQ(writer.WriteFrame(frames[static_cast<size_t>(i)].data()), 0) << i;
            EXPECT_EQ(writer.GetFramePosition(), i + 1) << i;
        }
        ASSERT_EQ(writer.FinishFrames(), 0);
        EXPECT_EQ(writer.GetFramePosition(), kFrames);
        writer.Close();

        const DecodedVideo video = DecodeVideo(path, false);
        const std::vector<std::vector<uint8_t>> expected = SequentialPackets(c.code, vars, header, frames);
        ASSERT_EQ(expected.size(), static_cast<size_t>(kFrames));
        ASSERT_EQ(video.packets.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i)
            EXPECT_TRUE(video.packets[i] == expected[i]) << "frame " << i;
    }
}

TEST(FramesAhead, AFrameThatCannotBeWrittenFailsAWriteOrFinishFrames)
{
    if (!PoolHasWorkers())
        GTEST_SKIP() << "one CPU: frames are compressed one by one";
    const BITMAPINFOHEADER header = MakeDibHeader(96, 64);
    // Past this many frames in flight a write waits for the oldest and so reports its failure.
    const int depth = vfw::FrameAheadCompressor::DepthFor(workers::PartPool::Instance().Threads(), header.biSizeImage);
    const struct {
        bool moreWrites; // else FinishFrames follows the first write
    } cases[] = {{true}, {false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.moreWrites ? "more writes" : "finish");
        TempFolder folder;
        const std::string path = folder / "full.avi";
        CEncAVI2 writer;
        writer.GetSetting()->SetHandler(mmioFOURCC('H', 'F', 'Y', 'U'));
        ASSERT_EQ(writer.Create(PathOf(path), &header, kRate), 0);
        for (int i = 0; i < 3; ++i)
            ASSERT_EQ(writer.WriteFrame(MakeDibFrame(96, 64, i).data()), 0);
        ASSERT_EQ(writer.FinishFrames(), 0);
        {
            // The disk is full from here on: the first frame that reaches the file fails.
            const FileSizeLimit full(std::filesystem::file_size(path));
            int code = writer.WriteFrame(MakeDibFrame(96, 64, 3).data());
            for (int i = 4; code == 0 && c.moreWrites && i <= 3 + depth; ++i)
                code = writer.WriteFrame(MakeDibFrame(96, 64, i).data());
            if (code == 0)
                code = writer.FinishFrames();
            EXPECT_EQ(code, kErrorAviStreamWrite);
            EXPECT_EQ(writer.GetFramePosition(), 3) << "the frames after the failed one are dropped";
            EXPECT_EQ(writer.FinishFrames(), 0) << "nothing is left in flight after a failure";
        }
        // With room again, the next frame goes where the failed one would have gone.
        ASSERT_EQ(writer.WriteFrame(MakeDibFrame(96, 64, 5).data()), 0);
        ASSERT_EQ(writer.FinishFrames(), 0);
        EXPECT_EQ(writer.GetFramePosition(), 4);
        writer.Close();

        const DecodedVideo video = DecodeVideo(path);
        ASSERT_EQ(video.frames.size(), 4u);
        for (int i : {0, 1, 2})
            EXPECT_TRUE(video.frames[static_cast<size_t>(i)] == TopDownRows(MakeDibFrame(96, 64, i), 96, 64)) << i;
        EXPECT_TRUE(video.frames[3] == TopDownRows(MakeDibFrame(96, 64, 5), 96, 64));
    }
}

// The sink is the writer's file: it gets the frames one at a time, in the order given, on the
// pool's threads and never on the caller's, which only copies frames in. A frame it refuses stops
// the frames behind it until Finish reports the failure.
TEST(FramesAhead, TheSinkGetsEachFrameInOrderOffTheCallersThread)
{
    if (!PoolHasWorkers())
        GTEST_SKIP() << "one CPU: frames are compressed one by one";
    const FOURCC code = mmioFOURCC('H', 'F', 'Y', 'U');
    if (!FindInstalledCompressor(code))
        GTEST_SKIP() << "not installed";
    const BITMAPINFOHEADER header = MakeDibHeader(48, 32);
    std::vector<std::vector<uint8_t>> frames;
    for (int i = 0; i < 40; ++i)
        frames.push_back(MakeDibFrame(48, 32, i));
    COMPVARS vars{};
    const std::vector<std::vector<uint8_t>> expected = SequentialPackets(code, vars, header, frames);
    ASSERT_EQ(expected.size(), frames.size());

    const struct {
        const char* name;
        size_t refused; // the frame the sink refuses; frames.size() refuses none
    } cases[] = {{"all kept", 40}, {"the fifth refused", 4}, {"the last refused", 39}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        vfw::CompressorInstance compressor(*FindInstalledCompressor(code));
        compressor.SetQuality(vars.lQ);
        compressor.SetKeyRate(vars.lKey);
        compressor.SetFrameRate(kRate, 10000);
        ASSERT_TRUE(compressor.Begin(&header));
        std::mutex lock;
        std::vector<std::vector<uint8_t>> sunk;
        bool onCaller = false;
        const std::thread::id caller = std::this_thread::get_id();
        auto ahead = vfw::FrameAheadCompressor::Start(compressor, [&](const vfw::EncodedFrame& frame) {
            std::lock_guard<std::mutex> guard(lock);
            onCaller = onCaller || std::this_thread::get_id() == caller;
            if (sunk.size() == c.refused)
                return false;
            sunk.emplace_back(frame.data, frame.data + frame.bytes);
            return true;
        });
        ASSERT_NE(ahead, nullptr);
        size_t added = 0;
        while (added < frames.size() && ahead->Add(frames[added].data()))
            ++added;
        const bool refused = c.refused < frames.size();
        EXPECT_EQ(ahead->Finish(),
                  refused ? vfw::FrameAheadCompressor::Failure::Sink : vfw::FrameAheadCompressor::Failure::None);
        EXPECT_FALSE(onCaller);
        ASSERT_EQ(sunk.size(), refused ? c.refused : frames.size());
        for (size_t i = 0; i < sunk.size(); ++i)
            EXPECT_TRUE(sunk[i] == expected[i]) << "frame " << i;
        if (refused && c.refused + static_cast<size_t>(ahead->Depth()) < frames.size()) {
            EXPECT_LT(added, frames.size()) << "adding stops once the failure is known";
        }
        EXPECT_EQ(ahead->Finish(), vfw::FrameAheadCompressor::Failure::None) << "Finish clears the failure";
    }
}

TEST(FramesAhead, DepthFollowsThePoolWithinTheMemoryBound)
{
    constexpr size_t kFrame1080 = 1920 * 1080 * 3;
    const struct {
        int threads;
        size_t frameBytes;
        int depth;
    } cases[] = {
        {8, kFrame1080, 6}, // a quarter of the threads is left to reading ahead
        {2, kFrame1080, 2},
        {32, kFrame1080, 24},
        {32, size_t{16} << 20, 16}, // 16 frames of 16 MiB fill the bound
        {8, size_t{1} << 30, 2}, // two always overlap, however large the frame
        {1, 100, 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(vfw::FrameAheadCompressor::DepthFor(c.threads, c.frameBytes), c.depth)
            << c.threads << " threads, " << c.frameBytes << " bytes";
}

TEST(FramesAhead, CloseWritesTheFrameStillInFlight)
{
    TempFolder folder;
    const std::string path = folder / "close.avi";
    const BITMAPINFOHEADER header = MakeDibHeader(64, 48);
    CEncAVI2 writer;
    writer.GetSetting()->SetHandler(mmioFOURCC('H', 'F', 'Y', 'U'));
    ASSERT_EQ(writer.Create(PathOf(path), &header, kRate), 0);
    for (int i = 0; i < 5; ++i)
        ASSERT_EQ(writer.WriteFrame(MakeDibFrame(64, 48, i).data()), 0);
    writer.Close();
    EXPECT_EQ(writer.GetFramePosition(), 0);
    const DecodedVideo video = DecodeVideo(path);
    ASSERT_EQ(video.frames.size(), 5u);
    EXPECT_TRUE(video.frames[4] == TopDownRows(MakeDibFrame(64, 48, 4), 64, 48));
}

// A frame's copy is made only when every copy made so far is still in flight: frames written as
// they finish go round the two made at the start, and only frames in flight together open more.
TEST(FramesAhead, SlotsAreOpenedOnlyForFramesInFlightTogether)
{
    if (!PoolHasWorkers())
        GTEST_SKIP() << "one CPU: frames are compressed one by one";
    const BITMAPINFOHEADER header = MakeDibHeader(64, 48);
    vfw::CompressorInstance compressor(*FindInstalledCompressor(mmioFOURCC('H', 'F', 'Y', 'U')));
    ASSERT_TRUE(compressor.Begin(&header));
    // The sink waits at the gate while it is shut: the frames behind stay in flight together.
    std::mutex lock;
    std::condition_variable opened;
    bool shut = false;
    int sunk = 0;
    const std::unique_ptr<vfw::FrameAheadCompressor> ahead = vfw::FrameAheadCompressor::Start(
        compressor, [&](const vfw::EncodedFrame&) {
            std::unique_lock<std::mutex> guard(lock);
            opened.wait(guard, [&] { return !shut; });
            ++sunk;
            return true;
        });
    ASSERT_NE(ahead, nullptr);
    if (ahead->Depth() <= 2)
        GTEST_SKIP() << "a small pool: two slots, both made at the start";
    for (int i = 0; i < 10; ++i) {
        ASSERT_TRUE(ahead->Add(MakeDibFrame(64, 48, i).data()));
        ASSERT_EQ(ahead->Finish(), vfw::FrameAheadCompressor::Failure::None);
    }
    EXPECT_EQ(ahead->Opened(), 2);
    {
        std::lock_guard<std::mutex> guard(lock);
        shut = true;
    }
    for (int i = 0; i < ahead->Depth(); ++i)
        ASSERT_TRUE(ahead->Add(MakeDibFrame(64, 48, i).data())) << i;
    EXPECT_EQ(ahead->Opened(), ahead->Depth());
    {
        std::lock_guard<std::mutex> guard(lock);
        shut = false;
    }
    opened.notify_all();
    EXPECT_EQ(ahead->Finish(), vfw::FrameAheadCompressor::Failure::None);
    EXPECT_EQ(sunk, 10 + ahead->Depth());
}

#include "app/frame_read_ahead.h"

#include "image/res_img_file.h"
#include "platform/afx/message_box_route.h"
#include "platform/win/text.h"
#include "platform/win/ui_types.h"
#include "tests/support/temp_dir.h"
#include "workers/part_pool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kWidth = 37;
constexpr int kHeight = 11;

// Every pixel byte of frame `value` holds value + its row, so a frame shifted or mixed up shows.
BYTE Expected(int value, int row) { return static_cast<BYTE>(value + row); }

void WriteFrame(const CString& path, int value, int width = kWidth, int height = kHeight)
{
    DibPtr frame(AcquireFrameBlock(nullptr, width, height));
    ASSERT_NE(frame, nullptr);
    for (int row = 0; row < height; ++row)
        std::fill_n(DibPixels(frame.get()) + DibRowStride(width) * row, 3 * width, Expected(value, row));
    CResImgFile writer;
    ASSERT_EQ(writer.Save(DibPixels(frame.get()), frame.get(), path, 0), 1);
}

void ExpectFrame(const BITMAPINFOHEADER* frame, int value)
{
    ASSERT_NE(frame, nullptr) << "frame " << value;
    ASSERT_EQ(frame->biWidth, kWidth);
    const BYTE* bits = reinterpret_cast<const BYTE*>(frame) + sizeof(BITMAPINFOHEADER);
    for (int row = 0; row < kHeight; ++row) {
        const BYTE* line = bits + DibRowStride(kWidth) * row;
        ASSERT_EQ(line[0], Expected(value, row)) << "frame " << value << " row " << row;
        ASSERT_EQ(line[3 * kWidth - 1], Expected(value, row)) << "frame " << value << " row " << row;
    }
}

// A folder of numbered BMP files, frame i holding value i.
class Folder {
public:
    explicit Folder(int count)
    {
        for (int i = 0; i < count; ++i) {
            m_paths.Add(Path(i));
            WriteFrame(Path(i), i);
        }
    }
    CString Path(int i) const
    {
        std::u16string name = u"00.bmp";
        name[0] = static_cast<char16_t>(u'0' + i / 10);
        name[1] = static_cast<char16_t>(u'0' + i % 10);
        return m_dir.Path(name.c_str());
    }
    const CStringArray& Paths() const { return m_paths; }
    const TempDir& Dir() const { return m_dir; }

private:
    TempDir m_dir;
    CStringArray m_paths;
};

TEST(FrameReadAheadTest, EveryFrameComesInOrderThroughTheRingsFewBlocks)
{
    constexpr int kCount = 20;
    const Folder folder(kCount);
    for (const int depth : {0, 1, 3, 8}) {
        SCOPED_TRACE(depth);
        CFrameLoader loader;
        CFrameReadAhead ring(depth);
        std::set<const BITMAPINFOHEADER*> blocks;
        for (int i = 0; i < kCount; ++i) {
            const BITMAPINFOHEADER* frame = ring.Load(loader, folder.Paths(), i);
            ExpectFrame(frame, i);
            EXPECT_EQ(frame, loader.Frame());
            blocks.insert(frame);
            EXPECT_EQ(ring.Queued(), std::min(depth, kCount - 1 - i)) << "frames after " << i << " are being read";
        }
        EXPECT_LE(blocks.size(), static_cast<size_t>(depth + 1)) << "the blocks go round, none is made per frame";
    }
}

// The ring holds as many frames as its budget has room for; a frame larger than all of it is
// read alone, so a folder of huge pictures never has two of them in memory at once.
TEST(FrameReadAheadTest, AsManyFramesAreReadAheadAsTheRingHasRoomForAndAHugeOneAlone)
{
    constexpr int kCount = 6;
    const Folder folder(kCount);
    const uint64_t frameBytes = DibPixelAreaBytes(kWidth, kHeight) + 2 * sizeof(BITMAPINFOHEADER);
    struct Room {
        uint64_t bytes;
        int ahead;
    };
    for (const Room room : {Room{frameBytes - 1, 0}, Room{frameBytes, 1}, Room{3 * frameBytes + 7, 3}}) {
        SCOPED_TRACE(room.bytes);
        CFrameLoader loader;
        CFrameReadAhead ring(4, room.bytes);
        for (int i = 0; i < kCount; ++i) {
            ExpectFrame(ring.Load(loader, folder.Paths(), i), i);
            EXPECT_EQ(ring.Queued(), std::min(room.ahead, kCount - 1 - i)) << "frames after " << i;
        }
        ring.Prefetch(loader, folder.Paths(), 0);
        EXPECT_EQ(ring.Queued(), room.ahead);
    }
}

enum class Fault { Missing, OtherSize, Damaged };

struct FaultCase {
    Fault fault;
    int index;
};

TEST(FrameReadAheadTest, AFileThatDoesNotLoadFailsAtItsOwnFrameAfterTheFramesBefore)
{
    constexpr int kCount = 16;
    constexpr int kDepth = 4;
    // Within the first frames read ahead, and later, when the slots' blocks are reused.
    const FaultCase cases[] = {{Fault::Missing, 3},  {Fault::OtherSize, 2}, {Fault::Damaged, 4},
                               {Fault::Missing, 11}, {Fault::OtherSize, 9}, {Fault::Damaged, 13}};
    for (const FaultCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "fault " << static_cast<int>(c.fault) << " at " << c.index);
        const Folder folder(kCount);
        const std::string native = Utf16ToUtf8(folder.Path(c.index).View());
        if (c.fault == Fault::Missing)
            std::filesystem::remove(native);
        else if (c.fault == Fault::OtherSize)
            WriteFrame(folder.Path(c.index), c.index, kWidth + 1, kHeight);
        else
            std::filesystem::resize_file(native, std::filesystem::file_size(native) / 2);
        // A file of another size after the faulty one is never reached.
        WriteFrame(folder.Path(c.index + 1), c.index + 1, kWidth, kHeight + 2);

        CFrameLoader loader;
        CFrameReadAhead ring(kDepth);
        for (int i = 0; i < c.index; ++i)
            ExpectFrame(ring.Load(loader, folder.Paths(), i), i);
        EXPECT_EQ(ring.Load(loader, folder.Paths(), c.index), nullptr);
        EXPECT_EQ(loader.Frame(), nullptr) << "a failed load leaves no block, as loading in turn does";
        EXPECT_EQ(ring.Queued(), 0) << "nothing is read after the failure";
    }
}

TEST(FrameReadAheadTest, DroppedFramesAreReadAgainAndASeekReadsTheFrameAskedFor)
{
    constexpr int kCount = 12;
    const Folder folder(kCount);
    CFrameLoader loader;
    CFrameReadAhead ring(4);
    ExpectFrame(ring.Load(loader, folder.Paths(), 0), 0);
    ASSERT_EQ(ring.Queued(), 4);
    // Stop or pause: what was read ahead is forgotten, the files are read anew after.
    ring.Drop();
    EXPECT_EQ(ring.Queued(), 0);
    WriteFrame(folder.Path(1), 101);
    WriteFrame(folder.Path(2), 2, kWidth, kHeight + 1);
    ExpectFrame(ring.Load(loader, folder.Paths(), 1), 101);
    EXPECT_EQ(ring.Load(loader, folder.Paths(), 2), nullptr) << "the file as it is now";

    // Seeking forward and back, past and into the frames in flight.
    ExpectFrame(ring.Load(loader, folder.Paths(), 3), 3);
    ExpectFrame(ring.Load(loader, folder.Paths(), 9), 9);
    ExpectFrame(ring.Load(loader, folder.Paths(), 4), 4);
    ExpectFrame(ring.Load(loader, folder.Paths(), 5), 5);
    EXPECT_EQ(ring.Load(loader, folder.Paths(), kCount), nullptr);
    EXPECT_EQ(ring.Queued(), 0);

    // Another list in which the same index names another file.
    CStringArray other;
    for (int i = kCount - 1; i >= 0; --i)
        other.Add(folder.Path(i));
    ExpectFrame(ring.Load(loader, folder.Paths(), 6), 6);
    ExpectFrame(ring.Load(loader, other, 7), kCount - 1 - 7);
}

TEST(FrameReadAheadTest, FramesPrefetchedFromAnIndexAreTheOnesTheLoadsThenGive)
{
    constexpr int kCount = 10;
    constexpr int kDepth = 4;
    const Folder folder(kCount);
    CFrameLoader loader;
    CFrameReadAhead ring(kDepth);
    // Without a frame in the loader the form of the blocks is unknown: nothing is read.
    ring.Prefetch(loader, folder.Paths(), 0);
    EXPECT_EQ(ring.Queued(), 0);

    ExpectFrame(loader.Load(folder.Path(5)), 5);
    ring.Prefetch(loader, folder.Paths(), 0);
    EXPECT_EQ(ring.Queued(), kDepth) << "the frame asked for and the ones after it";
    for (int i = 0; i < kCount; ++i) {
        ExpectFrame(ring.Load(loader, folder.Paths(), i), i);
        EXPECT_EQ(ring.Queued(), std::min(kDepth, kCount - 1 - i)) << i;
    }

    // A prefetch drops what was read before it; one past the list reads nothing.
    ring.Prefetch(loader, folder.Paths(), 2);
    ring.Prefetch(loader, folder.Paths(), kCount);
    EXPECT_EQ(ring.Queued(), 0);
    ExpectFrame(ring.Load(loader, folder.Paths(), 0), 0);
}

TEST(FrameReadAheadTest, GoesAwayWithReadsInFlight)
{
    constexpr int kCount = 24;
    const Folder folder(kCount);
    for (int round = 0; round < 20; ++round) {
        auto loader = std::make_unique<CFrameLoader>();
        auto ring = std::make_unique<CFrameReadAhead>(8);
        ExpectFrame(ring->Load(*loader, folder.Paths(), round % 4), round % 4);
        // Either may go first: the reads own what they write to.
        if (round % 2 == 0)
            loader.reset();
        ring.reset();
    }
    // The reads of the last ring may still be queued while the folder goes.
    CFrameLoader loader;
    {
        CFrameReadAhead ring(8);
        ExpectFrame(ring.Load(loader, folder.Paths(), 0), 0);
    }
}

std::vector<std::u16string>& ToldBoxes()
{
    static std::vector<std::u16string> boxes;
    return boxes;
}

int TellBox(LPCTSTR text, UINT)
{
    ToldBoxes().push_back(text);
    return IDOK;
}

// A JPEG file whose frame header claims a picture larger than any frame: its reader says so.
void WriteHugeClaimingJpeg(const CString& path)
{
    WriteFrame(path, 0, 16, 16);
    const std::string native = Utf16ToUtf8(path.GetString());
    std::string bytes;
    {
        std::ifstream in(native, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    const size_t sof = bytes.find("\xFF\xC0");
    ASSERT_NE(sof, std::string::npos);
    bytes[sof + 5] = bytes[sof + 7] = static_cast<char>(20000 >> 8);
    bytes[sof + 6] = bytes[sof + 8] = static_cast<char>(20000 & 0xFF);
    std::ofstream(native, std::ios::binary | std::ios::trunc) << bytes;
}

// Lets the reads posted so far start and, most likely, end.
void LetPostedReadsRun()
{
    std::promise<void> started;
    workers::PartPool::Instance().Post([&started] { started.set_value(); });
    started.get_future().wait();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
}

// Holds every worker of the pool until released, so nothing posted after it starts before.
class HeldWorkers {
public:
    HeldWorkers()
    {
        for (int i = 1; i < workers::PartPool::Instance().Threads(); ++i)
            workers::PartPool::Instance().Post([gate = m_gate] { gate.wait(); });
    }
    ~HeldWorkers() { Release(); }
    void Release()
    {
        if (!m_released)
            m_open.set_value();
        m_released = true;
    }

private:
    std::promise<void> m_open;
    std::shared_future<void> m_gate = m_open.get_future().share();
    bool m_released = false;
};

TEST(FrameReadAheadTest, TheRingReachesFurtherOnlyWhenAFrameIsTakenBeforeItsReadHasFinished)
{
    if (workers::PartPool::Instance().Threads() < 2)
        GTEST_SKIP() << "one CPU: every read finishes before it is taken";
    constexpr int kCount = 12;
    constexpr int kDepth = 4;
    const Folder folder(kCount);
    CFrameLoader loader;
    CFrameReadAhead ring(kDepth, workers::AheadBudget::kReadingBytes, 1);
    {
        HeldWorkers held;
        ExpectFrame(ring.Load(loader, folder.Paths(), 0), 0);
        EXPECT_EQ(ring.Queued(), 1) << "one frame ahead at first";
        // Frame 1 is taken while its read cannot have started.
        std::thread release([&held] {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            held.Release();
        });
        ExpectFrame(ring.Load(loader, folder.Paths(), 1), 1);
        release.join();
        EXPECT_EQ(ring.Queued(), 2) << "one more after a frame that was waited for";
    }
    // Reads that finish before their frames are taken leave the reach where it is.
    for (int i = 2; i < kCount; ++i) {
        LetPostedReadsRun();
        ExpectFrame(ring.Load(loader, folder.Paths(), i), i);
        EXPECT_EQ(ring.Queued(), std::min(2, kCount - 1 - i)) << i;
    }
}

TEST(FrameReadAheadTest, AFramesBoxesAreToldWhenItIsTakenAndNeverWhenItIsDropped)
{
    const Folder folder(4);
    CStringArray paths;
    paths.Add(folder.Path(0));
    paths.Add(folder.Path(1));
    paths.Add(folder.Dir().Path(u"02.jpg"));
    paths.Add(folder.Path(3));
    WriteHugeClaimingJpeg(paths[2]);
    AfxSetMessageBoxRoute(TellBox);
    const std::vector<std::u16string> outOfMemory{u"JpegFile :\nOut of memory"};
    {
        ToldBoxes().clear();
        CFrameLoader loader;
        CFrameReadAhead ring(3);
        ExpectFrame(ring.Load(loader, paths, 0), 0);
        ExpectFrame(ring.Load(loader, paths, 1), 1);
        LetPostedReadsRun();
        EXPECT_TRUE(ToldBoxes().empty()) << "told before its frame was taken";
        EXPECT_EQ(ring.Load(loader, paths, 2), nullptr);
        EXPECT_EQ(ToldBoxes(), outOfMemory);
    }
    {
        ToldBoxes().clear();
        CFrameLoader loader;
        CFrameReadAhead ring(3);
        ExpectFrame(ring.Load(loader, paths, 0), 0);
        LetPostedReadsRun();
        ring.Drop();
        EXPECT_TRUE(ToldBoxes().empty()) << "told for a frame never taken";
        // Loaded on the caller's thread, it is told at once.
        EXPECT_EQ(ring.Load(loader, paths, 2), nullptr);
        EXPECT_EQ(ToldBoxes(), outOfMemory);
    }
    AfxSetMessageBoxRoute(nullptr);
}

} // namespace

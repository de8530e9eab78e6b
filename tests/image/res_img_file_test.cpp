#include "image/res_img_file.h"

#include "tests/image/image_test_support.h"
#include "tests/support/waiting_fifo.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

class ResImgFileTest : public ::testing::Test {
protected:
    // Saves a smooth frame of the size under name through the writer its extension picks.
    void Save(const std::string& name, int width, int height)
    {
        DibPtr frame = MakeFrame(width, height, SmoothByte);
        ASSERT_EQ(CResImgFile().Save(DibPixels(frame.get()), frame.get(), dir.WidePath(name).c_str(), 95), 1) << name;
    }
    BITMAPINFOHEADER* Load(const std::string& name, BITMAPINFOHEADER* reuse = nullptr)
    {
        return CResImgFile().Load(dir.WidePath(name).c_str(), reuse);
    }

    ImageTestDir dir;
};

struct Format {
    const char* extension;
    int tolerance;
};
const Format kFormats[] = {{".bmp", 0}, {".jpg", 6}, {".png", 0}, {".tif", 0}};

} // namespace

TEST_F(ResImgFileTest, EveryFormatRoundTrips)
{
    for (const Format& format : kFormats) {
        const std::string name = std::string("frame") + format.extension;
        Save(name, 23, 11);
        DibPtr loaded(Load(name));
        ASSERT_NE(loaded, nullptr) << name;
        BITMAPINFOHEADER standard;
        InitBitmapInfoHeader(&standard, 23, 11);
        EXPECT_EQ(std::memcmp(loaded.get(), &standard, sizeof(standard)), 0) << name;
        EXPECT_LE(MaxPixelDifference(loaded.get(), MakeFrame(23, 11, SmoothByte).get()), format.tolerance) << name;
    }
}

// Leaves a freed block of the given size full of 0xAB, where the allocator will hand it out next.
void DirtyTheHeap(size_t bytes)
{
    void* block = std::malloc(bytes);
    std::memset(block, 0xAB, bytes);
    std::free(block);
}

TEST_F(ResImgFileTest, RowPaddingIsZeroInLoadedFramesAndWrittenFiles)
{
    constexpr int kWidth = 5; // 15 bytes a row, one pad byte
    constexpr int kHeight = 4;
    for (const Format& format : kFormats) {
        SCOPED_TRACE(format.extension);
        const std::string name = std::string("padded") + format.extension;
        Save(name, kWidth, kHeight);
        DirtyTheHeap(sizeof(BITMAPINFOHEADER) + DibPixelAreaBytes(kWidth, kHeight));
        DibPtr loaded(Load(name));
        ASSERT_TRUE(loaded);
        for (int r = 0; r < kHeight; ++r)
            EXPECT_EQ(DibPixels(loaded.get())[DibRowStride(kWidth) * r + 3 * kWidth], 0) << "row " << r;
    }
    const Bytes bmp = ReadFileBytes(dir.Path("padded.bmp"));
    const size_t pixelsAt = bmp.size() - DibPixelAreaBytes(kWidth, kHeight);
    for (int r = 0; r < kHeight; ++r)
        EXPECT_EQ(bmp[pixelsAt + DibRowStride(kWidth) * r + 3 * kWidth], 0) << "file row " << r;
}

TEST_F(ResImgFileTest, ReuseContractHoldsForEveryFormat)
{
    for (const Format& format : kFormats) {
        const std::string first = std::string("first") + format.extension;
        const std::string second = std::string("second") + format.extension;
        const std::string other = std::string("other") + format.extension;
        const std::string broken = std::string("broken") + format.extension;
        Save(first, 16, 9);
        Save(second, 16, 9);
        Save(other, 16, 10);
        WriteFileBytes(dir.Path(broken), Bytes(100, 0x42));

        BITMAPINFOHEADER* block = Load(first);
        ASSERT_NE(block, nullptr) << first;
        block->biXPelsPerMeter = 4321;
        block->biClrImportant = 7;
        const BITMAPINFOHEADER before = *block;
        ASSERT_EQ(Load(second, block), block) << second;
        EXPECT_EQ(std::memcmp(block, &before, sizeof(before)), 0) << second << ": the header is left as it is";
        DibPtr fresh(Load(second));
        EXPECT_EQ(MaxPixelDifference(block, fresh.get()), 0) << second;

        // A size change costs one failed call; the block is gone (the sanitizer build checks it).
        EXPECT_EQ(Load(other, block), nullptr) << other;
        block = Load(other);
        ASSERT_NE(block, nullptr) << other;
        EXPECT_EQ(Load(broken, block), nullptr) << broken;
    }
}

TEST_F(ResImgFileTest, ReaderIsChosenByTheLowerCasedExtension)
{
    Save("a.jpg", 8, 8);
    Save("a.tif", 8, 8);
    Save("a.png", 8, 8);
    Save("a.bmp", 8, 8);
    const std::pair<const char*, const char*> renames[] = {
        {"a.jpg", "upper.JPG"}, {"a.jpg", "long.jpeg"}, {"a.tif", "mixed.Tiff"},
        {"a.tif", "long.tiff"}, {"a.png", "upper.PNG"}, {"a.bmp", "upper.BMP"},
    };
    for (const auto& [from, to] : renames) {
        WriteFileBytes(dir.Path(to), ReadFileBytes(dir.Path(from)));
        DibPtr loaded(Load(to));
        EXPECT_NE(loaded, nullptr) << to;
    }
    // The content decides nothing: a PNG named .jpg goes to the JPEG reader and fails.
    WriteFileBytes(dir.Path("png.jpg"), ReadFileBytes(dir.Path("a.png")));
    EXPECT_EQ(Load("png.jpg"), nullptr);
}

TEST_F(ResImgFileTest, UnknownExtensionsReturnTheBlockUntouched)
{
    Save("a.jpg", 8, 8);
    for (const char* name : {"a.gif", "a", "a.jp", "dir.jpg/name", "a.jpg.txt", "a.jpg "}) {
        WriteFileBytes(dir.Path("a.gif"), ReadFileBytes(dir.Path("a.jpg")));
        EXPECT_EQ(Load(name), nullptr) << name;
        DibPtr block = MakeFrame(3, 3);
        DibPtr copy = MakeFrame(3, 3);
        EXPECT_EQ(Load(name, block.get()), block.get()) << name;
        EXPECT_EQ(std::memcmp(block.get(), copy.get(), 40 + 36), 0) << name;
    }
    BITMAPINFOHEADER* block = AcquireFrameBlock(nullptr, 2, 2);
    EXPECT_EQ(CResImgFile().Load(nullptr, block), block);
    std::free(block);
}

TEST_F(ResImgFileTest, SaveToAnUnknownExtensionWritesNothing)
{
    DibPtr frame = MakeFrame(4, 4);
    EXPECT_EQ(CResImgFile().Save(DibPixels(frame.get()), frame.get(), dir.WidePath("x.gif").c_str(), 90), 0);
    EXPECT_FALSE(FileExists(dir.Path("x.gif")));
    EXPECT_EQ(CResImgFile().Save(DibPixels(frame.get()), frame.get(), dir.WidePath("noextension").c_str(), 90), 0);
    EXPECT_FALSE(FileExists(dir.Path("noextension")));
}

TEST_F(ResImgFileTest, PathsOutsideAsciiLoad)
{
    Save("写真.jpg", 8, 8);
    DibPtr loaded(Load("写真.jpg"));
    EXPECT_NE(loaded, nullptr);
    Save("画像.tif", 8, 8);
    DibPtr tiff(Load("画像.tif"));
    EXPECT_NE(tiff, nullptr);
}

// Only regular files are read. A named pipe without a writer is refused at once rather than
// waited on; one whose writer hands over a whole picture, a device and a folder are refused too.
TEST_F(ResImgFileTest, AnythingButARegularFileIsRefusedWithoutWaiting)
{
    for (const char* extension : {".bmp", ".jpg", ".jpeg", ".png", ".tif", ".tiff"}) {
        SCOPED_TRACE(extension);
        const std::string name = std::string("p0003") + extension;
        {
            WaitingFifo fifo(dir.Path(name));
            ASSERT_TRUE(fifo.Made());
            EXPECT_EQ(Load(name), nullptr);
            EXPECT_EQ(Load(name, AcquireFrameBlock(nullptr, 8, 8)), nullptr);
            EXPECT_FALSE(fifo.ReaderCame()) << "the open waited for a writer";
        }
        Save(std::string("sound") + extension, 8, 8);
        {
            WaitingFifo piped(dir.Path(name), std::chrono::milliseconds(0),
                              ReadFileBytes(dir.Path(std::string("sound") + extension)));
            ASSERT_TRUE(piped.Made());
            EXPECT_EQ(Load(name), nullptr);
        }
        ASSERT_EQ(symlink("/dev/zero", dir.Path(std::string("device") + extension).c_str()), 0);
        EXPECT_EQ(Load(std::string("device") + extension), nullptr);
        std::filesystem::create_directory(dir.Path(std::string("folder") + extension));
        EXPECT_EQ(Load(std::string("folder") + extension), nullptr);
    }
}

#include "app/frame_loader.h"

#include "app/frame_read_ahead.h"
#include "image/dib_depth.h"
#include "image/res_img_file.h"
#include "tests/support/temp_dir.h"
#include "tests/support/tiff16_file.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Red, green and blue 16-bit samples of pixel (x, y), top row first, distinct in both bytes.
uint16_t Sample(int x, int y, int c, int seed)
{
    return static_cast<uint16_t>((seed * 4099 + x * 911 + y * 263 + c * 7001) & 0xFFFF);
}

void WriteTiff16(const std::string& path, int width, int height, int seed)
{
    ASSERT_TRUE(::WriteTiff16(path, width, height, [seed](int x, int y, int c) { return Sample(x, y, c, seed); }));
}

// Every pixel of a 24-bit frame holds the high bytes of the samples, blue first, bottom-up rows.
void ExpectHighBytes(const BITMAPINFOHEADER* frame, int width, int height, int seed)
{
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->biBitCount, 24);
    EXPECT_EQ(frame->biWidth, width);
    EXPECT_EQ(frame->biHeight, height);
    EXPECT_EQ(frame->biSizeImage, DibRowStride(width) * height);
    const BYTE* bits = reinterpret_cast<const BYTE*>(frame) + sizeof(BITMAPINFOHEADER);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c) {
                const BYTE got = bits[DibRowStride(width) * (height - 1 - y) + 3 * x + (2 - c)];
                ASSERT_EQ(got, Sample(x, y, c, seed) >> 8) << x << "," << y << " sample " << c;
            }
}

TEST(FrameLoaderTest, SixteenBitTiffsBecomeTwentyFourBitFramesInOneBlock)
{
    TempDir dir;
    WriteTiff16(dir.Native() + "/a.tif", 5, 3, 1);
    WriteTiff16(dir.Native() + "/b.tif", 5, 3, 2);
    WriteTiff16(dir.Native() + "/c.tif", 4, 3, 3);
    CFrameLoader loader;
    const BITMAPINFOHEADER* first = loader.Load(dir.Path(u"a.tif"));
    ExpectHighBytes(first, 5, 3, 1);
    const BITMAPINFOHEADER* second = loader.Load(dir.Path(u"b.tif"));
    ExpectHighBytes(second, 5, 3, 2);
    EXPECT_EQ(second, first) << "the shown block keeps its address, so the view's pixel pointer stays valid";
    EXPECT_EQ(loader.Load(dir.Path(u"c.tif")), nullptr) << "another size fails as in any folder";
    EXPECT_EQ(loader.Frame(), nullptr);
    ExpectHighBytes(loader.Load(dir.Path(u"c.tif")), 4, 3, 3);
}

TEST(FrameLoaderTest, FramesReadAheadFailWhereLoadingInTurnFails)
{
    TempDir dir;
    WriteTiff16(dir.Native() + "/a.tif", 5, 3, 1);
    WriteTiff16(dir.Native() + "/b.tif", 5, 3, 2);
    DibPtr flat(AcquireFrameBlock(nullptr, 5, 3));
    CResImgFile writer;
    ASSERT_EQ(writer.Save(DibPixels(flat.get()), flat.get(), dir.Path(u"c.tif"), 0), 1);
    WriteTiff16(dir.Native() + "/d.tif", 5, 3, 4);
    CStringArray paths;
    for (const char16_t* name : {u"a.tif", u"b.tif", u"c.tif", u"d.tif"})
        paths.Add(dir.Path(name));

    CFrameLoader inTurn;
    ASSERT_NE(inTurn.Load(paths[0]), nullptr);
    ASSERT_NE(inTurn.Load(paths[1]), nullptr);
    ASSERT_EQ(inTurn.Load(paths[2]), nullptr) << "an 8-bit file of the same size in a 16-bit folder";

    CFrameLoader loader;
    CFrameReadAhead ring(3);
    const BITMAPINFOHEADER* first = ring.Load(loader, paths, 0);
    ExpectHighBytes(first, 5, 3, 1);
    ExpectHighBytes(ring.Load(loader, paths, 1), 5, 3, 2);
    EXPECT_EQ(ring.Load(loader, paths, 2), nullptr);
    EXPECT_EQ(loader.Frame(), nullptr);
}

TEST(FrameLoaderTest, TwentyFourBitFramesAreTheReadersOwnBlock)
{
    TempDir dir;
    CResImgFile writer;
    DibPtr frame(AcquireFrameBlock(nullptr, 6, 4));
    std::fill_n(DibPixels(frame.get()), DibRowStride(6) * 4, BYTE{0x80});
    ASSERT_EQ(writer.Save(DibPixels(frame.get()), frame.get(), dir.Path(u"a.bmp"), 0), 1);
    ASSERT_EQ(writer.Save(DibPixels(frame.get()), frame.get(), dir.Path(u"b.bmp"), 0), 1);
    CFrameLoader loader;
    const BITMAPINFOHEADER* first = loader.Load(dir.Path(u"a.bmp"));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(loader.Load(dir.Path(u"b.bmp")), first);
    EXPECT_EQ(loader.Load(dir.Path(u"missing.bmp")), nullptr);
    EXPECT_EQ(loader.Frame(), nullptr);
}

TEST(FrameLoaderTest, SwapFrameExchangesTheBlocksOfFramesOfOneSizeAndForm)
{
    TempDir dir;
    CResImgFile writer;
    for (const char16_t* name : {u"a.bmp", u"b.bmp"}) {
        DibPtr frame(AcquireFrameBlock(nullptr, 5, 3));
        std::fill_n(DibPixels(frame.get()), DibRowStride(5) * 3, static_cast<BYTE>(name[0]));
        ASSERT_EQ(writer.Save(DibPixels(frame.get()), frame.get(), dir.Path(name), 0), 1);
    }
    WriteTiff16(dir.Native() + "/c.tif", 5, 3, 1);
    WriteTiff16(dir.Native() + "/d.tif", 5, 3, 2);
    DibPtr small(AcquireFrameBlock(nullptr, 4, 3));
    ASSERT_EQ(writer.Save(DibPixels(small.get()), small.get(), dir.Path(u"e.bmp"), 0), 1);

    CFrameLoader shown;
    CFrameLoader ahead;
    BITMAPINFOHEADER* old = shown.Load(dir.Path(u"a.bmp"));
    BITMAPINFOHEADER* next = ahead.Load(dir.Path(u"b.bmp"));
    ASSERT_NE(old, nullptr);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(shown.SwapFrame(ahead), next);
    EXPECT_EQ(shown.Frame(), next);
    EXPECT_EQ(ahead.Frame(), old) << "the old block is the other loader's to read into";
    EXPECT_EQ(DibPixels(shown.Frame())[0], 'b');

    CFrameLoader deep;
    CFrameLoader deepAhead;
    const BITMAPINFOHEADER* deepOld = deep.Load(dir.Path(u"c.tif"));
    const BITMAPINFOHEADER* deepNext = deepAhead.Load(dir.Path(u"d.tif"));
    const BITMAPINFOHEADER* decoded = deep.Decoded();
    EXPECT_EQ(deep.SwapFrame(deepAhead), deepNext);
    EXPECT_EQ(deepAhead.Frame(), deepOld);
    EXPECT_EQ(deep.Decoded(), decoded) << "the 48-bit block stays as the form the next file must have";
    ExpectHighBytes(deep.Frame(), 5, 3, 2);

    EXPECT_EQ(shown.SwapFrame(deep), nullptr) << "another form";
    CFrameLoader other;
    ASSERT_NE(other.Load(dir.Path(u"e.bmp")), nullptr);
    EXPECT_EQ(shown.SwapFrame(other), nullptr) << "another size";
    CFrameLoader none;
    EXPECT_EQ(none.SwapFrame(ahead), nullptr) << "no frame to give";
    EXPECT_EQ(shown.Frame(), next) << "nothing changed hands";
    EXPECT_EQ(ahead.Frame(), old);
}

TEST(FrameLoaderTest, ConversionRefusesOtherFormsAndReplacesAMismatchedBlock)
{
    DibPtr deep(AcquireFrameBlock(nullptr, 2, 2, 48));
    std::fill_n(DibPixels(deep.get()), 24, BYTE{0xAB});
    EXPECT_EQ(ConvertDib48To24(nullptr, nullptr), nullptr);
    DibPtr flat(AcquireFrameBlock(nullptr, 2, 2));
    EXPECT_EQ(ConvertDib48To24(flat.get(), nullptr), nullptr) << "only the 48-bit form converts";
    DibPtr converted(ConvertDib48To24(deep.get(), AcquireFrameBlock(nullptr, 3, 3)));
    ASSERT_NE(converted, nullptr);
    EXPECT_EQ(converted->biWidth, 2);
    EXPECT_EQ(DibPixels(converted.get())[0], 0xAB);
    EXPECT_EQ(DibPixels(converted.get())[6], 0) << "row padding is cleared";
}

} // namespace

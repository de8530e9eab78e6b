#include "image/packed_dib.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(InitBitmapInfoHeader, FillsEveryFieldWithTheRowStrideImageSize)
{
    struct Case {
        int width, height;
        DWORD sizeImage;
    };
    for (const Case& c : {Case{5, 2, 32}, Case{4, 3, 36}, Case{1, 1, 4}, Case{640, 1, 1920}, Case{3, 7, 7 * 12}}) {
        BITMAPINFOHEADER header;
        std::memset(&header, 0xAB, sizeof(header));
        ASSERT_EQ(InitBitmapInfoHeader(&header, c.width, c.height), &header);
        EXPECT_EQ(header.biSize, 40u);
        EXPECT_EQ(header.biWidth, c.width);
        EXPECT_EQ(header.biHeight, c.height);
        EXPECT_EQ(header.biPlanes, 1);
        EXPECT_EQ(header.biBitCount, 24);
        EXPECT_EQ(header.biCompression, BI_RGB);
        EXPECT_EQ(header.biSizeImage, c.sizeImage) << c.width << "x" << c.height;
        EXPECT_EQ(header.biXPelsPerMeter, 0);
        EXPECT_EQ(header.biYPelsPerMeter, 0);
        EXPECT_EQ(header.biClrUsed, 0u);
        EXPECT_EQ(header.biClrImportant, 0u);
    }
}

TEST(DibPixelAreaBytes, IsBoundedAndRefusesEmptySides)
{
    EXPECT_EQ(DibPixelAreaBytes(5, 2), 32u);
    EXPECT_EQ(DibPixelAreaBytes(2, 2, 48), 24u);
    EXPECT_EQ(DibPixelAreaBytes(0, 10), 0u);
    EXPECT_EQ(DibPixelAreaBytes(10, 0), 0u);
    EXPECT_EQ(DibPixelAreaBytes(-4, 10), 0u);
    EXPECT_EQ(DibPixelAreaBytes(10, -4), 0u);
    EXPECT_EQ(DibPixelAreaBytes(1, int64_t{1} << 30), 0u);
    EXPECT_EQ(DibPixelAreaBytes(65500, 65500), 0u);
    EXPECT_EQ(DibPixelAreaBytes(int64_t{1} << 40, 1), 0u);
    EXPECT_EQ(DibPixelAreaBytes(4, 4, 32), 0u);
}

TEST(AcquireFrameBlock, FollowsTheReuseContract)
{
    BITMAPINFOHEADER* fresh = AcquireFrameBlock(nullptr, 5, 2);
    ASSERT_NE(fresh, nullptr);
    BITMAPINFOHEADER expected;
    InitBitmapInfoHeader(&expected, 5, 2);
    EXPECT_EQ(std::memcmp(fresh, &expected, sizeof(expected)), 0);

    fresh->biXPelsPerMeter = 77;
    BITMAPINFOHEADER before = *fresh;
    EXPECT_EQ(AcquireFrameBlock(fresh, 5, 2), fresh);
    EXPECT_EQ(std::memcmp(fresh, &before, sizeof(before)), 0);

    // Another size, or the 48-bit form of the same size, releases the block.
    EXPECT_EQ(AcquireFrameBlock(fresh, 6, 2), nullptr);
    BITMAPINFOHEADER* block = AcquireFrameBlock(nullptr, 4, 4);
    EXPECT_EQ(AcquireFrameBlock(block, 4, 4, 48), nullptr);

    BITMAPINFOHEADER* wide = AcquireFrameBlock(nullptr, 2, 2, 48);
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(wide->biBitCount, 48);
    EXPECT_EQ(AcquireFrameBlock(wide, 2, 2), nullptr);

    EXPECT_EQ(AcquireFrameBlock(nullptr, 0, 4), nullptr);
    EXPECT_EQ(AcquireFrameBlock(nullptr, 4, int64_t{1} << 30), nullptr);
}

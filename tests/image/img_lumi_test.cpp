#include "image/img_lumi.h"
#include "image/io_data.h"
#include "image/packed_dib.h"

#include <gtest/gtest.h>

#include <memory>

TEST(ImgLumi, MakeTableOnGammaAndOffset)
{
    struct Case {
        int gamma, offset, index, expected;
    };
    const Case cases[] = {
        {128, 0, 1, 16}, {128, 0, 64, 128}, {128, 0, 128, 181}, {-128, 0, 64, 16}, {-128, 0, 128, 64},
        {0, 10, 0, 10},  {0, 10, 244, 254}, {0, 10, 245, 255},  {0, 10, 255, 255}, {0, -20, 0, 0},
        {0, -20, 20, 0}, {0, -20, 21, 1},   {0, -20, 255, 235}, {128, 0, 0, 0},    {128, 0, 255, 255},
    };
    CImgLumi lumi;
    for (const Case& c : cases) {
        lumi.MakeTable(c.gamma, c.offset);
        EXPECT_EQ(lumi.Entry(c.index), c.expected)
            << "gamma " << c.gamma << " offset " << c.offset << " entry " << c.index;
    }
    lumi.MakeTable(0, 0);
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(lumi.Entry(i), i);
}

TEST(IOdataE, StartsWithTheIdentityTableAndIsDestroyedThroughEachPart)
{
    CIOdataE bundle;
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(bundle.Entry(i), i);

    std::unique_ptr<CImgResize> asResize(new CIOdataE);
    std::unique_ptr<CImgLumi> asLumi(new CIOdataE);
    std::unique_ptr<CImgInterlaced> asInterlaced(new CIOdataE);
    BITMAPINFOHEADER header;
    InitBitmapInfoHeader(&header, 4, 4);
    BYTE source[64] = {};
    BYTE out[64] = {};
    asResize->SetClipRect({0, 0, 4, 4});
    BITMAPINFOHEADER small;
    InitBitmapInfoHeader(&small, 2, 2);
    EXPECT_EQ(asResize->Resize(source, out, &header, &small), out);
}

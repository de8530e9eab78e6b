#include "image/img_resize.h"

#include "image/packed_dib.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

BITMAPINFOHEADER Header(int width, int height, int bitCount = 24, DWORD compression = BI_RGB)
{
    BITMAPINFOHEADER header;
    InitBitmapInfoHeader(&header, width, height);
    header.biBitCount = static_cast<WORD>(bitCount);
    header.biCompression = compression;
    return header;
}

// A 24-bit pixel area whose pixels all have their three bytes equal to grey[i] (memory order).
Bytes GreyRow24(const std::vector<int>& grey)
{
    Bytes row(DibRowStride(grey.size()), 0xEE);
    for (size_t i = 0; i < grey.size(); ++i)
        row[3 * i] = row[3 * i + 1] = row[3 * i + 2] = static_cast<BYTE>(grey[i]);
    return row;
}

std::vector<int> BlueBytes(const Bytes& area, int width, int row = 0)
{
    std::vector<int> out;
    for (int i = 0; i < width; ++i)
        out.push_back(area[DibRowStride(width) * row + 3 * i]);
    return out;
}

// The resampler exactly as designed: whole source rows blended vertically, fx per pixel per row.
Bytes ReferenceRGB24(const Bytes& src, int w, int h, CRect clip, int wd, int hd)
{
    const int clipW = clip.Width(), clipH = clip.Height();
    double sx = static_cast<double>(wd) / clipW;
    if (wd > 1 && clipW > 1)
        sx = static_cast<double>(wd - 1) / (clipW - 1);
    double sy = static_cast<double>(hd) / clipH;
    if (hd > 1 && clipH > 1)
        sy = static_cast<double>(hd - 1) / (clipH - 1);
    const size_t ss = DibRowStride(w), ds = DibRowStride(wd);
    Bytes dst(ds * hd, 0xEE);
    if (sx == 1.0 && sy == 1.0) {
        for (int j = 0; j < hd; ++j)
            for (int b = 0; b < 3 * wd; ++b)
                dst[ds * j + b] = src[ss * (j + h - clip.bottom) + 3 * clip.left + b];
        return dst;
    }
    std::vector<unsigned> scratch(3 * (w + 1));
    for (int j = 0; j < hd; ++j) {
        const int fy = static_cast<int>(((h - clip.bottom) + j / sy) * 256);
        const int y0 = fy / 256;
        const unsigned wy = fy - 256 * y0;
        const int y1 = std::min(y0 + 1, h - clip.top - 1);
        for (int k = 0; k < w; ++k)
            for (int c = 0; c < 3; ++c)
                scratch[3 * k + c] = src[ss * y1 + 3 * k + c] * wy + src[ss * y0 + 3 * k + c] * (256 - wy);
        for (int c = 0; c < 3; ++c)
            scratch[3 * w + c] = scratch[3 * (w - 1) + c];
        for (int i = 0; i < wd; ++i) {
            const int fx = static_cast<int>((clip.left + i / sx) * 256);
            const int x0 = fx / 256;
            const unsigned wx = fx - 256 * x0;
            for (int c = 0; c < 3; ++c) {
                const unsigned v = scratch[3 * (x0 + 1) + c] * wx + scratch[3 * x0 + c] * (256 - wx);
                dst[ds * j + 3 * i + c] = static_cast<BYTE>((v + 0x8000) >> 16);
            }
        }
    }
    return dst;
}

Bytes ReferenceYUY2(const Bytes& src, int w, CRect clip, int wd, int hd)
{
    const double sx = static_cast<double>(wd) / clip.Width();
    const double sy = static_cast<double>(hd) / clip.Height();
    Bytes dst(2 * wd * hd, 0xEE);
    if (sx == 1.0 && sy == 1.0) {
        for (int j = 0; j < hd; ++j)
            for (int b = 0; b < 2 * wd; ++b)
                dst[2 * wd * j + b] = src[2 * w * (clip.top + j) + 2 * clip.left + b];
        return dst;
    }
    std::vector<unsigned> scratch(w + 1);
    for (int j = 0; j < hd; ++j) {
        const int fy = static_cast<int>((clip.top + j / sy) * 256);
        const int y0 = fy / 256;
        const unsigned wy = fy - 256 * y0;
        const int y1 = std::min(y0 + 1, clip.bottom - 1);
        const BYTE* r0 = &src[2 * w * y0];
        const BYTE* r1 = &src[2 * w * y1];
        for (int k = 0; k < w; ++k)
            scratch[k] = r1[2 * k] * wy + r0[2 * k] * (256 - wy);
        scratch[w] = scratch[w - 1];
        BYTE* d = &dst[2 * wd * j];
        for (int i = 0; i < wd; ++i) {
            const int fx = static_cast<int>((clip.left + i / sx) * 256);
            const int x0 = fx / 256;
            const unsigned wx = fx - 256 * x0;
            d[2 * i] = static_cast<BYTE>((scratch[x0 + 1] * wx + scratch[x0] * (256 - wx) + 0x8000) >> 16);
            if (i % 2 == 0) {
                const int p = x0 / 2;
                d[2 * i + 1] = static_cast<BYTE>((r1[4 * p + 1] * wy + r0[4 * p + 1] * (256 - wy) + 128) >> 8);
                d[2 * i + 3] = static_cast<BYTE>((r1[4 * p + 3] * wy + r0[4 * p + 3] * (256 - wy) + 128) >> 8);
            }
        }
    }
    return dst;
}

Bytes RandomBytes(size_t count, unsigned seed)
{
    std::mt19937 random(seed);
    Bytes out(count);
    for (BYTE& b : out)
        b = static_cast<BYTE>(random());
    return out;
}

} // namespace

TEST(ImgResizeRGB24, EdgeCases)
{
    struct Case {
        const char* name;
        std::vector<int> source;
        CRect clip;
        int outWidth;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {"2 widened to 3", {0, 255}, {0, 0, 2, 1}, 3, {0, 128, 255}},
        {"4 narrowed to 3 samples 1.5", {0, 100, 200, 255}, {0, 0, 4, 1}, 3, {0, 150, 255}},
        {"4 narrowed to 2 keeps the ends", {10, 20, 30, 40}, {0, 0, 4, 1}, 2, {10, 40}},
        {"2 narrowed to 1 keeps the first", {10, 20}, {0, 0, 2, 1}, 1, {10}},
        {"clip of the middle two widened to 3", {0, 60, 120, 255}, {1, 0, 3, 1}, 3, {60, 90, 120}},
    };
    for (const Case& c : cases) {
        const int width = static_cast<int>(c.source.size());
        const Bytes source = GreyRow24(c.source);
        Bytes out(DibRowStride(c.outWidth), 0xEE);
        const BITMAPINFOHEADER in = Header(width, 1);
        const BITMAPINFOHEADER dst = Header(c.outWidth, 1);
        CImgResize resize;
        resize.SetClipRect(c.clip);
        ASSERT_EQ(resize.Resize(source.data(), out.data(), &in, &dst), out.data()) << c.name;
        EXPECT_EQ(BlueBytes(out, c.outWidth), c.expected) << c.name;
        for (int i = 0; i < c.outWidth; ++i) {
            EXPECT_EQ(out[3 * i + 1], out[3 * i]) << c.name;
            EXPECT_EQ(out[3 * i + 2], out[3 * i]) << c.name;
        }
        for (size_t pad = 3 * c.outWidth; pad < out.size(); ++pad)
            EXPECT_EQ(out[pad], 0xEE) << c.name << ": pad bytes are not written";
    }
}

TEST(ImgResizeRGB24, TallerOutputBlendsRowsFromTheBottom)
{
    // Memory row 0 is the picture's bottom row.
    Bytes source(8);
    source[0] = source[1] = source[2] = 0;
    source[4] = source[5] = source[6] = 100;
    Bytes out(12, 0xEE);
    const BITMAPINFOHEADER in = Header(1, 2);
    const BITMAPINFOHEADER dst = Header(1, 3);
    CImgResize resize;
    resize.SetClipRect({0, 0, 1, 2});
    ASSERT_NE(resize.Resize(source.data(), out.data(), &in, &dst), nullptr);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[4], 50);
    EXPECT_EQ(out[8], 100);
}

TEST(ImgResizeRGB24, OneToOneClipIsAPlainCopyOfTheClippedRows)
{
    const Bytes source = RandomBytes(DibRowStride(4) * 4, 7);
    Bytes out(DibRowStride(2) * 2, 0xEE);
    const BITMAPINFOHEADER in = Header(4, 4);
    const BITMAPINFOHEADER dst = Header(2, 2);
    CImgResize resize;
    resize.SetClipRect({1, 1, 3, 3});
    ASSERT_EQ(resize.Resize(source.data(), out.data(), &in, &dst), out.data());
    for (int row = 0; row < 2; ++row)
        for (int b = 0; b < 6; ++b)
            EXPECT_EQ(out[DibRowStride(2) * row + b], source[DibRowStride(4) * (row + 1) + 3 + b]);
    EXPECT_EQ(out[6], 0xEE);
    EXPECT_EQ(out[7], 0xEE);
}

struct ResizeCase {
    int w, h;
    CRect clip;
    int wd, hd;
};

// Each case's random frame, seeds counted on from seed, resized by one CImgResize as the reference
// does it.
template <size_t N>
void ExpectTheReferenceBytes(const ResizeCase (&cases)[N], unsigned seed)
{
    CImgResize resize;
    for (const ResizeCase& c : cases) {
        const Bytes source = RandomBytes(DibRowStride(c.w) * c.h, seed++);
        const Bytes expected = ReferenceRGB24(source, c.w, c.h, c.clip, c.wd, c.hd);
        Bytes out(expected.size(), 0xEE);
        const BITMAPINFOHEADER in = Header(c.w, c.h);
        const BITMAPINFOHEADER dst = Header(c.wd, c.hd);
        resize.SetClipRect(c.clip);
        ASSERT_EQ(resize.Resize(source.data(), out.data(), &in, &dst), out.data());
        EXPECT_EQ(out, expected) << c.w << "x" << c.h << " to " << c.wd << "x" << c.hd;
    }
}

TEST(ImgResizeRGB24, MatchesTheDesignedArithmeticOnRandomFrames)
{
    const ResizeCase cases[] = {
        {1920, 1080, {0, 0, 1920, 1080}, 1280, 720},
        {640, 480, {0, 0, 640, 480}, 1280, 960},
        {33, 17, {3, 2, 30, 15}, 50, 9},
        {33, 17, {0, 0, 33, 17}, 1, 1},
        {7, 5, {6, 4, 7, 5}, 5, 3},
        {101, 3, {0, 0, 101, 3}, 100, 3},
        {5, 9, {1, 0, 4, 9}, 3, 4},
        {64, 64, {10, 20, 50, 60}, 40, 41},
    };
    ExpectTheReferenceBytes(cases, 1);
}

TEST(ImgResizeRGB24, VectorAndFallbackPathsMatchTheDesignedArithmetic)
{
    // Narrow rows, odd sizes, single pixels, row ends inside a vector, widening, narrowing past
    // what one gather window covers, and clips that read the pixel beyond them.
    const ResizeCase cases[] = {
        {6, 4, {0, 0, 6, 4}, 5, 3},
        {6, 4, {0, 0, 6, 4}, 11, 7},
        {5, 4, {0, 0, 5, 4}, 3, 2},
        {1, 9, {0, 0, 1, 9}, 1, 20},
        {97, 13, {0, 0, 97, 13}, 1, 13},
        {97, 13, {0, 0, 97, 13}, 64, 1},
        {41, 7, {0, 0, 41, 7}, 10, 5},
        {41, 7, {0, 0, 41, 7}, 11, 5},
        {41, 7, {0, 0, 41, 7}, 21, 5},
        {41, 7, {0, 0, 41, 7}, 32, 5},
        {200, 50, {150, 0, 200, 50}, 49, 30},
        {200, 50, {0, 0, 200, 50}, 67, 25},
        {400, 20, {0, 0, 400, 20}, 90, 20},
        {64, 8, {0, 0, 1, 8}, 17, 8},
        {321, 241, {7, 5, 320, 240}, 641, 481},
        {1921, 1081, {0, 0, 1921, 1081}, 1281, 721},
    };
    ExpectTheReferenceBytes(cases, 50);
}

TEST(ImgResizeYUY2, WidensAPairWithChromaFromItsSourcePair)
{
    const Bytes source = {0, 100, 200, 50};
    Bytes out(8, 0xEE);
    const BITMAPINFOHEADER in = Header(2, 1, 16, BI_YUY2);
    const BITMAPINFOHEADER dst = Header(4, 1, 16, BI_YUY2);
    CImgResize resize;
    resize.SetClipRect({0, 0, 2, 1});
    ASSERT_EQ(resize.Resize(source.data(), out.data(), &in, &dst), out.data());
    EXPECT_EQ(out, (Bytes{0, 100, 100, 50, 200, 100, 200, 50}));
}

TEST(ImgResizeYUY2, MatchesTheDesignedArithmeticAndCopiesOneToOne)
{
    struct Case {
        int w, h;
        CRect clip;
        int wd, hd;
    };
    const Case cases[] = {
        {8, 4, {0, 0, 8, 4}, 8, 4},
        {8, 4, {2, 1, 6, 3}, 4, 2},
        {16, 8, {0, 0, 16, 8}, 10, 12},
        {16, 8, {3, 1, 15, 7}, 24, 4},
        {720, 480, {0, 0, 720, 480}, 640, 360},
    };
    CImgResize resize;
    unsigned seed = 100;
    for (const Case& c : cases) {
        const Bytes source = RandomBytes(2 * c.w * c.h, seed++);
        const Bytes expected = ReferenceYUY2(source, c.w, c.clip, c.wd, c.hd);
        Bytes out(expected.size(), 0xEE);
        const BITMAPINFOHEADER in = Header(c.w, c.h, 16, BI_YUY2);
        const BITMAPINFOHEADER dst = Header(c.wd, c.hd, 16, BI_YUY2);
        resize.SetClipRect(c.clip);
        ASSERT_EQ(resize.Resize(source.data(), out.data(), &in, &dst), out.data());
        EXPECT_EQ(out, expected) << c.w << "x" << c.h << " to " << c.wd << "x" << c.hd;
    }
}

TEST(ImgResize, RefusesOtherFormatsAndBrokenPreconditionsWithoutTouchingTheDestination)
{
    struct Case {
        const char* name;
        BITMAPINFOHEADER source;
        CRect clip;
        BITMAPINFOHEADER destination;
    };
    const Case cases[] = {
        {"48 bits", Header(4, 4, 48), {0, 0, 4, 4}, Header(2, 2)},
        {"32 bits", Header(4, 4, 32), {0, 0, 4, 4}, Header(2, 2)},
        {"another code", Header(4, 4, 24, mmioFOURCC('U', 'Y', 'V', 'Y')), {0, 0, 4, 4}, Header(2, 2)},
        {"clip beyond the right edge", Header(4, 4), {1, 0, 5, 4}, Header(2, 2)},
        {"clip above the top", Header(4, 4), {0, -1, 4, 4}, Header(2, 2)},
        {"empty clip", Header(4, 4), {2, 2, 2, 3}, Header(2, 2)},
        {"empty output", Header(4, 4), {0, 0, 4, 4}, Header(0, 2)},
        {"negative output height", Header(4, 4), {0, 0, 4, 4}, Header(2, -2)},
        {"odd YUY2 source width", Header(3, 2, 16, BI_YUY2), {0, 0, 3, 2}, Header(2, 2)},
        {"odd YUY2 output width", Header(4, 2, 16, BI_YUY2), {0, 0, 4, 2}, Header(3, 2)},
    };
    const Bytes source(256, 1);
    for (const Case& c : cases) {
        Bytes out(256, 0xEE);
        CImgResize resize;
        resize.SetClipRect(c.clip);
        EXPECT_EQ(resize.Resize(source.data(), out.data(), &c.source, &c.destination), nullptr) << c.name;
        EXPECT_EQ(out, Bytes(256, 0xEE)) << c.name;
    }
}

#include "image/bmp_file.h"

#include "tests/image/image_test_support.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct BmpLayout {
    int width;
    int height;
    WORD bitCount;
    DWORD compression = BI_RGB;
    DWORD coloursUsed = 0;
    DWORD infoSize = 40;
    WORD planes = 1;
    DWORD gapBeforePixels = 0;
};

// A file of the layout: headers, the info header's extra bytes, palette, gap, pixel bytes.
Bytes BuildBmp(const BmpLayout& layout, const Bytes& palette, const Bytes& pixels)
{
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = 14 + layout.infoSize + static_cast<DWORD>(palette.size()) + layout.gapBeforePixels;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    BITMAPINFOHEADER info{};
    info.biSize = layout.infoSize;
    info.biWidth = layout.width;
    info.biHeight = layout.height;
    info.biPlanes = layout.planes;
    info.biBitCount = layout.bitCount;
    info.biCompression = layout.compression;
    info.biClrUsed = layout.coloursUsed;
    Bytes out;
    AppendRaw(out, file);
    AppendRaw(out, info);
    out.resize(out.size() + (layout.infoSize > 40 ? layout.infoSize - 40 : 0), 0);
    out.insert(out.end(), palette.begin(), palette.end());
    out.resize(out.size() + layout.gapBeforePixels, 0x55);
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

// Palette entry i is blue i, green 255 - i, red i / 2.
Bytes Palette(int entries)
{
    Bytes out;
    for (int i = 0; i < entries; ++i)
        out.insert(out.end(), {static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i / 2), 0});
    return out;
}

// Index rows of a width 3, height 2 picture, each stored in 4 bytes (file order: bottom row first).
const Bytes kIndexRows = {0, 1, 255, 0xAA, 7, 128, 2, 0xAA};

class BmpFileTest : public ::testing::Test {
protected:
    DibPtr LoadBytes(const Bytes& bytes, BITMAPINFOHEADER* reuse = nullptr)
    {
        WriteFileBytes(dir.Path("f.bmp"), bytes);
        return DibPtr(CImgFileBmp().Load(dir.WidePath("f.bmp").c_str(), reuse));
    }

    void ExpectIndexPixels(const BITMAPINFOHEADER* dib, int colours)
    {
        ASSERT_EQ(dib->biWidth, 3);
        ASSERT_EQ(dib->biHeight, 2);
        const auto* pixels = reinterpret_cast<const uint8_t*>(dib + 1);
        for (int row = 0; row < 2; ++row)
            for (int x = 0; x < 3; ++x) {
                const int index = kIndexRows[4 * row + x];
                const bool known = index < colours;
                EXPECT_EQ(pixels[12 * row + 3 * x], known ? index : 0) << row << "," << x;
                EXPECT_EQ(pixels[12 * row + 3 * x + 1], known ? 255 - index : 0) << row << "," << x;
                EXPECT_EQ(pixels[12 * row + 3 * x + 2], known ? index / 2 : 0) << row << "," << x;
            }
    }

    ImageTestDir dir;
};

} // namespace

TEST_F(BmpFileTest, SaveWritesTheStandardLayoutAndLoadsBackExactly)
{
    DibPtr frame = MakeFrame(5, 3);
    frame->biXPelsPerMeter = 50;
    ASSERT_EQ(CImgFileBmp().Save(DibPixels(frame.get()), frame.get(), dir.WidePath("s.bmp").c_str()), 1);
    BITMAPINFOHEADER standard;
    InitBitmapInfoHeader(&standard, 5, 3);
    EXPECT_EQ(std::memcmp(frame.get(), &standard, sizeof(standard)), 0);

    const Bytes file = ReadFileBytes(dir.Path("s.bmp"));
    ASSERT_EQ(file.size(), 54u + 16 * 3);
    BITMAPFILEHEADER fileHeader;
    std::memcpy(&fileHeader, file.data(), sizeof(fileHeader));
    // Copies: the packed fields cannot be bound to references.
    const WORD type = fileHeader.bfType;
    const DWORD size = fileHeader.bfSize;
    const DWORD offset = fileHeader.bfOffBits;
    EXPECT_EQ(type, 0x4D42);
    EXPECT_EQ(size, 54u + 48);
    EXPECT_EQ(offset, 54u);
    EXPECT_EQ(std::memcmp(file.data() + 14, &standard, 40), 0);
    // The frame's pad bytes (0xEE) are not written: the file's padding is zero.
    ZeroRowPadding(frame.get());
    EXPECT_EQ(std::memcmp(file.data() + 54, DibPixels(frame.get()), 48), 0);

    DibPtr loaded(CImgFileBmp().Load(dir.WidePath("s.bmp").c_str(), nullptr));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(std::memcmp(loaded.get(), frame.get(), 40 + 48), 0);
}

TEST_F(BmpFileTest, TwentyFourBitPixelsComeFromThePixelOffset)
{
    DibPtr frame = MakeFrame(3, 2);
    const Bytes pixels(DibPixels(frame.get()), DibPixels(frame.get()) + 24);
    DibPtr loaded = LoadBytes(BuildBmp({3, 2, 24, BI_RGB, 0, 40, 1, 6}, {}, pixels));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(MaxPixelDifference(loaded.get(), frame.get()), 0);

    const Bytes shortPixels(pixels.begin(), pixels.end() - 1);
    EXPECT_EQ(LoadBytes(BuildBmp({3, 2, 24}, {}, shortPixels)), nullptr);
}

TEST_F(BmpFileTest, PaletteImagesTakeTheirPaletteFromTheHeaders)
{
    DibPtr full = LoadBytes(BuildBmp({3, 2, 8}, Palette(256), kIndexRows));
    ASSERT_NE(full, nullptr);
    ExpectIndexPixels(full.get(), 256);

    // Two colours: the index rows follow directly; indices past the palette are black.
    DibPtr two = LoadBytes(BuildBmp({3, 2, 8, BI_RGB, 2}, Palette(2), kIndexRows));
    ASSERT_NE(two, nullptr);
    ExpectIndexPixels(two.get(), 2);

    // A larger info header moves the palette; a gap moves the index rows.
    DibPtr v5 = LoadBytes(BuildBmp({3, 2, 8, BI_RGB, 200, 124, 1, 10}, Palette(200), kIndexRows));
    ASSERT_NE(v5, nullptr);
    ExpectIndexPixels(v5.get(), 200);
}

TEST_F(BmpFileTest, RefusedFilesFailAndReleaseTheReuseBlock)
{
    const Bytes pixels24(64, 9);
    Bytes shortPalette = BuildBmp({3, 2, 8}, Palette(256), {});
    shortPalette.resize(54 + 100);
    Bytes headersOnly = BuildBmp({3, 2, 24}, {}, {});
    headersOnly.resize(50);
    struct Case {
        const char* name;
        Bytes file;
    };
    const Case cases[] = {
        {"32-bit", BuildBmp({2, 2, 32}, {}, pixels24)},
        {"16-bit", BuildBmp({2, 2, 16}, {}, pixels24)},
        {"4-bit", BuildBmp({2, 2, 4}, Palette(16), pixels24)},
        {"1-bit", BuildBmp({2, 2, 1}, Palette(2), pixels24)},
        {"two planes", BuildBmp({2, 2, 24, BI_RGB, 0, 40, 2}, {}, pixels24)},
        {"run-length 8-bit", BuildBmp({3, 2, 8, BI_RLE8}, Palette(256), kIndexRows)},
        {"bit fields 24-bit", BuildBmp({2, 2, 24, BI_BITFIELDS}, {}, pixels24)},
        {"core header", BuildBmp({2, 2, 24, BI_RGB, 0, 12}, {}, pixels24)},
        {"top-down", BuildBmp({2, -2, 24}, {}, pixels24)},
        {"width 0", BuildBmp({0, 2, 24}, {}, pixels24)},
        {"width 0 palette", BuildBmp({0, 2, 8}, Palette(256), kIndexRows)},
        {"2^30 rows", BuildBmp({4, 1 << 30, 24}, {}, pixels24)},
        {"2^30 palette rows", BuildBmp({4, 1 << 30, 8}, Palette(256), kIndexRows)},
        {"more than 256 colours", BuildBmp({3, 2, 8, BI_RGB, 300}, Palette(300), kIndexRows)},
        {"short palette", shortPalette},
        {"short index rows", BuildBmp({3, 2, 8}, Palette(256), Bytes(kIndexRows.begin(), kIndexRows.end() - 1))},
        {"headers cut", headersOnly},
        {"empty", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LoadBytes(c.file), nullptr) << c.name;
        EXPECT_EQ(LoadBytes(c.file, AcquireFrameBlock(nullptr, 2, 2)), nullptr) << c.name;
    }
}

TEST_F(BmpFileTest, SaveFailsWhereNoFileCanBeCreated)
{
    DibPtr frame = MakeFrame(2, 2);
    EXPECT_EQ(CImgFileBmp().Save(DibPixels(frame.get()), frame.get(), dir.WidePath("none/x.bmp").c_str()), 0);
}

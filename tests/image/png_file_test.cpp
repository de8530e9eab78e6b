#include "image/png_file.h"

#include "tests/image/image_test_support.h"

#include <gtest/gtest.h>

#include <csetjmp>
#include <cstring>

#include <png.h>

namespace {

// Writes an image of the colour type and depth whose sample bytes count up from 0.
void WriteWithLibpng(const std::string& path, int width, int height, int colourType, int depth,
                     int interlace = PNG_INTERLACE_NONE)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, depth, colourType, interlace, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (colourType == PNG_COLOR_TYPE_PALETTE) {
        png_color palette[4] = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
        png_set_PLTE(png, info, palette, 4);
    }
    png_write_info(png, info);
    const int passes = png_set_interlace_handling(png);
    const size_t rowBytes = png_get_rowbytes(png, info);
    Bytes row(rowBytes);
    for (int pass = 0; pass < passes; ++pass)
        for (int y = 0; y < height; ++y) {
            for (size_t i = 0; i < rowBytes; ++i)
                row[i] = colourType == PNG_COLOR_TYPE_PALETTE
                             ? static_cast<uint8_t>((i + y) % 4)
                             : static_cast<uint8_t>(
                                   PatternByte(static_cast<int>(i / 3), y, static_cast<int>(2 - i % 3)));
            png_write_row(png, row.data());
        }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
}

// The RGB rows of an 8-bit RGB file, top row first.
Bytes ReadRgbRows(const std::string& path, int* width, int* height)
{
    FILE* file = std::fopen(path.c_str(), "rb");
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    png_read_info(png, info);
    *width = static_cast<int>(png_get_image_width(png, info));
    *height = static_cast<int>(png_get_image_height(png, info));
    Bytes rows(3 * *width * *height);
    for (int y = 0; y < *height; ++y)
        png_read_row(png, rows.data() + 3 * *width * y, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    return rows;
}

// Offset of the first chunk of this type (its length field), or 0.
size_t ChunkAt(const Bytes& file, const char* type)
{
    for (size_t at = 8; at + 8 <= file.size();) {
        const size_t length = size_t{file[at]} << 24 | size_t{file[at + 1]} << 16 | size_t{file[at + 2]} << 8 |
                              file[at + 3];
        if (std::memcmp(&file[at + 4], type, 4) == 0)
            return at;
        at += 12 + length;
    }
    return 0;
}

class PngFileTest : public ::testing::Test {
protected:
    BITMAPINFOHEADER* Load(const std::string& name, BITMAPINFOHEADER* reuse = nullptr)
    {
        return CImgFilePng().Load(dir.WidePath(name).c_str(), reuse);
    }

    ImageTestDir dir;
};

} // namespace

TEST_F(PngFileTest, SaveWritesTopRowFirstAndLoadsBackExactly)
{
    DibPtr frame = MakeFrame(7, 5);
    frame->biXPelsPerMeter = 3;
    const BITMAPINFOHEADER before = *frame;
    ASSERT_EQ(CImgFilePng().Save(DibPixels(frame.get()), frame.get(), dir.WidePath("s.png").c_str()), 1);
    EXPECT_EQ(std::memcmp(frame.get(), &before, sizeof(before)), 0) << "the PNG writer leaves the header";

    int width = 0;
    int height = 0;
    const Bytes rows = ReadRgbRows(dir.Path("s.png"), &width, &height);
    ASSERT_EQ(width, 7);
    ASSERT_EQ(height, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(rows[3 * (7 * y + x) + c], PatternByte(x, y, 2 - c));

    DibPtr loaded(Load("s.png"));
    ASSERT_NE(loaded, nullptr);
    BITMAPINFOHEADER standard;
    InitBitmapInfoHeader(&standard, 7, 5);
    EXPECT_EQ(std::memcmp(loaded.get(), &standard, sizeof(standard)), 0);
    EXPECT_EQ(MaxPixelDifference(loaded.get(), frame.get()), 0);
}

TEST_F(PngFileTest, InterlacedRgbLoads)
{
    WriteWithLibpng(dir.Path("i.png"), 9, 6, PNG_COLOR_TYPE_RGB, 8, PNG_INTERLACE_ADAM7);
    DibPtr loaded(Load("i.png"));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(MaxPixelDifference(loaded.get(), MakeFrame(9, 6).get()), 0);
}

TEST_F(PngFileTest, OnlyEightBitRgbIsAccepted)
{
    WriteWithLibpng(dir.Path("rgba.png"), 4, 4, PNG_COLOR_TYPE_RGB_ALPHA, 8);
    WriteWithLibpng(dir.Path("grey.png"), 4, 4, PNG_COLOR_TYPE_GRAY, 8);
    WriteWithLibpng(dir.Path("palette.png"), 4, 4, PNG_COLOR_TYPE_PALETTE, 8);
    WriteWithLibpng(dir.Path("deep.png"), 4, 4, PNG_COLOR_TYPE_RGB, 16);
    for (const char* name : {"rgba.png", "grey.png", "palette.png", "deep.png"}) {
        EXPECT_EQ(Load(name), nullptr) << name;
        EXPECT_EQ(Load(name, AcquireFrameBlock(nullptr, 4, 4)), nullptr) << name;
    }
}

TEST_F(PngFileTest, DamagedFilesFailAndReleaseTheReuseBlock)
{
    WriteWithLibpng(dir.Path("good.png"), 64, 64, PNG_COLOR_TYPE_RGB, 8);
    const Bytes good = ReadFileBytes(dir.Path("good.png"));
    WriteFileBytes(dir.Path("truncated.png"), Bytes(good.begin(), good.begin() + good.size() / 2));
    WriteFileBytes(dir.Path("signature.png"), Bytes(good.begin(), good.begin() + 8));
    Bytes corrupt = good;
    corrupt[good.size() / 2] ^= 0xFF;
    WriteFileBytes(dir.Path("corrupt.png"), corrupt);
    WriteFileBytes(dir.Path("text.png"), Bytes{'h', 'e', 'l', 'l', 'o'});
    for (const char* name : {"truncated.png", "signature.png", "corrupt.png", "text.png", "missing.png"}) {
        EXPECT_EQ(Load(name), nullptr) << name;
        EXPECT_EQ(Load(name, AcquireFrameBlock(nullptr, 64, 64)), nullptr) << name;
    }
}

// A file whose picture data is whole loads even when the end chunk is missing or cut; a file cut
// anywhere before the picture's last byte and checksum fails.
TEST_F(PngFileTest, APictureLoadsWhenItsDataIsWholeWhateverFollowsIt)
{
    WriteWithLibpng(dir.Path("good.png"), 64, 64, PNG_COLOR_TYPE_RGB, 8);
    const Bytes good = ReadFileBytes(dir.Path("good.png"));
    const size_t end = ChunkAt(good, "IEND");
    const size_t data = ChunkAt(good, "IDAT");
    ASSERT_EQ(end, good.size() - 12);
    ASSERT_GT(data, 0u);
    struct Case {
        const char* name;
        size_t length;
        bool loads;
    };
    const Case cases[] = {
        {"complete", good.size(), true},
        {"without its end chunk", end, true},
        {"cut inside its end chunk", end + 6, true},
        {"cut before the last image chunk's checksum", end - 4, false},
        {"cut inside the image data", data + 8 + (end - 4 - data - 8) / 2, false},
        {"cut inside the header", 8 + 8 + 6, false},
    };
    const DibPtr expected = MakeFrame(64, 64);
    for (const Case& c : cases) {
        WriteFileBytes(dir.Path("cut.png"), Bytes(good.begin(), good.begin() + static_cast<ptrdiff_t>(c.length)));
        for (bool reuse : {false, true}) {
            DibPtr loaded(Load("cut.png", reuse ? AcquireFrameBlock(nullptr, 64, 64) : nullptr));
            ASSERT_EQ(loaded != nullptr, c.loads) << c.name << (reuse ? ", into a reuse block" : "");
            if (loaded) {
                EXPECT_EQ(MaxPixelDifference(loaded.get(), expected.get()), 0) << c.name;
            }
        }
    }
}

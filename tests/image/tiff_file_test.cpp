#include "image/tiff_file.h"

#include "tests/image/image_test_support.h"
#include "tests/support/address_space_limit.h"
#include "tests/support/packbits_claim.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <tuple>
#include <utility>

#include <tiffio.h>

namespace {

struct TiffLayout {
    int width;
    int height;
    int bitsPerSample;
    int samplesPerPixel;
    int photometric;
    int planar = PLANARCONFIG_CONTIG;
    bool alpha = false;
};

// Sample s of pixel (x, y) in the test files, at the layout's depth.
uint32_t Sample(int x, int y, int s, int bits)
{
    const uint32_t value = static_cast<uint32_t>(x * 1031 + y * 4099 + s * 257 + 5);
    return bits == 16 ? value & 0xFFFF : value & 0xFF;
}

void WriteWithLibtiff(const std::string& path, const TiffLayout& layout)
{
    TIFF* tiff = TIFFOpen(path.c_str(), "w");
    ASSERT_NE(tiff, nullptr);
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, layout.width);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, layout.height);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, layout.bitsPerSample);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, layout.samplesPerPixel);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, layout.photometric);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, layout.planar);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 1);
    if (layout.alpha) {
        const uint16_t extra = EXTRASAMPLE_ASSOCALPHA;
        TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, &extra);
    }
    std::vector<uint16_t> map(256);
    if (layout.photometric == PHOTOMETRIC_PALETTE) {
        for (int i = 0; i < 256; ++i)
            map[i] = static_cast<uint16_t>(i * 257);
        TIFFSetField(tiff, TIFFTAG_COLORMAP, map.data(), map.data(), map.data());
    }
    const int bytesPerSample = layout.bitsPerSample / 8;
    const bool separate = layout.planar == PLANARCONFIG_SEPARATE;
    const int planes = separate ? layout.samplesPerPixel : 1;
    const int perPixel = separate ? 1 : layout.samplesPerPixel;
    Bytes row(static_cast<size_t>(layout.width) * perPixel * bytesPerSample);
    for (int plane = 0; plane < planes; ++plane)
        for (int y = 0; y < layout.height; ++y) {
            for (int x = 0; x < layout.width; ++x)
                for (int s = 0; s < perPixel; ++s) {
                    const int sample = separate ? plane : s;
                    uint32_t v = Sample(x, y, sample, layout.bitsPerSample);
                    if (layout.alpha && sample == 3)
                        v = 255;
                    const size_t at = (static_cast<size_t>(x) * perPixel + s) * bytesPerSample;
                    if (bytesPerSample == 2) {
                        const auto v16 = static_cast<uint16_t>(v);
                        std::memcpy(&row[at], &v16, 2);
                    } else {
                        row[at] = static_cast<uint8_t>(v);
                    }
                }
            ASSERT_EQ(TIFFWriteScanline(tiff, row.data(), y, static_cast<uint16_t>(plane)), 1);
        }
    TIFFClose(tiff);
}

// A little-endian, uncompressed, single-strip RGB file written by hand, so tags can be left out and
// the strip can be shorter than its byte count claims.
// bitsPerSample 0 leaves the tag out.
Bytes BuildTiffByHand(int width, int height, uint16_t bitsPerSample, size_t stripBytesPresent)
{
    struct Entry {
        uint16_t tag, type;
        uint32_t count, value;
    };
    const bool withBitsPerSample = bitsPerSample != 0;
    const uint32_t stripBytes = static_cast<uint32_t>(3 * (bitsPerSample == 16 ? 2 : 1) * width * height);
    const uint16_t entryCount = withBitsPerSample ? 9 : 8;
    const uint32_t ifdBytes = 2 + 12u * entryCount + 4;
    const uint32_t bitsOffset = 8 + ifdBytes;
    const uint32_t stripOffset = bitsOffset + 8;
    std::vector<Entry> entries = {{256, 4, 1, static_cast<uint32_t>(width)},
                                  {257, 4, 1, static_cast<uint32_t>(height)}};
    if (withBitsPerSample)
        entries.push_back({258, 3, 3, bitsOffset});
    entries.insert(entries.end(), {{259, 3, 1, 1},
                                   {262, 3, 1, 2},
                                   {273, 4, 1, stripOffset},
                                   {277, 3, 1, 3},
                                   {278, 4, 1, static_cast<uint32_t>(height)},
                                   {279, 4, 1, stripBytes}});
    Bytes out = {'I', 'I', 42, 0, 8, 0, 0, 0};
    AppendRaw(out, entryCount);
    for (const Entry& e : entries) {
        AppendRaw(out, e.tag);
        AppendRaw(out, e.type);
        AppendRaw(out, e.count);
        AppendRaw(out, e.value);
    }
    AppendRaw(out, uint32_t{0});
    for (uint16_t bits : {bitsPerSample, bitsPerSample, bitsPerSample, uint16_t{0}})
        AppendRaw(out, bits);
    for (size_t i = 0; i < stripBytesPresent; ++i)
        out.push_back(static_cast<uint8_t>(i * 3));
    return out;
}

class TiffFileTest : public ::testing::Test {
protected:
    BITMAPINFOHEADER* Load(const std::string& name, BITMAPINFOHEADER* reuse = nullptr)
    {
        return CImgFileTiff().Load(dir.WidePath(name).c_str(), reuse);
    }

    ImageTestDir dir;
};

} // namespace

TEST_F(TiffFileTest, SaveWritesOneRgbStripAndLoadsBackExactly)
{
    DibPtr frame = MakeFrame(2, 2);
    const BITMAPINFOHEADER before = *frame;
    ASSERT_EQ(CImgFileTiff().Save(DibPixels(frame.get()), frame.get(), dir.WidePath("s.tif").c_str()), 1);
    EXPECT_EQ(std::memcmp(frame.get(), &before, sizeof(before)), 0);

    TIFF* tiff = TIFFOpen(dir.Path("s.tif").c_str(), "r");
    ASSERT_NE(tiff, nullptr);
    EXPECT_EQ(TIFFNumberOfStrips(tiff), 1u);
    uint64_t* counts = nullptr;
    ASSERT_TRUE(TIFFGetField(tiff, TIFFTAG_STRIPBYTECOUNTS, &counts));
    EXPECT_EQ(counts[0], 12u);
    uint8_t strip[12];
    ASSERT_EQ(TIFFReadEncodedStrip(tiff, 0, strip, 12), 12);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            for (int c = 0; c < 3; ++c)
                EXPECT_EQ(strip[6 * y + 3 * x + c], PatternByte(x, y, 2 - c)) << "top row first, red first";
    TIFFClose(tiff);

    DibPtr wide = MakeFrame(13, 9);
    ASSERT_EQ(CImgFileTiff().Save(DibPixels(wide.get()), wide.get(), dir.WidePath("w.tif").c_str()), 1);
    DibPtr loaded(Load("w.tif"));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(std::memcmp(loaded.get(), wide.get(), sizeof(BITMAPINFOHEADER)), 0);
    EXPECT_EQ(MaxPixelDifference(loaded.get(), wide.get()), 0);
}

TEST_F(TiffFileTest, GreyPaletteAndAlphaGoThroughTheRgbaReader)
{
    WriteWithLibtiff(dir.Path("grey.tif"), {5, 3, 8, 1, PHOTOMETRIC_MINISBLACK});
    WriteWithLibtiff(dir.Path("palette.tif"), {5, 3, 8, 1, PHOTOMETRIC_PALETTE});
    WriteWithLibtiff(dir.Path("alpha.tif"), {5, 3, 8, 4, PHOTOMETRIC_RGB, PLANARCONFIG_CONTIG, true});
    for (const char* name : {"grey.tif", "palette.tif"}) {
        DibPtr dib(Load(name));
        ASSERT_NE(dib, nullptr) << name;
        EXPECT_EQ(dib->biBitCount, 24);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                for (int c = 0; c < 3; ++c)
                    EXPECT_EQ(FrameByte(dib.get(), x, y, c), Sample(x, y, 0, 8)) << name << " " << x << "," << y;
    }
    DibPtr alpha(Load("alpha.tif"));
    ASSERT_NE(alpha, nullptr);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            for (int c = 0; c < 3; ++c)
                EXPECT_EQ(FrameByte(alpha.get(), x, y, c), Sample(x, y, 2 - c, 8)) << x << "," << y;
}

TEST_F(TiffFileTest, SixteenBitRgbGivesTheFortyEightBitForm)
{
    WriteWithLibtiff(dir.Path("deep.tif"), {2, 2, 16, 3, PHOTOMETRIC_RGB});
    WriteWithLibtiff(dir.Path("planes.tif"), {2, 2, 16, 3, PHOTOMETRIC_RGB, PLANARCONFIG_SEPARATE});
    for (const char* name : {"deep.tif", "planes.tif"}) {
        BITMAPINFOHEADER* block = Load(name);
        ASSERT_NE(block, nullptr) << name;
        EXPECT_EQ(block->biBitCount, 48) << name;
        EXPECT_EQ(block->biWidth, 2);
        EXPECT_EQ(block->biHeight, 2);
        EXPECT_EQ(block->biSizeImage, 16u) << "the 24-bit figure";
        EXPECT_EQ(block->biCompression, BI_RGB);
        uint16_t samples[12];
        std::memcpy(samples, DibPixels(block), sizeof(samples));
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 2; ++x)
                for (int s = 0; s < 3; ++s)
                    EXPECT_EQ(samples[6 * y + 3 * x + s], Sample(x, y, s, 16)) << name << ": top row first, red first";

        // A 48-bit block of the size is reused; a 24-bit one of the same size is too small.
        block->biXPelsPerMeter = 5;
        ASSERT_EQ(Load(name, block), block);
        EXPECT_EQ(block->biXPelsPerMeter, 0) << "the 16-bit branch rewrites the header";
        EXPECT_EQ(Load(name, block), block);
        std::free(block);
        EXPECT_EQ(Load(name, AcquireFrameBlock(nullptr, 2, 2)), nullptr);
    }
}

TEST_F(TiffFileTest, DamagedAndIncompleteFilesFail)
{
    WriteFileBytes(dir.Path("nobits.tif"), BuildTiffByHand(4, 4, 0, 48));
    WriteFileBytes(dir.Path("complete.tif"), BuildTiffByHand(16, 16, 8, 3 * 16 * 16));
    WriteFileBytes(dir.Path("text.tif"), Bytes{'t', 'e', 'x', 't'});
    WriteFileBytes(dir.Path("deepcut.tif"), BuildTiffByHand(16, 16, 16, 6 * 16 * 8));
    WriteFileBytes(dir.Path("deepcomplete.tif"), BuildTiffByHand(16, 16, 16, 6 * 16 * 16));

    DibPtr complete(Load("complete.tif"));
    EXPECT_NE(complete, nullptr) << "the hand-built file itself is sound";
    DibPtr deepComplete(Load("deepcomplete.tif"));
    EXPECT_NE(deepComplete, nullptr) << "the hand-built file itself is sound";
    for (const char* name : {"nobits.tif", "text.tif", "deepcut.tif", "missing.tif"}) {
        EXPECT_EQ(Load(name), nullptr) << name;
        EXPECT_EQ(Load(name, AcquireFrameBlock(nullptr, 16, 16)), nullptr) << name;
    }
}

// One damaged strip does not refuse the picture: every other row loads.
TEST_F(TiffFileTest, ADamagedStripDoesNotRefuseThePicture)
{
    constexpr int kWidth = 5;
    constexpr int kHeight = 4;
    constexpr int kDamagedRow = 2;
    WriteWithLibtiff(dir.Path("strips.tif"), {kWidth, kHeight, 8, 3, PHOTOMETRIC_RGB});
    // Point the damaged row's strip (one row a strip) far past the end of the file.
    Bytes bytes = ReadFileBytes(dir.Path("strips.tif"));
    auto le = [&](size_t at, int count) {
        uint32_t v = 0;
        for (int i = count - 1; i >= 0; --i)
            v = v << 8 | bytes.at(at + static_cast<size_t>(i));
        return v;
    };
    const uint32_t ifd = le(4, 4);
    const uint32_t entries = le(ifd, 2);
    bool patched = false;
    for (uint32_t i = 0; i < entries; ++i) {
        const size_t entry = ifd + 2 + 12u * i;
        if (bytes.at(entry) == 0x11 && bytes.at(entry + 1) == 0x01) { // StripOffsets, LONG values
            const uint32_t far = 0x7FFFFF00;
            std::memcpy(&bytes.at(le(entry + 8, 4) + 4 * kDamagedRow), &far, 4);
            patched = true;
        }
    }
    ASSERT_TRUE(patched);
    WriteFileBytes(dir.Path("damaged.tif"), bytes);

    DibPtr dib(Load("damaged.tif"));
    ASSERT_NE(dib, nullptr);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth && y != kDamagedRow; ++x)
            for (int c = 0; c < 3; ++c)
                EXPECT_EQ(FrameByte(dib.get(), x, y, c), Sample(x, y, 2 - c, 8)) << x << "," << y;
}

// Without a BitsPerSample tag a file has one bit a sample, the format's default.
TEST_F(TiffFileTest, AMissingSampleSizeTakesTheDefaultOfOneBit)
{
    // An 8 x 2 bilevel picture, white is 1: rows 0xF0 and 0x0F.
    Bytes bytes = {'I', 'I', 42, 0, 8, 0, 0, 0};
    const uint16_t entryCount = 6;
    AppendRaw(bytes, entryCount);
    const uint32_t stripOffset = 8 + 2 + 12 * entryCount + 4;
    for (const auto& [tag, type, value] : std::initializer_list<std::tuple<uint16_t, uint16_t, uint32_t>>{
             {256, 4, 8}, {257, 4, 2}, {262, 3, 1}, {273, 4, stripOffset}, {278, 4, 2}, {279, 4, 2}}) {
        AppendRaw(bytes, tag);
        AppendRaw(bytes, type);
        AppendRaw(bytes, uint32_t{1});
        AppendRaw(bytes, value);
    }
    AppendRaw(bytes, uint32_t{0});
    bytes.push_back(0xF0);
    bytes.push_back(0x0F);
    WriteFileBytes(dir.Path("bilevel.tif"), bytes);

    DibPtr dib(Load("bilevel.tif"));
    ASSERT_NE(dib, nullptr);
    ASSERT_EQ(dib->biWidth, 8);
    ASSERT_EQ(dib->biHeight, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(FrameByte(dib.get(), x, y, 1), ((x < 4) == (y == 0)) ? 255 : 0) << x << "," << y;
}

namespace {

// An 8-bit RGB file written strip by strip (rowsPerStrip) or tile by tile (tileSide), each
// sample Sample(x, y, s) at the file's own column x and row y, or when flat kClaimGrey.
struct BandLayout {
    const char* name;
    uint16_t orientation;
    uint32_t rowsPerStrip;
    uint32_t tileSide = 0;
    uint16_t compression = COMPRESSION_NONE;
};

void WriteBandFile(const std::string& path, int width, int height, const BandLayout& layout, bool flat)
{
    TIFF* tiff = TIFFOpen(path.c_str(), "w");
    ASSERT_NE(tiff, nullptr);
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_ORIENTATION, layout.orientation);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, layout.compression);
    auto fill = [&](Bytes& block, int left, int top, int columns, int rows) {
        for (int y = 0; y < rows; ++y)
            for (int x = 0; x < columns; ++x)
                for (int s = 0; s < 3; ++s)
                    block[(static_cast<size_t>(y) * columns + x) * 3 + s] = flat ? kClaimGrey
                                                                                 : static_cast<uint8_t>(
                                                                                       Sample(left + x, top + y, s, 8));
    };
    if (layout.tileSide) {
        const int side = static_cast<int>(layout.tileSide);
        TIFFSetField(tiff, TIFFTAG_TILEWIDTH, side);
        TIFFSetField(tiff, TIFFTAG_TILELENGTH, side);
        Bytes tile(static_cast<size_t>(side) * side * 3);
        for (int top = 0; top < height; top += side)
            for (int left = 0; left < width; left += side) {
                fill(tile, left, top, side, side);
                ASSERT_GE(TIFFWriteTile(tiff, tile.data(), left, top, 0, 0), 0);
            }
    } else {
        const int rows = static_cast<int>(layout.rowsPerStrip);
        TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, rows);
        Bytes strip(static_cast<size_t>(width) * rows * 3);
        for (int top = 0, index = 0; top < height; top += rows, ++index) {
            const int n = std::min(rows, height - top);
            fill(strip, 0, top, width, n);
            ASSERT_GE(TIFFWriteEncodedStrip(tiff, index, strip.data(), static_cast<tmsize_t>(width) * n * 3), 0);
        }
    }
    TIFFClose(tiff);
}

} // namespace

// Read row by row or tile by tile, every pixel lands where the picture has it, whichever way
// the file's rows and columns run.
TEST_F(TiffFileTest, APictureReadPieceByPieceHasEveryPixelInPlace)
{
    constexpr int kWidth = 700;
    constexpr int kHeight = 3100;
    const BandLayout layouts[] = {
        {"top-down strips", ORIENTATION_TOPLEFT, 7},
        {"bottom-up strips", ORIENTATION_BOTLEFT, 7},
        {"mirrored bottom-up strips", ORIENTATION_BOTRIGHT, 500},
        {"top-down tiles", ORIENTATION_TOPLEFT, 0, 64},
        {"bottom-up compressed tiles", ORIENTATION_BOTLEFT, 0, 48, COMPRESSION_ADOBE_DEFLATE},
    };
    for (const BandLayout& layout : layouts) {
        SCOPED_TRACE(layout.name);
        WriteBandFile(dir.Path("bands.tif"), kWidth, kHeight, layout, false);
        DibPtr dib(Load("bands.tif"));
        ASSERT_NE(dib, nullptr);
        const bool bottomUp = layout.orientation == ORIENTATION_BOTLEFT || layout.orientation == ORIENTATION_BOTRIGHT;
        const bool mirrored = layout.orientation == ORIENTATION_BOTRIGHT;
        int wrong = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const int fileX = mirrored ? kWidth - 1 - x : x;
                const int fileY = bottomUp ? kHeight - 1 - y : y;
                for (int c = 0; c < 3; ++c)
                    wrong += FrameByte(dib.get(), x, y, c) != Sample(fileX, fileY, 2 - c, 8);
            }
        EXPECT_EQ(wrong, 0);
    }
}

// A small file claiming a huge picture costs the picture's frame and a little more while it
// decodes, never a raster of the picture's size beside the frame: row by row for strips of any
// size, tile by tile for tiles.
TEST_F(TiffFileTest, ASmallFileClaimingAHugePictureCostsItsFrameAndLittleMore)
{
    if (!kAddressSpaceLimitWorks)
        GTEST_SKIP() << "the address space limit cannot be combined with the sanitizer's shadow memory";
    constexpr int kWidth = 4000;
    constexpr int kHeight = 6000; // a 72 MB frame; its raster of four bytes a pixel is 96 MB
    const uint64_t frameBytes = DibPixelAreaBytes(kWidth, kHeight);
    WriteFileBytes(dir.Path("claims.tif"), PackBitsClaim(kWidth, kHeight));
    ASSERT_LT(ReadFileBytes(dir.Path("claims.tif")).size(), 400u);
    WriteBandFile(dir.Path("onestrip.tif"), kWidth, kHeight,
                  {"", ORIENTATION_TOPLEFT, kHeight, 0, COMPRESSION_ADOBE_DEFLATE}, true);
    WriteBandFile(dir.Path("strips.tif"), kWidth, kHeight, {"", ORIENTATION_TOPLEFT, 16, 0, COMPRESSION_ADOBE_DEFLATE},
                  true);
    WriteBandFile(dir.Path("tiles.tif"), kWidth, kHeight, {"", ORIENTATION_TOPLEFT, 0, 256, COMPRESSION_ADOBE_DEFLATE},
                  true);
    struct Case {
        const char* name;
        int top;
        int bottom;
    };
    for (const Case& c : {Case{"claims.tif", kClaimGrey, 0}, Case{"onestrip.tif", kClaimGrey, kClaimGrey},
                          Case{"strips.tif", kClaimGrey, kClaimGrey}, Case{"tiles.tif", kClaimGrey, kClaimGrey}}) {
        SCOPED_TRACE(c.name);
        const std::u16string path = dir.WidePath(c.name);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // The rows the claiming file lacks would each be reported.
            TIFFSetErrorHandler(nullptr);
            TIFFSetWarningHandler(nullptr);
            if (!LimitAddressSpace(frameBytes + (uint64_t{16} << 20)))
                _exit(2);
            DibPtr dib(CImgFileTiff().Load(path.c_str(), nullptr));
            const bool whole = dib && dib->biWidth == kWidth && dib->biHeight == kHeight &&
                               FrameByte(dib.get(), kWidth - 1, 0, 1) == c.top &&
                               FrameByte(dib.get(), 0, kHeight - 1, 2) == c.bottom;
            _exit(whole ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    }
}

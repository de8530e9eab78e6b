#include "image/jpeg_file.h"

#include "image/jpeg_pixels.h"
#include "platform/afx/message_box_route.h"
#include "platform/win/heap.h"
#include "platform/win/text.h"
#include "platform/win/ui_types.h"
#include "tests/image/image_test_support.h"
#include "tests/support/address_space_limit.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <jpeglib.h>

namespace {

struct Decoded {
    int width = 0;
    int height = 0;
    Bytes rgb; // top-down, three bytes a pixel
};

// What libjpeg itself makes of a file with its default settings (grey expanded here).
Decoded DecodeWithLibjpeg(const std::string& path)
{
    Decoded out;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return out;
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr error;
    cinfo.err = jpeg_std_error(&error);
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, file);
    jpeg_read_header(&cinfo, TRUE);
    jpeg_start_decompress(&cinfo);
    out.width = static_cast<int>(cinfo.output_width);
    out.height = static_cast<int>(cinfo.output_height);
    Bytes row(cinfo.output_width * cinfo.output_components);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW p = row.data();
        jpeg_read_scanlines(&cinfo, &p, 1);
        for (int x = 0; x < out.width; ++x)
            for (int c = 0; c < 3; ++c)
                out.rgb.push_back(row[cinfo.output_components == 1 ? x : 3 * x + c]);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    std::fclose(file);
    return out;
}

// Noise rows; markerBytes of application data go into two APP9 markers the decoder skips.
void WriteWithLibjpeg(const std::string& path, int width, int height, J_COLOR_SPACE space, int components,
                      unsigned markerBytes = 0)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr error;
    cinfo.err = jpeg_std_error(&error);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, file);
    cinfo.image_width = width;
    cinfo.image_height = height;
    cinfo.input_components = components;
    cinfo.in_color_space = space;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, markerBytes ? 100 : 75, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    const Bytes marker(markerBytes / 2, 0x5A);
    for (int i = 0; markerBytes && i < 2; ++i)
        jpeg_write_marker(&cinfo, JPEG_APP0 + 9, marker.data(), static_cast<unsigned>(marker.size()));
    Bytes row(width * components);
    while (cinfo.next_scanline < cinfo.image_height) {
        for (size_t i = 0; i < row.size(); ++i)
            row[i] = static_cast<uint8_t>(i * 7 + cinfo.next_scanline * 5 + (i * i * 31 + cinfo.next_scanline) % 17);
        JSAMPROW p = row.data();
        jpeg_write_scanlines(&cinfo, &p, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::fclose(file);
}

// Each packed-DIB pixel is libjpeg's pixel with blue and red exchanged, bottom row first.
void ExpectSameAsLibjpeg(const BITMAPINFOHEADER* dib, const Decoded& reference)
{
    ASSERT_EQ(dib->biWidth, reference.width);
    ASSERT_EQ(dib->biHeight, reference.height);
    int mismatches = 0;
    for (int y = 0; y < reference.height; ++y)
        for (int x = 0; x < reference.width; ++x)
            for (int c = 0; c < 3; ++c)
                mismatches += FrameByte(dib, x, y, c) != reference.rgb[3 * (y * reference.width + x) + 2 - c];
    EXPECT_EQ(mismatches, 0);
}

class JpegFileTest : public ::testing::Test {
protected:
    // Saves a smooth frame through the class and returns its path.
    std::string SaveFrame(const std::string& name, int width, int height, int quality = 95)
    {
        DibPtr frame = MakeFrame(width, height, SmoothByte);
        EXPECT_EQ(CImgFileJpeg().Save(DibPixels(frame.get()), frame.get(), dir.WidePath(name).c_str(), quality), 1);
        return dir.Path(name);
    }

    ImageTestDir dir;
};

} // namespace

TEST_F(JpegFileTest, RoundTripIsCloseAndBitIdenticalToLibjpeg)
{
    for (const auto& [width, height] : {std::pair{37, 23}, std::pair{1, 3}, std::pair{4, 2}, std::pair{16, 16}}) {
        const std::string path = SaveFrame("frame.jpg", width, height);
        DibPtr loaded(CImgFileJpeg().Load(dir.WidePath("frame.jpg").c_str(), nullptr));
        ASSERT_NE(loaded, nullptr);
        BITMAPINFOHEADER expected;
        InitBitmapInfoHeader(&expected, width, height);
        EXPECT_EQ(std::memcmp(loaded.get(), &expected, sizeof(expected)), 0) << width << "x" << height;
        ExpectSameAsLibjpeg(loaded.get(), DecodeWithLibjpeg(path));
        DibPtr original = MakeFrame(width, height, SmoothByte);
        EXPECT_LE(MaxPixelDifference(loaded.get(), original.get()), 6) << width << "x" << height;
    }
}

TEST_F(JpegFileTest, FilesLongerThanTheReadBufferWithSkippedMarkersMatchLibjpeg)
{
    WriteWithLibjpeg(dir.Path("large.jpg"), 640, 480, JCS_RGB, 3, 130000);
    ASSERT_GT(ReadFileBytes(dir.Path("large.jpg")).size(), 4u * 64 * 1024);
    DibPtr loaded(CImgFileJpeg().Load(dir.WidePath("large.jpg").c_str(), nullptr));
    ASSERT_NE(loaded, nullptr);
    ExpectSameAsLibjpeg(loaded.get(), DecodeWithLibjpeg(dir.Path("large.jpg")));
}

TEST_F(JpegFileTest, RowStridesOfNarrowImages)
{
    SaveFrame("one.jpg", 1, 5);
    SaveFrame("four.jpg", 4, 5);
    DibPtr one(CImgFileJpeg().Load(dir.WidePath("one.jpg").c_str(), nullptr));
    DibPtr four(CImgFileJpeg().Load(dir.WidePath("four.jpg").c_str(), nullptr));
    ASSERT_NE(one, nullptr);
    ASSERT_NE(four, nullptr);
    EXPECT_EQ(one->biSizeImage, 4u * 5);
    EXPECT_EQ(four->biSizeImage, 12u * 5);
}

TEST_F(JpegFileTest, GreyscaleLoadsWithEqualChannelsAndRedBecomesGrey76)
{
    // Pure red, written as grey at full quality, decodes to 76 everywhere.
    Bytes red(3 * 16 * 16);
    for (size_t i = 0; i < red.size(); i += 3)
        red[i] = 255;
    ASSERT_EQ(WriteJpegFile(dir.WidePath("grey.jpg").c_str(), red.data(), 16, 16, FALSE, 100), 1);
    DibPtr grey(CImgFileJpeg().Load(dir.WidePath("grey.jpg").c_str(), nullptr));
    ASSERT_NE(grey, nullptr);
    ExpectSameAsLibjpeg(grey.get(), DecodeWithLibjpeg(dir.Path("grey.jpg")));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(FrameByte(grey.get(), x, y, c), 76);

    WriteWithLibjpeg(dir.Path("textured.jpg"), 19, 11, JCS_GRAYSCALE, 1);
    DibPtr textured(CImgFileJpeg().Load(dir.WidePath("textured.jpg").c_str(), nullptr));
    ASSERT_NE(textured, nullptr);
    ExpectSameAsLibjpeg(textured.get(), DecodeWithLibjpeg(dir.Path("textured.jpg")));
}

TEST_F(JpegFileTest, ReuseBlockOfTheSameSizeIsFilledInPlace)
{
    SaveFrame("a.jpg", 20, 10);
    SaveFrame("b.jpg", 20, 10);
    SaveFrame("c.jpg", 21, 10);
    BITMAPINFOHEADER* block = CImgFileJpeg().Load(dir.WidePath("a.jpg").c_str(), nullptr);
    ASSERT_NE(block, nullptr);
    block->biXPelsPerMeter = 1234;
    const BITMAPINFOHEADER before = *block;
    ASSERT_EQ(CImgFileJpeg().Load(dir.WidePath("b.jpg").c_str(), block), block);
    EXPECT_EQ(std::memcmp(block, &before, sizeof(before)), 0);
    ExpectSameAsLibjpeg(block, DecodeWithLibjpeg(dir.Path("b.jpg")));
    // Another size releases the block (the sanitizer build checks that nothing leaks).
    EXPECT_EQ(CImgFileJpeg().Load(dir.WidePath("c.jpg").c_str(), block), nullptr);
}

TEST_F(JpegFileTest, HostileFilesFailAndReleaseTheReuseBlock)
{
    const std::string good = SaveFrame("good.jpg", 64, 48);
    const Bytes bytes = ReadFileBytes(good);
    WriteFileBytes(dir.Path("text.jpg"), Bytes{'n', 'o', 't', ' ', 'a', ' ', 'j', 'p', 'e', 'g'});
    WriteFileBytes(dir.Path("empty.jpg"), Bytes{});
    WriteFileBytes(dir.Path("headeronly.jpg"), Bytes(bytes.begin(), bytes.begin() + 200));
    WriteWithLibjpeg(dir.Path("cmyk.jpg"), 16, 16, JCS_CMYK, 4);
    // The frame header claims 65500 x 65500: far beyond any frame block.
    Bytes huge = bytes;
    for (size_t i = 0; i + 9 < huge.size(); ++i) {
        if (huge[i] == 0xFF && huge[i + 1] == 0xC0) {
            huge[i + 5] = huge[i + 7] = 0xFF;
            huge[i + 6] = huge[i + 8] = 0xDC;
            break;
        }
    }
    WriteFileBytes(dir.Path("huge.jpg"), huge);

    for (const char* name : {"text.jpg", "empty.jpg", "headeronly.jpg", "cmyk.jpg", "huge.jpg", "missing.jpg"}) {
        EXPECT_EQ(CImgFileJpeg().Load(dir.WidePath(name).c_str(), nullptr), nullptr) << name;
        BITMAPINFOHEADER* reuse = AcquireFrameBlock(nullptr, 64, 48);
        EXPECT_EQ(CImgFileJpeg().Load(dir.WidePath(name).c_str(), reuse), nullptr) << name;
    }
    EXPECT_EQ(CImgFileJpeg().Load(nullptr, nullptr), nullptr);
}

// Data that ends early decodes as libjpeg itself makes it out: what was read, the rest grey.
TEST_F(JpegFileTest, DataEndingEarlyDecodesAsTheLibraryDoesWithTheRestGrey)
{
    const Bytes bytes = ReadFileBytes(SaveFrame("whole.jpg", 64, 48));
    enum class BottomRow { Grey, Partly, Decoded };
    const struct {
        const char* name;
        size_t kept;
        BottomRow bottomRow;
    } cases[] = {
        {"half.jpg", bytes.size() / 2, BottomRow::Grey},
        {"cut.jpg", bytes.size() - 200, BottomRow::Partly},
        {"noend.jpg", bytes.size() - 2, BottomRow::Decoded},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes kept(bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(c.kept));
        WriteFileBytes(dir.Path(c.name), kept);
        DibPtr loaded(CImgFileJpeg().Load(dir.WidePath(c.name).c_str(), nullptr));
        ASSERT_NE(loaded, nullptr);
        ExpectSameAsLibjpeg(loaded.get(), DecodeWithLibjpeg(dir.Path(c.name)));
        int greyBytes = 0;
        for (int x = 0; x < 64; ++x)
            for (int ch = 0; ch < 3; ++ch)
                greyBytes += FrameByte(loaded.get(), x, 47, ch) == 128;
        if (c.bottomRow != BottomRow::Partly) {
            EXPECT_EQ(greyBytes == 64 * 3, c.bottomRow == BottomRow::Grey);
        }

        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, kept.size());
        std::memcpy(GlobalLock(block), kept.data(), kept.size());
        GlobalUnlock(block);
        HGLOBAL fromMemory = CImgFileJpeg().LoadFromMemory(block);
        ASSERT_NE(fromMemory, nullptr);
        EXPECT_EQ(MaxPixelDifference(static_cast<const BITMAPINFOHEADER*>(GlobalLock(fromMemory)), loaded.get()), 0);
        GlobalUnlock(fromMemory);
        GlobalFree(fromMemory);
        GlobalFree(block);
    }
}

TEST_F(JpegFileTest, ReadJpegFileGivesTopDownRgb)
{
    const std::string path = SaveFrame("rgb.jpg", 9, 7);
    int width = -1;
    int height = -1;
    std::unique_ptr<BYTE[]> image(ReadJpegFile(CString(dir.WidePath("rgb.jpg").c_str()), &width, &height));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(width, 9);
    EXPECT_EQ(height, 7);
    EXPECT_EQ(Bytes(image.get(), image.get() + 9 * 7 * 3), DecodeWithLibjpeg(path).rgb);

    width = height = -1;
    EXPECT_EQ(ReadJpegFile(CString(dir.WidePath("missing.jpg").c_str()), &width, &height), nullptr);
    EXPECT_EQ(width, 0);
    EXPECT_EQ(height, 0);
}

TEST_F(JpegFileTest, MemoryReaderAndLoadFromMemory)
{
    const std::string path = SaveFrame("memory.jpg", 40, 30);
    const Bytes bytes = ReadFileBytes(path);
    auto blockOf = [](const Bytes& data) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, data.size());
        if (!data.empty())
            std::memcpy(GlobalLock(block), data.data(), data.size());
        GlobalUnlock(block);
        return block;
    };

    HGLOBAL whole = blockOf(bytes);
    int width = 0;
    int height = 0;
    std::unique_ptr<BYTE[]> image(ReadJpegMemory(whole, &width, &height));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(Bytes(image.get(), image.get() + 40 * 30 * 3), DecodeWithLibjpeg(path).rgb);

    HGLOBAL dibBlock = CImgFileJpeg().LoadFromMemory(whole);
    ASSERT_NE(dibBlock, nullptr);
    DibPtr fromFile(CImgFileJpeg().Load(dir.WidePath("memory.jpg").c_str(), nullptr));
    const auto* dib = static_cast<const BITMAPINFOHEADER*>(GlobalLock(dibBlock));
    EXPECT_EQ(GlobalSize(dibBlock), 40u + 120 * 30);
    EXPECT_EQ(std::memcmp(dib, fromFile.get(), sizeof(BITMAPINFOHEADER)), 0);
    EXPECT_EQ(MaxPixelDifference(dib, fromFile.get()), 0);
    GlobalUnlock(dibBlock);
    GlobalFree(dibBlock);
    GlobalFree(whole);

    // An empty block fails; a block cut short still decodes to the full size.
    HGLOBAL empty = blockOf(Bytes{});
    EXPECT_EQ(ReadJpegMemory(empty, &width, &height), nullptr);
    EXPECT_EQ(CImgFileJpeg().LoadFromMemory(empty), nullptr);
    GlobalFree(empty);
    HGLOBAL cut = blockOf(Bytes(bytes.begin(), bytes.end() - 200));
    image.reset(ReadJpegMemory(cut, &width, &height));
    EXPECT_NE(image, nullptr);
    EXPECT_EQ(width, 40);
    EXPECT_EQ(height, 30);
    GlobalFree(cut);
}

TEST_F(JpegFileTest, WriterRefusesEmptyInputAndSaveRewritesTheHeader)
{
    const Bytes rgb(3 * 4 * 4, 128);
    EXPECT_EQ(WriteJpegFile(dir.WidePath("w0.jpg").c_str(), rgb.data(), 0, 4, TRUE, 90), 0);
    EXPECT_EQ(WriteJpegFile(dir.WidePath("h0.jpg").c_str(), rgb.data(), 4, 0, TRUE, 90), 0);
    EXPECT_EQ(WriteJpegFile(dir.WidePath("none.jpg").c_str(), nullptr, 4, 4, TRUE, 90), 0);
    EXPECT_FALSE(FileExists(dir.Path("w0.jpg")));
    EXPECT_FALSE(FileExists(dir.Path("h0.jpg")));
    EXPECT_FALSE(FileExists(dir.Path("none.jpg")));
    EXPECT_EQ(WriteJpegFile(dir.WidePath("nofolder/x.jpg").c_str(), rgb.data(), 4, 4, TRUE, 90), 0);

    DibPtr frame = MakeFrame(6, 3);
    frame->biXPelsPerMeter = 99;
    frame->biClrUsed = 12;
    frame->biSizeImage = 5;
    ASSERT_EQ(CImgFileJpeg().Save(DibPixels(frame.get()), frame.get(), dir.WidePath("s.jpg").c_str(), 80), 1);
    BITMAPINFOHEADER expected;
    InitBitmapInfoHeader(&expected, 6, 3);
    EXPECT_EQ(std::memcmp(frame.get(), &expected, sizeof(expected)), 0);
}

TEST(JpegPixels, SwapFlipPadAndUnpad)
{
    BYTE pixels[] = {1, 2, 3, 4, 5, 6};
    ASSERT_TRUE(SwapRedBlue(pixels, 2, 1));
    EXPECT_EQ(Bytes(pixels, pixels + 6), (Bytes{3, 2, 1, 6, 5, 4}));
    EXPECT_FALSE(SwapRedBlue(nullptr, 2, 1));

    BYTE rows[] = {1, 1, 2, 2, 3, 3};
    ASSERT_TRUE(FlipRows(rows, 2, 3));
    EXPECT_EQ(Bytes(rows, rows + 6), (Bytes{3, 3, 2, 2, 1, 1}));
    EXPECT_FALSE(FlipRows(nullptr, 2, 3));

    const BYTE image[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    int stride = 0;
    std::unique_ptr<BYTE[]> padded(PadRows(image, 2, 2, &stride));
    ASSERT_NE(padded, nullptr);
    EXPECT_EQ(stride, 8);
    EXPECT_EQ(Bytes(padded.get(), padded.get() + 6), (Bytes{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(Bytes(padded.get() + 8, padded.get() + 14), (Bytes{7, 8, 9, 10, 11, 12}));
    std::unique_ptr<BYTE[]> unpadded(UnpadRows(padded.get(), 2, stride, 2));
    ASSERT_NE(unpadded, nullptr);
    EXPECT_EQ(Bytes(unpadded.get(), unpadded.get() + 12), Bytes(image, image + 12));
    EXPECT_EQ(PadRows(nullptr, 2, 2, &stride), nullptr);
    EXPECT_EQ(UnpadRows(nullptr, 2, 8, 2), nullptr);
}

// A few hundred bytes that claim a huge picture are decoded into one block the size of the
// picture, never into several copies of it at once.
TEST_F(JpegFileTest, ASmallFileClaimingAHugePictureIsHeldOnceFromMemory)
{
    if (!kAddressSpaceLimitWorks)
        GTEST_SKIP() << "the address space limit cannot be combined with the sanitizer's shadow memory";
    Bytes bytes = ReadFileBytes(SaveFrame("small.jpg", 16, 16));
    constexpr int kSide = 8000; // 192 MB as a packed DIB
    bool patched = false;
    for (size_t at = 2; at + 9 < bytes.size(); ++at) {
        if (bytes[at] == 0xFF && bytes[at + 1] == 0xC0) {
            bytes[at + 5] = bytes[at + 7] = kSide >> 8;
            bytes[at + 6] = bytes[at + 8] = kSide & 0xFF;
            patched = true;
            break;
        }
    }
    ASSERT_TRUE(patched);
    HGLOBAL source = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(GlobalLock(source), bytes.data(), bytes.size());
    GlobalUnlock(source);

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Room for one copy and a half: two copies cannot be had.
        long pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        const rlim_t room = static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) +
                            DibPixelAreaBytes(kSide, kSide) * 3 / 2;
        const rlimit limit{room, room};
        setrlimit(RLIMIT_AS, &limit);
        HGLOBAL dib = CImgFileJpeg().LoadFromMemory(source);
        _exit(dib && GlobalSize(dib) == sizeof(BITMAPINFOHEADER) + DibPixelAreaBytes(kSide, kSide) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    GlobalFree(source);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

namespace {

struct AskedBox {
    std::u16string text;
    UINT type = 0;
};

std::vector<AskedBox>& AskedBoxes()
{
    static std::vector<AskedBox> boxes;
    return boxes;
}

int RecordBox(LPCTSTR text, UINT type)
{
    AskedBoxes().push_back({text, type});
    return IDOK;
}

// The boxes the readers and the writer ask for, caught where the application would show them.
class JpegBoxTest : public JpegFileTest {
protected:
    void SetUp() override
    {
        AskedBoxes().clear();
        AfxSetMessageBoxRoute(RecordBox);
    }
    void TearDown() override { AfxSetMessageBoxRoute(nullptr); }
};

// The file's frame header claims side x side pixels.
Bytes ClaimingSize(Bytes bytes, int side)
{
    for (size_t i = 0; i + 9 < bytes.size(); ++i) {
        if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0) {
            bytes[i + 5] = bytes[i + 7] = static_cast<uint8_t>(side >> 8);
            bytes[i + 6] = bytes[i + 8] = static_cast<uint8_t>(side & 0xFF);
            break;
        }
    }
    return bytes;
}

HGLOBAL BlockOf(const Bytes& data)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, data.size());
    std::memcpy(GlobalLock(block), data.data(), data.size());
    GlobalUnlock(block);
    return block;
}

} // namespace

// A picture too large to be held is said once, in an error box, by every way of reading it;
// the other failures say nothing.
TEST_F(JpegBoxTest, APictureTooLargeToHoldIsSaidOnceByEveryReader)
{
    const Bytes good = ReadFileBytes(SaveFrame("good.jpg", 64, 48));
    const Bytes huge = ClaimingSize(good, 20000); // 1.2 GB as a packed DIB
    WriteFileBytes(dir.Path("huge.jpg"), huge);
    WriteFileBytes(dir.Path("text.jpg"), Bytes{'n', 'o', 't', ' ', 'a', ' ', 'j', 'p', 'e', 'g'});
    WriteWithLibjpeg(dir.Path("cmyk.jpg"), 16, 16, JCS_CMYK, 4);
    const std::u16string hugePath = dir.WidePath("huge.jpg");
    struct Case {
        const char* name;
        std::function<bool()> fails;
        size_t boxes;
    };
    const auto load = [this](const char* name, BITMAPINFOHEADER* reuse) {
        return DibPtr(CImgFileJpeg().Load(dir.WidePath(name).c_str(), reuse)) == nullptr;
    };
    const auto fromMemory = [](const Bytes& bytes) {
        HGLOBAL block = BlockOf(bytes);
        HGLOBAL dib = CImgFileJpeg().LoadFromMemory(block);
        GlobalFree(block);
        GlobalFree(dib);
        return dib == nullptr;
    };
    const Case cases[] = {
        {"Load, too large", [&] { return load("huge.jpg", nullptr); }, 1},
        {"Load into a reuse block, too large", [&] { return load("huge.jpg", AcquireFrameBlock(nullptr, 64, 48)); }, 1},
        {"ReadJpegFile, too large",
         [&] {
             int width = 0;
             int height = 0;
             return std::unique_ptr<BYTE[]>(ReadJpegFile(hugePath.c_str(), &width, &height)) == nullptr;
         },
         1},
        {"LoadFromMemory, too large", [&] { return fromMemory(huge); }, 1},
        {"ReadJpegMemory, too large",
         [&] {
             HGLOBAL block = BlockOf(huge);
             int width = 0;
             int height = 0;
             const bool failed = std::unique_ptr<BYTE[]>(ReadJpegMemory(block, &width, &height)) == nullptr;
             GlobalFree(block);
             return failed;
         },
         1},
        {"not a JPEG file", [&] { return load("text.jpg", nullptr); }, 0},
        {"CMYK", [&] { return load("cmyk.jpg", nullptr); }, 0},
        {"a reuse block of another size", [&] { return load("good.jpg", AcquireFrameBlock(nullptr, 32, 32)); }, 0},
    };
    for (const Case& c : cases) {
        AskedBoxes().clear();
        EXPECT_TRUE(c.fails()) << c.name;
        ASSERT_EQ(AskedBoxes().size(), c.boxes) << c.name;
        for (const AskedBox& box : AskedBoxes()) {
            EXPECT_EQ(box.text, u"JpegFile :\nOut of memory") << c.name;
            EXPECT_EQ(box.type, UINT{MB_OK | MB_ICONERROR}) << c.name;
        }
    }
}

// The grey writer's rows cannot be had: "Memory error" in a plain box, and no file.
TEST_F(JpegBoxTest, TheGreyWritersRowsNotHadAreSaidAndNothingIsWritten)
{
    if (!kAddressSpaceLimitWorks)
        GTEST_SKIP() << "the address space limit cannot be combined with the sanitizer's shadow memory";
    constexpr int kSide = 4096;
    const std::string path = dir.Path("grey.jpg");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::unique_ptr<BYTE[]> rows(new BYTE[3 * kSide * kSide]);
        std::memset(rows.get(), 0x80, 3 * kSide * kSide);
        AskedBoxes().reserve(4);
        // Room for a few megabytes more, not for the grey rows' sixteen.
        long pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        const rlim_t room = static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + (rlim_t{4} << 20);
        const rlimit limit{room, room};
        setrlimit(RLIMIT_AS, &limit);
        const int written = WriteJpegFile(CString(path.c_str()), rows.get(), kSide, kSide, FALSE, 90);
        const bool said = AskedBoxes().size() == 1 && AskedBoxes()[0].text == u"Memory error" &&
                          AskedBoxes()[0].type == UINT{MB_OK};
        _exit(written == 0 && said && access(path.c_str(), F_OK) != 0 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

// Found by fuzzing: 305 bytes that claim 18000 x 18000 pixels (a 972 MB frame). The picture loads
// from the file and from memory alike, and again into its own block. It is checked here, once,
// instead of on every pass of the fuzzer.
TEST_F(JpegFileTest, AFoundFileClaiming18000SquarePixelsLoadsAlikeFromFileAndMemory)
{
    const std::string path = std::string(IMAGE_REGRESSIONS_DIR) + "/jpeg_claims_18000_square.jpg";
    const Bytes bytes = ReadFileBytes(path);
    ASSERT_EQ(bytes.size(), 305u);
    constexpr int kSide = 18000;
    const size_t blockBytes = sizeof(BITMAPINFOHEADER) + DibPixelAreaBytes(kSide, kSide);
    const auto digest = [&](const void* block) {
        return std::hash<std::string_view>()(std::string_view(static_cast<const char*>(block), blockBytes));
    };

    CImgFileJpeg reader;
    const std::u16string wide = Utf8ToUtf16(path);
    DibPtr fromFile(reader.Load(wide.c_str(), nullptr));
    ASSERT_NE(fromFile, nullptr);
    EXPECT_EQ(fromFile->biWidth, kSide);
    EXPECT_EQ(fromFile->biHeight, kSide);
    EXPECT_EQ(fromFile->biBitCount, 24);
    const size_t loaded = digest(fromFile.get());
    BITMAPINFOHEADER* block = fromFile.release();
    fromFile.reset(reader.Load(wide.c_str(), block));
    EXPECT_EQ(fromFile.get(), block);
    ASSERT_NE(fromFile, nullptr);
    EXPECT_EQ(digest(fromFile.get()), loaded);
    fromFile.reset();

    HGLOBAL source = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(GlobalLock(source), bytes.data(), bytes.size());
    GlobalUnlock(source);
    HGLOBAL fromMemory = reader.LoadFromMemory(source);
    GlobalFree(source);
    ASSERT_NE(fromMemory, nullptr);
    EXPECT_EQ(GlobalSize(fromMemory), blockBytes);
    EXPECT_EQ(digest(GlobalLock(fromMemory)), loaded);
    GlobalUnlock(fromMemory);
    GlobalFree(fromMemory);
}

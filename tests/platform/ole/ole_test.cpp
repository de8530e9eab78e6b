#include "platform/afx/gdi.h"
#include "platform/ole/ole.h"
#include "tests/support/qt_app.h"

#include <QBuffer>
#include <QImage>
#include <QMimeData>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray Encode(const char* format)
{
    QImage image(5, 3, QImage::Format_RGB32);
    image.fill(QColor(200, 100, 50));
    if (std::strcmp(format, "JPEG") != 0)
        image.setPixel(0, 2, qRgb(0, 0, 0)); // bottom-left, to see the row order
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format));
    return bytes;
}

HGLOBAL Block(const QByteArray& bytes)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(bytes.size()));
    std::memcpy(GlobalLock(block), bytes.constData(), static_cast<size_t>(bytes.size()));
    GlobalUnlock(block);
    return block;
}

HRESULT Load(const QByteArray& bytes, IPicture** picture)
{
    HGLOBAL block = Block(bytes);
    LPSTREAM stream = nullptr;
    EXPECT_EQ(CreateStreamOnHGlobal(block, FALSE, &stream), S_OK);
    const HRESULT hr = OleLoadPicture(stream, static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                                      reinterpret_cast<LPVOID*>(picture));
    stream->Release();
    EXPECT_EQ(GlobalFree(block), nullptr); // the block stays the caller's
    return hr;
}

// The most address space the process has held, from /proc/self/status.
long PeakAddressSpaceKb()
{
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word)
        if (word == "VmPeak:" && status >> word)
            return std::stol(word);
    return 0;
}

class PictureLoader : public ::testing::TestWithParam<const char*> {};

TEST_P(PictureLoader, DecodesIntoATwentyFourBitBottomUpSection)
{
    TestApp();
    IPicture* picture = nullptr;
    ASSERT_EQ(Load(Encode(GetParam()), &picture), S_OK);
    OLE_HANDLE handle = 0;
    ASSERT_EQ(picture->get_Handle(&handle), S_OK);
    BITMAP bm{};
    ASSERT_EQ(GetObjectW(reinterpret_cast<HGDIOBJ>(handle), sizeof(bm), &bm), static_cast<int>(sizeof(bm)));
    EXPECT_EQ(bm.bmWidth, 5);
    EXPECT_EQ(bm.bmHeight, 3);
    EXPECT_EQ(bm.bmBitsPixel, 24);
    ASSERT_NE(bm.bmBits, nullptr);
    // The top-left pixel is the first pixel of the last stored row, as blue, green, red.
    const auto* top = static_cast<const BYTE*>(bm.bmBits) + 2 * bm.bmWidthBytes;
    EXPECT_NEAR(top[0], 50, 4);
    EXPECT_NEAR(top[1], 100, 4);
    EXPECT_NEAR(top[2], 200, 4);
    if (std::strcmp(GetParam(), "JPEG") != 0) {
        const auto* bottom = static_cast<const BYTE*>(bm.bmBits);
        EXPECT_EQ(bottom[0] + bottom[1] + bottom[2], 0);
    }
    picture->Release();
}

INSTANTIATE_TEST_SUITE_P(Formats, PictureLoader, ::testing::Values("BMP", "PNG", "JPEG"));

TEST(PictureLoaderGif, OnePixelGifDecodes)
{
    TestApp();
    // A 1x1 GIF.
    static const char gif[] = "GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\x00\x00\x00\x00\x00,\x00\x00\x00\x00"
                              "\x01\x00\x01\x00\x00\x02\x02D\x01\x00;";
    IPicture* picture = nullptr;
    ASSERT_EQ(Load(QByteArray(gif, sizeof(gif) - 1), &picture), S_OK);
    OLE_HANDLE handle = 0;
    picture->get_Handle(&handle);
    BITMAP bm{};
    GetObjectW(reinterpret_cast<HGDIOBJ>(handle), sizeof(bm), &bm);
    EXPECT_EQ(bm.bmBitsPixel, 24);
    EXPECT_EQ(bm.bmWidth, 1);
    EXPECT_EQ(bm.bmHeight, 1);
    EXPECT_NE(bm.bmBits, nullptr);
    picture->Release();
}

// The 54-byte header of a 24-bit BMP of the size, then 9 pixel bytes: the first stored row's
// first three pixels, the rest missing. A negative height stores the rows top-down.
QByteArray ShortBmp(int width, int height)
{
    QByteArray bmp(54, '\0');
    const auto put32 = [&](int at, uint32_t value) {
        for (int i = 0; i < 4; ++i)
            bmp[at + i] = static_cast<char>(value >> (8 * i));
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, 63);
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    bmp[26] = 1;
    bmp[28] = 24;
    return bmp + QByteArray("\x10\x20\x30\x10\x20\x30\x10\x20\x30", 9);
}

TEST(PictureLoaderFailures, GarbageTruncatedAndUnlistedFormatsFail)
{
    TestApp();
    IPicture* picture = nullptr;
    EXPECT_TRUE(FAILED(Load(QByteArray("this is no picture at all"), &picture)));
    EXPECT_EQ(picture, nullptr);
    const QByteArray png = Encode("PNG");
    EXPECT_TRUE(FAILED(Load(png.left(png.size() / 2), &picture)));
    EXPECT_TRUE(FAILED(Load(Encode("PPM"), &picture)));
    EXPECT_EQ(picture, nullptr);
}

// A PNG chunk or a BMP header claiming far more than the file holds would have the memory for it
// allocated (and the BMP's zeroed): such files are refused first.
TEST(PictureLoaderFailures, FilesClaimingMoreThanTheyHoldAreRefusedWithoutTheMemory)
{
    TestApp();
    const QByteArray png = Encode("PNG");
    const qsizetype iend = png.indexOf("IEND") - 4;
    ASSERT_GT(iend, 8);
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"before the pixels", png.left(8) + QByteArray("\x60\x00\x00\x00tEXtab", 10) + png.mid(8)},
        {"after the pixels", png.left(iend) + QByteArray("\x60\x00\x00\x00tEXtab", 10) + png.mid(iend)},
        {"BMP of 8960 x 16387", ShortBmp(8960, 16387)},
        {"top-down BMP of 8960 x 16387", ShortBmp(8960, -16387)},
    };
    for (const auto& c : cases) {
        // In a child, so the address space it reserves is its own to measure.
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const long before = PeakAddressSpaceKb();
            IPicture* picture = nullptr;
            const bool refused = FAILED(Load(c.bytes, &picture)) && picture == nullptr;
            _exit(refused && PeakAddressSpaceKb() - before < 256 * 1024 ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << c.what;
    }
    IPicture* picture = nullptr;
    ASSERT_EQ(Load(png, &picture), S_OK) << "the file itself is sound";
    picture->Release();
}

// A BMP whose pixels end early loads with the missing part black, never with stale memory: rows
// stored bottom-up, and top-down (a negative height, where the reader makes its own image).
TEST(PictureLoaderFailures, ABmpEndingEarlyLoadsTheMissingPixelsBlack)
{
    TestApp();
    constexpr int kWidth = 1021;
    constexpr int kHeight = 5;
    for (const bool topDown : {false, true}) {
        SCOPED_TRACE(topDown ? "top-down" : "bottom-up");
        const QByteArray bmp = ShortBmp(kWidth, topDown ? -kHeight : kHeight);
        // Leave freed memory of the picture's size behind, so stale bytes would show.
        std::vector<std::unique_ptr<char[]>> dirty;
        for (int i = 0; i < 8; ++i) {
            dirty.emplace_back(new char[kWidth * kHeight * 4]);
            std::memset(dirty.back().get(), 0xAB, kWidth * kHeight * 4);
        }
        dirty.clear();
        IPicture* picture = nullptr;
        ASSERT_EQ(Load(bmp, &picture), S_OK);
        OLE_HANDLE handle = 0;
        picture->get_Handle(&handle);
        BITMAP bm{};
        GetObjectW(reinterpret_cast<HGDIOBJ>(handle), sizeof(bm), &bm);
        ASSERT_EQ(bm.bmWidth, kWidth);
        ASSERT_EQ(bm.bmHeight, kHeight);
        // The section's rows lie bottom-up: the stored row is its first in memory, or its last.
        const int present = topDown ? kHeight - 1 : 0;
        const auto* bits = static_cast<const uint8_t*>(bm.bmBits);
        int stale = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = y == present ? 9 : 0; x < kWidth * 3; ++x)
                stale += bits[static_cast<size_t>(y) * bm.bmWidthBytes + x] != 0;
        EXPECT_EQ(stale, 0);
        picture->Release();
    }
}

TEST(PictureLoaderFailures, IconsComeBackAsIconsNotSections)
{
    TestApp();
    IPicture* picture = nullptr;
    ASSERT_EQ(Load(Encode("ICO"), &picture), S_OK);
    short type = 0;
    picture->get_Type(&type);
    EXPECT_EQ(type, PICTYPE_ICON);
    OLE_HANDLE handle = 0;
    picture->get_Handle(&handle);
    BITMAP bm{};
    GetObjectW(reinterpret_cast<HGDIOBJ>(handle), sizeof(bm), &bm);
    EXPECT_NE(bm.bmBitsPixel, 24);
    EXPECT_EQ(bm.bmBits, nullptr);
    picture->Release();
}

TEST(OleDataObject, TextComesAsANewZeroTerminatedBlock)
{
    TestApp();
    QMimeData mime;
    mime.setText(QString::fromUtf16(u"/写真/day"));
    COleDataObject data(&mime);
    EXPECT_TRUE(data.IsDataAvailable(CF_TEXT));
    EXPECT_FALSE(data.IsDataAvailable(CF_HDROP));
    HGLOBAL block = data.GetGlobalData(CF_TEXT);
    ASSERT_NE(block, nullptr);
    EXPECT_STREQ(static_cast<const char*>(GlobalLock(block)), "/写真/day");
    GlobalUnlock(block);
    EXPECT_EQ(GlobalFree(block), nullptr);
    QMimeData empty;
    EXPECT_EQ(COleDataObject(&empty).GetGlobalData(CF_TEXT), nullptr);
}

} // namespace

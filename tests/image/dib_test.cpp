#include "image/bmp_file.h"
#include "image/dib.h"
#include "image/img_file_com.h"
#include "tests/support/test_support.h"
#include "platform/afx/cdc.h"
#include "tests/support/qt_app.h"

#include <QImage>

#include <gtest/gtest.h>

#include <fstream>

#include <cstring>

namespace {

TEST(Dib, CreateMakesATwentyFourBitBottomUpSection)
{
    TestApp();
    CDib dib;
    BITMAP bm;
    std::memset(&bm, 0x55, sizeof(bm));
    dib.GetBitmapInfo(&bm);
    const BITMAP zero{};
    EXPECT_EQ(std::memcmp(&bm, &zero, sizeof(bm)), 0);
    ASSERT_TRUE(dib.Create(2, 2));
    dib.GetBitmapInfo(&bm);
    EXPECT_EQ(bm.bmWidth, 2);
    EXPECT_EQ(bm.bmHeight, 2);
    EXPECT_EQ(bm.bmBitsPixel, 24);
    EXPECT_EQ(bm.bmWidthBytes, 8);
    ASSERT_NE(bm.bmBits, nullptr);
    // Row 0 of the bits is the bottom row of the picture.
    auto* bits = static_cast<BYTE*>(bm.bmBits);
    bits[0] = 0xFF; // blue, bottom-left
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CBitmap* old = dc.SelectObject(&dib);
    EXPECT_EQ(dc.GetPixel(0, 1), RGB(0, 0, 255));
    dc.SetPixel(1, 0, RGB(10, 20, 30)); // top-right
    dc.SelectObject(old);
    EXPECT_EQ(bits[8 + 3], 30);
    EXPECT_EQ(bits[8 + 5], 10);
}

TEST(Dib, RefusesImpossibleSizesAndKeepsWhatItHeld)
{
    TestApp();
    CDib dib;
    ASSERT_TRUE(dib.Create(4, 4));
    const HGDIOBJ held = dib.m_hObject;
    EXPECT_FALSE(dib.Create(0, 4));
    EXPECT_FALSE(dib.Create(4, -4));
    EXPECT_FALSE(dib.Create(1 << 20, 1 << 20));
    EXPECT_EQ(dib.m_hObject, held);
}


CString PathOf(const std::string& path) { return CString(path.c_str()); }

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string Picture(const char* format)
{
    TempFolder scratch;
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(QColor(10, 20, 30));
    image.setPixel(2, 0, qRgb(200, 150, 100));
    const std::string path = scratch / "p";
    image.save(QString::fromStdString(path), format);
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class PictureFiles : public ::testing::Test {
protected:
    void SetUp() override { TestApp(); }
    TempFolder folder;
};

TEST_F(PictureFiles, SystemReaderGivesAPackedDibAndReusesAMatchingBlock)
{
    WriteBytes(folder / "a.png", Picture("PNG"));
    CImgFileCom reader;
    BITMAPINFOHEADER* dib = reader.Load(PathOf(folder / "a.png"), nullptr);
    ASSERT_NE(dib, nullptr);
    EXPECT_EQ(dib->biWidth, 3);
    EXPECT_EQ(dib->biHeight, 2);
    EXPECT_EQ(dib->biBitCount, 24);
    const BYTE* topRight = DibPixels(dib) + DibRowStride(3) * 1 + 3 * 2;
    EXPECT_EQ(topRight[0], 100);
    EXPECT_EQ(topRight[2], 200);
    BITMAPINFOHEADER* again = reader.Load(PathOf(folder / "a.png"), dib);
    EXPECT_EQ(again, dib);
    std::free(again);
}

TEST_F(PictureFiles, IconsGarbageAndMissingFilesFailAndReleaseTheReuseBlock)
{
    WriteBytes(folder / "i.ico", Picture("ICO"));
    WriteBytes(folder / "g.png", "not a picture");
    CImgFileCom reader;
    for (const std::string& name : {std::string("i.ico"), std::string("g.png"), std::string("missing.png")}) {
        auto* reuse = static_cast<BITMAPINFOHEADER*>(std::malloc(sizeof(BITMAPINFOHEADER) + 64));
        InitBitmapInfoHeader(reuse, 3, 2);
        EXPECT_EQ(reader.Load(PathOf(folder / name), reuse), nullptr) << name; // the sanitizer sees the release
    }
}

TEST_F(PictureFiles, SavedSectionReadsBackToTheSamePixels)
{
    CDib empty;
    EXPECT_EQ(empty.SaveBmp(PathOf(folder / "none.bmp")), 0);
    CDib dib;
    ASSERT_TRUE(dib.Create(5, 3));
    BITMAP bm;
    dib.GetBitmapInfo(&bm);
    auto* bits = static_cast<BYTE*>(bm.bmBits);
    for (int i = 0; i < bm.bmWidthBytes * 3; ++i)
        bits[i] = static_cast<BYTE>(i * 7);
    ASSERT_EQ(dib.SaveBmp(PathOf(folder / "s.bmp")), 1);
    CImgFileBmp bmp;
    DibPtr back(bmp.Load(PathOf(folder / "s.bmp"), nullptr));
    ASSERT_NE(back, nullptr);
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(std::memcmp(DibPixels(back.get()) + DibRowStride(5) * row, bits + bm.bmWidthBytes * row, 15), 0);
    CDib loaded;
    ASSERT_TRUE(loaded.LoadBitmapFile(PathOf(folder / "s.bmp")));
    BITMAP lb;
    loaded.GetBitmapInfo(&lb);
    // The pixels come back; the pad byte of each row is written as zero, not as the section's.
    const auto* loadedBits = static_cast<const BYTE*>(lb.bmBits);
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(std::memcmp(loadedBits + lb.bmWidthBytes * row, bits + bm.bmWidthBytes * row, 15), 0);
        EXPECT_EQ(loadedBits[lb.bmWidthBytes * row + 15], 0);
    }
}

TEST_F(PictureFiles, PictureFileThatCannotBeDecodedStillReportsTheFileWasRead)
{
    WriteBytes(folder / "g.jpg", "garbage");
    WriteBytes(folder / "ok.jpg", Picture("JPEG"));
    CDib dib;
    EXPECT_TRUE(dib.LoadPictureFile(PathOf(folder / "g.jpg")));
    EXPECT_EQ(dib.m_hObject, nullptr);
    EXPECT_FALSE(dib.LoadPictureFile(PathOf(folder / "missing.jpg")));
    EXPECT_TRUE(dib.LoadPictureFile(PathOf(folder / "ok.jpg")));
    BITMAP bm;
    dib.GetBitmapInfo(&bm);
    EXPECT_EQ(bm.bmWidth, 3);
    EXPECT_EQ(bm.bmBitsPixel, 24);
    EXPECT_FALSE(dib.LoadPictureResource(1, u"PNG"));
    EXPECT_FALSE(dib.LoadBitmapResource(1));
}

} // namespace

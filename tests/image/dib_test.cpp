#include "image/bmp_file.h"
#include "image/dib.h"
#include "image/img_file_com.h"
#include "platform/afx/cdc.h"
#include "platform/win/module.h"
#include "platform/win/resource_provider.h"
#include "resources/program_resources.h"
#include "tests/support/qt_app.h"
#include "tests/support/test_support.h"

#include <QIcon>
#include <QImage>

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <functional>

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

void WriteBytes(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

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

// The program's own resources, with a few pictures among them.
class PictureResources : public ResourceProvider {
public:
    explicit PictureResources(std::span<const DataResource> pictures) : m_pictures(pictures) {}
    std::span<const StringResource> Strings() const override { return Program().Strings(); }
    std::span<const DialogTemplate* const> DialogTemplates() const override { return Program().DialogTemplates(); }
    QIcon DrawIcon(UINT id) const override { return Program().DrawIcon(id); }
    std::span<const BYTE> VersionRecord() const override { return Program().VersionRecord(); }
    const MenuResource* FindMenu(UINT id) const override { return Program().FindMenu(id); }
    const AcceleratorTableResource* FindAccelerators(UINT id) const override { return Program().FindAccelerators(id); }
    const ToolBarResource* FindToolBar(UINT id) const override { return Program().FindToolBar(id); }
    QIcon DrawToolBarButton(UINT bar, UINT command) const override { return Program().DrawToolBarButton(bar, command); }
    std::span<const DataResource> DataResources() const override { return m_pictures; }

private:
    static const ResourceProvider& Program() { return ProgramResources(); }
    std::span<const DataResource> m_pictures;
};

std::span<const BYTE> BytesOf(const std::string& text)
{
    return {reinterpret_cast<const BYTE*>(text.data()), text.size()};
}

// The 3 x 2 picture of Picture(): its top-right pixel is 200, 150, 100.
bool HoldsThePicture(const CDib& dib)
{
    BITMAP bm;
    dib.GetBitmapInfo(&bm);
    if (bm.bmWidth != 3 || bm.bmHeight != 2 || bm.bmBitsPixel != 24 || !bm.bmBits)
        return false;
    const auto* topRight = static_cast<const BYTE*>(bm.bmBits) + bm.bmWidthBytes + 3 * 2;
    return topRight[0] == 100 && topRight[1] == 150 && topRight[2] == 200;
}

TEST_F(PictureFiles, PictureAndBitmapResourcesAreFoundByIdAndType)
{
    const std::string png = Picture("PNG");
    const std::string bmp = Picture("BMP");
    const std::string garbage = "not a picture";
    const std::array pictures = {
        DataResource{u"PNG", 200, BytesOf(png)},
        DataResource{RT_BITMAP, 201, BytesOf(bmp)},
        DataResource{RT_BITMAP, 202, BytesOf(png)},
        DataResource{u"PNG", 203, BytesOf(garbage)},
    };
    const PictureResources resources(pictures);
    InstallResourceProvider(&resources);
    struct Case {
        const char* name;
        std::function<BOOL(CDib&)> load;
        BOOL result;
        bool picture;
    };
    const Case cases[] = {
        {"a PNG resource", [](CDib& d) { return d.LoadPictureResource(200, u"PNG"); }, TRUE, true},
        {"its type in other letters", [](CDib& d) { return d.LoadPictureResource(200, u"png"); }, TRUE, true},
        {"a picture that does not decode", [](CDib& d) { return d.LoadPictureResource(203, u"PNG"); }, TRUE, false},
        {"an id of another type", [](CDib& d) { return d.LoadPictureResource(201, u"PNG"); }, FALSE, false},
        {"a missing id", [](CDib& d) { return d.LoadPictureResource(999, u"PNG"); }, FALSE, false},
        {"an id past 16 bits", [](CDib& d) { return d.LoadPictureResource(200 + 0x10000, u"PNG"); }, FALSE, false},
        {"a bitmap resource", [](CDib& d) { return d.LoadBitmapResource(201); }, TRUE, true},
        {"a PNG file as a bitmap resource", [](CDib& d) { return d.LoadBitmapResource(202); }, FALSE, false},
        {"a PNG resource as a bitmap", [](CDib& d) { return d.LoadBitmapResource(200); }, FALSE, false},
        {"a missing bitmap", [](CDib& d) { return d.LoadBitmapResource(999); }, FALSE, false},
    };
    for (const Case& c : cases) {
        CDib dib;
        EXPECT_EQ(c.load(dib), c.result) << c.name;
        EXPECT_EQ(HoldsThePicture(dib), c.picture) << c.name;
        if (!c.picture) {
            EXPECT_EQ(dib.m_hObject, nullptr) << c.name;
        }
    }
    InstallResourceProvider(&ProgramResources());
}

} // namespace

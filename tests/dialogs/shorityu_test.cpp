#include "dialogs/shorityu.h"
#include "foundation/mem_buff.h"
#include "image/packed_dib.h"
#include "platform/afx/window_host.h"
#include "tests/dialogs/command_recorder.h"
#include "tests/support/qt_app.h"
#include "tests/support/window_widget.h"

#include <QImage>

#include <gtest/gtest.h>

#include <vector>

namespace {

// A frame whose every pixel has its own colour, so position, orientation and channel order show.
class Frame {
public:
    Frame(int width, int height, int bitCount = 24)
    {
        const uint64_t bytes = DibPixelAreaBytes(width, height, bitCount);
        m_block.reset(static_cast<BITMAPINFOHEADER*>(std::malloc(sizeof(BITMAPINFOHEADER) + bytes)));
        InitBitmapInfoHeader(m_block.get(), width, height);
        m_block->biBitCount = static_cast<WORD>(bitCount);
        BYTE* pixels = DibPixels(m_block.get());
        std::fill(pixels, pixels + bytes, BYTE{0xEE});
        if (bitCount != 24)
            return;
        const size_t stride = DibRowStride(static_cast<uint64_t>(width));
        for (int y = 0; y < height; ++y) {
            BYTE* row = pixels + stride * static_cast<size_t>(height - 1 - y); // bottom-up
            for (int x = 0; x < width; ++x) {
                const QRgb c = Expected(x, y);
                row[3 * x] = static_cast<BYTE>(qBlue(c));
                row[3 * x + 1] = static_cast<BYTE>(qGreen(c));
                row[3 * x + 2] = static_cast<BYTE>(qRed(c));
            }
        }
    }

    // The colour at (x, y) counted from the picture's top-left corner.
    static QRgb Expected(int x, int y) { return qRgb(10 + 7 * x % 240, 200 - 5 * y % 190, (x * y) % 256); }

    const BYTE* Bits() const { return DibPixels(m_block.get()); }
    const BITMAPINFOHEADER& Header() const { return *m_block; }

private:
    DibPtr m_block;
};

class ShorityuTest : public ::testing::Test {
protected:
    ShorityuTest() { TestApp(); }
    ~ShorityuTest() override
    {
        m_viewer.Release();
        ProcessEvents();
    }

    CShorityu* Show(const BYTE* bits, const BITMAPINFOHEADER& header)
    {
        m_viewer.Attach(new CShorityu(bits, header, kViewerClosedCmd));
        EXPECT_TRUE(m_viewer.m_pObject->CreatePopup(&m_owner, WS_VISIBLE | WS_SYSMENU));
        ProcessEvents();
        return m_viewer.m_pObject;
    }
    QImage Client() const
    {
        ProcessEvents();
        return WidgetOf(m_viewer.m_pObject)->grab().toImage();
    }
    static void ExpectShows(const QImage& shown, int width, int height)
    {
        ASSERT_GE(shown.width(), width);
        ASSERT_GE(shown.height(), height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                ASSERT_EQ(shown.pixel(x, y), Frame::Expected(x, y)) << x << ", " << y;
    }
    static void ExpectBlank(const QImage& shown)
    {
        const QRgb face = shown.pixel(0, 0);
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                ASSERT_EQ(shown.pixel(x, y), face) << x << ", " << y;
    }

    CommandRecorder m_owner;
    CMemBuffClassBase<CShorityu> m_viewer;
};

// Shows what the viewer asks for when its window is created.
class CreationProbe : public CShorityu {
public:
    using CShorityu::CShorityu;
    CREATESTRUCT Asked()
    {
        CREATESTRUCT cs{};
        PreCreateWindow(cs);
        return cs;
    }
};

TEST_F(ShorityuTest, TheInsideIsThePictureShownOneToOneFromTheTopLeft)
{
    const Frame frame(640, 480);
    const CREATESTRUCT cs = CreationProbe(frame.Bits(), frame.Header(), kViewerClosedCmd).Asked();
    EXPECT_EQ(CString(cs.lpszName), CString(u"Zarn Viewer"));

    CShorityu* viewer = Show(frame.Bits(), frame.Header());
    EXPECT_EQ(viewer->GetWindowTextString(), CString(u"Zarn Viewer"));
    EXPECT_TRUE(viewer->IsWindowVisible());
    CRect client;
    viewer->GetClientRect(&client);
    EXPECT_EQ(client.Width(), 640) << "no band beside the picture";
    EXPECT_EQ(client.Height(), 480) << "no band below the picture";
    const QImage shown = Client();
    EXPECT_EQ(shown.size(), QSize(640, 480));
    ExpectShows(shown, 640, 480);
}

TEST_F(ShorityuTest, RepaintsTheFrameWhenTheWindowIsExposedAgain)
{
    const Frame frame(33, 17); // rows padded to a multiple of four bytes
    CShorityu* viewer = Show(frame.Bits(), frame.Header());
    WidgetOf(viewer)->hide();
    viewer->Invalidate(TRUE);
    WidgetOf(viewer)->show();
    ExpectShows(Client(), 33, 17);
}

TEST_F(ShorityuTest, NewFrameReplacesTheOldOneWhichMayThenBeFreed)
{
    auto first = std::make_unique<Frame>(40, 30);
    CShorityu* viewer = Show(first->Bits(), first->Header());
    CRect before;
    viewer->GetWindowRect(&before);

    const Frame second(64, 20);
    viewer->SetFrame(second.Bits(), second.Header());
    first.reset(); // the view frees its old block once the viewer has the new one
    viewer->Invalidate(TRUE);
    ExpectShows(Client(), 64, 20);
    CRect after;
    viewer->GetWindowRect(&after);
    EXPECT_EQ(after.Width() - before.Width(), 24);
    EXPECT_EQ(after.Height() - before.Height(), -10);

    // A narrower but taller frame: nothing of the wider one stays beside it.
    const Frame third(16, 40);
    viewer->SetFrame(third.Bits(), third.Header());
    const QImage shown = Client();
    ExpectShows(shown, 16, 40);
    const QRgb face = qRgb(240, 240, 240);
    for (int x = 16; x < shown.width(); ++x)
        ASSERT_EQ(shown.pixel(x, 10), face) << x;
    for (int y = 40; y < shown.height(); ++y)
        ASSERT_EQ(shown.pixel(8, y), face) << y;
}

TEST_F(ShorityuTest, DrawsNothingWithoutAFrameOrWithOneThatIsNot24Bit)
{
    const Frame frame(40, 30);
    const Frame deep(40, 30, 48);
    struct Case {
        const char* name;
        const BYTE* bits;
        BITMAPINFOHEADER header;
    };
    const Case cases[] = {{"no pixels", nullptr, frame.Header()},
                          {"48-bit", deep.Bits(), deep.Header()},
                          {"empty header", frame.Bits(), BITMAPINFOHEADER{}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Handed over while shown, and given from the start.
        CShorityu* viewer = Show(frame.Bits(), frame.Header());
        viewer->SetFrame(c.bits, c.header);
        EXPECT_FALSE(viewer->HasDrawableFrame());
        ExpectBlank(Client());
        viewer->DrawImage();
        ExpectBlank(Client());
        Show(c.bits, c.header);
        ExpectBlank(Client());
    }
}

struct CloseCase {
    const char* name;
    bool ownerReleases;
};
void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.name; }

class ShorityuClose : public ShorityuTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(ShorityuClose, CloseBoxAsksTheOwnerAndTheWindowStaysUntilItActs)
{
    const Frame frame(40, 30);
    CShorityu* viewer = Show(frame.Bits(), frame.Header());
    const HWND window = viewer->m_hWnd;
    if (GetParam().ownerReleases)
        m_owner.actions[kViewerClosedCmd] = [this] { m_viewer.Release(); };
    WidgetOf(viewer)->close();
    ProcessEvents();
    EXPECT_EQ(m_owner.commands, std::vector<UINT>{kViewerClosedCmd});
    EXPECT_EQ(m_owner.secondParameters, std::vector<LPARAM>{0});
    EXPECT_EQ(IsWindow(window), GetParam().ownerReleases ? FALSE : TRUE);
    if (!GetParam().ownerReleases) {
        EXPECT_TRUE(viewer->IsWindowVisible());
    }
}

INSTANTIATE_TEST_SUITE_P(Owners, ShorityuClose,
                         ::testing::Values(CloseCase{"owner waits", false}, CloseCase{"owner releases", true}));

} // namespace

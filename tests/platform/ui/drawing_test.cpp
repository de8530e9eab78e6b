#include "platform/afx/cdc.h"
#include "platform/afx/cwinapp.h"
#include "tests/support/guarded_block.h"
#include "tests/support/qt_app.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

std::vector<BYTE> BottomUp24(int w, int h)
{
    // Pixel (x, y) from the top is (blue x, green y, red 7).
    const int stride = (w * 3 + 3) & ~3;
    std::vector<BYTE> bits(static_cast<size_t>(stride * h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            BYTE* p = &bits[static_cast<size_t>((h - 1 - y) * stride + 3 * x)];
            p[0] = static_cast<BYTE>(x);
            p[1] = static_cast<BYTE>(y);
            p[2] = 7;
        }
    return bits;
}

BITMAPINFO Info(int w, int h, WORD bpp)
{
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = w;
    bmi.bmiHeader.biHeight = h;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = bpp;
    return bmi;
}

class DrawingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApp();
        ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
        ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&dc, 8, 8));
        old = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, 8, 8, RGB(1, 2, 3));
    }
    void TearDown() override { dc.SelectObject(old); }
    CDC dc;
    CBitmap bitmap;
    CBitmap* old = nullptr;
};

TEST_F(DrawingTest, StretchDIBitsDoublesByNearestNeighbour)
{
    const auto bits = BottomUp24(3, 2);
    const BITMAPINFO bmi = Info(3, 2, 24);
    EXPECT_EQ(StretchDIBits(dc, 1, 1, 6, 4, 0, 0, 3, 2, bits.data(), &bmi, DIB_RGB_COLORS, SRCCOPY), 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(dc.GetPixel(1 + x, 1 + y), RGB(7, static_cast<BYTE>(y / 2), static_cast<BYTE>(x / 2)))
                << x << "," << y;
    EXPECT_EQ(dc.GetPixel(0, 0), RGB(1, 2, 3));
    EXPECT_EQ(dc.GetPixel(7, 7), RGB(1, 2, 3));
}

// A stretch that starts left of and above the bitmap draws only what falls on it, each pixel
// from the source pixel its place in the whole destination rectangle gives.
TEST_F(DrawingTest, StretchDIBitsPartlyOffTheTargetDrawsTheVisiblePartInPlace)
{
    const auto bits = BottomUp24(5, 4);
    const BITMAPINFO bmi = Info(5, 4, 24);
    EXPECT_EQ(StretchDIBits(dc, -3, -2, 10, 8, 0, 0, 5, 4, bits.data(), &bmi, DIB_RGB_COLORS, SRCCOPY), 8);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 7; ++x)
            EXPECT_EQ(dc.GetPixel(x, y), RGB(7, static_cast<BYTE>((y + 2) / 2), static_cast<BYTE>((x + 3) / 2)))
                << x << "," << y;
    EXPECT_EQ(dc.GetPixel(7, 0), RGB(1, 2, 3));
    EXPECT_EQ(dc.GetPixel(0, 6), RGB(1, 2, 3));
}

// Tall enough to be drawn in bands of rows on several threads: every row still comes from its
// own source row.
TEST_F(DrawingTest, StretchDIBitsOfATallPictureDrawsEveryRowFromItsSourceRow)
{
    CDC tall;
    ASSERT_TRUE(tall.CreateCompatibleDC(nullptr));
    CBitmap canvas;
    ASSERT_TRUE(canvas.CreateCompatibleBitmap(&tall, 30, 300));
    CBitmap* previous = tall.SelectObject(&canvas);
    const auto bits = BottomUp24(7, 100);
    const BITMAPINFO bmi = Info(7, 100, 24);
    EXPECT_EQ(StretchDIBits(tall, -1, 5, 21, 290, 0, 0, 7, 100, bits.data(), &bmi, DIB_RGB_COLORS, SRCCOPY), 290);
    for (int y = 5; y < 295; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(tall.GetPixel(x, y),
                      RGB(7, static_cast<BYTE>((y - 5) * 100 / 290), static_cast<BYTE>((x + 1) * 7 / 21)))
                << x << "," << y;
    tall.SelectObject(previous);
}

TEST_F(DrawingTest, StretchDIBitsSourceRectangleStartsAtTheBottomLeft)
{
    const auto bits = BottomUp24(4, 4);
    const BITMAPINFO bmi = Info(4, 4, 24);
    // One pixel at source (1, 0) measured from the bottom: the top-down row 3.
    ASSERT_EQ(StretchDIBits(dc, 0, 0, 1, 1, 1, 0, 1, 1, bits.data(), &bmi, DIB_RGB_COLORS, SRCCOPY), 1);
    EXPECT_EQ(dc.GetPixel(0, 0), RGB(7, 3, 1));
}

struct RefusedCase {
    const char* what;
    WORD bpp;
    DWORD compression;
    LONG height;
    int srcWidth;
};

void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.what; }

class StretchDIBitsRefuses : public DrawingTest, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(StretchDIBitsRefuses, AnythingButWholeBottomUp24Bit)
{
    const RefusedCase c = GetParam();
    std::vector<BYTE> bits(4 * 8 * 4 * 2, 0x55);
    BITMAPINFO bmi = Info(4, c.height, c.bpp);
    bmi.bmiHeader.biCompression = c.compression;
    EXPECT_EQ(StretchDIBits(dc, 0, 0, 4, 4, 0, 0, c.srcWidth, 4, bits.data(), &bmi, DIB_RGB_COLORS, SRCCOPY), 0)
        << c.what;
    EXPECT_EQ(dc.GetPixel(0, 0), RGB(1, 2, 3));
}

INSTANTIATE_TEST_SUITE_P(Formats, StretchDIBitsRefuses,
                         ::testing::Values(RefusedCase{"48-bit", 48, BI_RGB, 4, 4},
                                           RefusedCase{"32-bit", 32, BI_RGB, 4, 4},
                                           RefusedCase{"8-bit", 8, BI_RGB, 4, 4},
                                           RefusedCase{"top-down", 24, BI_RGB, -4, 4},
                                           RefusedCase{"bitfields", 24, BI_BITFIELDS, 4, 4},
                                           RefusedCase{"source wider than the DIB", 24, BI_RGB, 4, 5}));

struct StretchCase {
    const char* what;
    int dibWidth, dibHeight;
    QRect dest;
    QRect source; // y from the bottom row
    QRect clip; // empty: none
};

void PrintTo(const StretchCase& c, std::ostream* os) { *os << c.what; }

class StretchDIBitsDraws : public ::testing::TestWithParam<StretchCase> {};

// Each destination pixel shows the source pixel that the stretch's integer steps name, inside
// the target and the clip; everything else keeps its colour.
TEST_P(StretchDIBitsDraws, EveryPixelAsTheStepsSay)
{
    TestApp();
    const StretchCase c = GetParam();
    constexpr int kTargetWidth = 40;
    constexpr int kTargetHeight = 30;
    constexpr COLORREF kFill = RGB(1, 2, 3);
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CBitmap target;
    ASSERT_TRUE(target.CreateCompatibleBitmap(&dc, kTargetWidth, kTargetHeight));
    CBitmap* old = dc.SelectObject(&target);
    dc.FillSolidRect(0, 0, kTargetWidth, kTargetHeight, kFill);
    CRgn clip;
    if (!c.clip.isEmpty()) {
        ASSERT_TRUE(clip.CreateRectRgn(c.clip.left(), c.clip.top(), c.clip.right() + 1, c.clip.bottom() + 1));
        dc.SelectClipRgn(&clip);
    }
    const auto bits = BottomUp24(c.dibWidth, c.dibHeight);
    const BITMAPINFO bmi = Info(c.dibWidth, c.dibHeight, 24);
    ASSERT_EQ(StretchDIBits(dc.m_hDC, c.dest.x(), c.dest.y(), c.dest.width(), c.dest.height(), c.source.x(),
                            c.source.y(), c.source.width(), c.source.height(), bits.data(), &bmi, DIB_RGB_COLORS,
                            SRCCOPY),
              c.dest.height());
    dc.SelectClipRgn(nullptr);
    int misses = 0;
    for (int y = 0; y < kTargetHeight; ++y)
        for (int x = 0; x < kTargetWidth; ++x) {
            COLORREF expected = kFill;
            if (c.dest.contains(x, y) && (c.clip.isEmpty() || c.clip.contains(x, y))) {
                const int column = c.source.x() + (x - c.dest.x()) * c.source.width() / c.dest.width();
                const int fromTop = (y - c.dest.y()) * c.source.height() / c.dest.height();
                // Rows counted from the bottom, as stored; BottomUp24 numbers them from the top.
                const int row = c.dibHeight - 1 - (c.source.y() + c.source.height() - 1 - fromTop);
                expected = RGB(7, static_cast<BYTE>(row), static_cast<BYTE>(column));
            }
            if (dc.GetPixel(x, y) != expected && misses++ < 3)
                ADD_FAILURE() << "at (" << x << ", " << y << ")";
        }
    EXPECT_EQ(misses, 0);
    dc.SelectObject(old);
}

INSTANTIATE_TEST_SUITE_P(
    Stretches, StretchDIBitsDraws,
    ::testing::Values(
        StretchCase{"unscaled, rows padded", 13, 9, QRect(2, 3, 13, 9), QRect(0, 0, 13, 9), {}},
        StretchCase{"unscaled part, rows unpadded", 12, 10, QRect(0, 0, 7, 5), QRect(3, 2, 7, 5), {}},
        StretchCase{"the top rows, where the pixels end", 12, 10, QRect(1, 1, 12, 3), QRect(0, 7, 12, 3), {}},
        StretchCase{"shrunk by two thirds", 30, 21, QRect(1, 1, 20, 14), QRect(0, 0, 30, 21), {}},
        StretchCase{"enlarged three times", 5, 4, QRect(0, 0, 15, 12), QRect(0, 0, 5, 4), {}},
        StretchCase{"uneven both ways", 7, 5, QRect(4, 2, 17, 11), QRect(1, 1, 6, 3), {}},
        StretchCase{"one pixel over all", 7, 5, QRect(0, 0, 40, 30), QRect(2, 2, 1, 1), {}},
        StretchCase{"past every edge of the target", 13, 9, QRect(-7, -5, 60, 45), QRect(0, 0, 13, 9), {}},
        StretchCase{"inside a clip rectangle", 13, 9, QRect(0, 0, 39, 27), QRect(0, 0, 13, 9), QRect(5, 4, 17, 9)}));

// Pixels that end where an unreadable page begins: the stretch reads none of the bytes past
// them, whatever the rows' padding and the scale.
TEST_F(DrawingTest, StretchDIBitsReadsNothingPastThePixels)
{
    struct Case {
        const char* what;
        int width, height;
        int destWidth, destHeight;
    };
    const Case cases[] = {
        {"rows without padding, unscaled", 8, 5, 8, 5},
        {"rows without padding, enlarged", 4, 3, 8, 8},
        {"rows without padding, fewer rows", 8, 6, 8, 4},
        {"rows without padding, stretched unevenly", 4, 3, 7, 5},
        {"padded rows, enlarged", 5, 3, 8, 7},
    };
    for (const Case& c : cases) {
        const auto bits = BottomUp24(c.width, c.height);
        GuardedBlock guarded(bits.size());
        ASSERT_NE(guarded.data(), nullptr);
        std::memcpy(guarded.data(), bits.data(), bits.size());
        const BITMAPINFO bmi = Info(c.width, c.height, 24);
        dc.FillSolidRect(0, 0, 8, 8, RGB(1, 2, 3));
        ASSERT_EQ(StretchDIBits(dc, 0, 0, c.destWidth, c.destHeight, 0, 0, c.width, c.height, guarded.data(), &bmi,
                                DIB_RGB_COLORS, SRCCOPY),
                  c.destHeight)
            << c.what;
        // The top right pixel comes from the last bytes of the pixels.
        EXPECT_EQ(dc.GetPixel(c.destWidth - 1, 0), RGB(7, 0, static_cast<BYTE>(c.width - 1))) << c.what;
    }
}

TEST_F(DrawingTest, StretchBltCopiesBetweenMemoryContexts)
{
    CDC other;
    ASSERT_TRUE(other.CreateCompatibleDC(&dc));
    CBitmap picture;
    ASSERT_TRUE(picture.CreateCompatibleBitmap(&dc, 2, 2));
    CBitmap* previous = other.SelectObject(&picture);
    other.FillSolidRect(0, 0, 1, 2, RGB(255, 0, 0));
    other.FillSolidRect(1, 0, 1, 2, RGB(0, 0, 255));
    other.SetStretchBltMode(COLORONCOLOR);
    ASSERT_TRUE(dc.StretchBlt(0, 0, 8, 4, &other, 0, 0, 2, 2, SRCCOPY));
    EXPECT_EQ(dc.GetPixel(3, 1), RGB(255, 0, 0));
    EXPECT_EQ(dc.GetPixel(4, 1), RGB(0, 0, 255));
    EXPECT_EQ(dc.GetPixel(4, 5), RGB(1, 2, 3));
    EXPECT_FALSE(dc.StretchBlt(0, 0, 0, 4, &other, 0, 0, 2, 2, SRCCOPY));
    other.SelectObject(previous);
}

TEST_F(DrawingTest, SelectedBitmapCannotBeDeleted)
{
    EXPECT_FALSE(::DeleteObject(bitmap.m_hObject));
    BITMAP bm{};
    EXPECT_EQ(bitmap.GetBitmap(&bm), static_cast<int>(sizeof(BITMAP)));
    EXPECT_EQ(bm.bmWidth, 8);
}

TEST_F(DrawingTest, FocusRectangleDrawnTwiceLeavesNoTrace)
{
    const CRect rc(1, 1, 7, 7);
    dc.DrawFocusRect(&rc);
    EXPECT_NE(dc.GetPixel(1, 1), RGB(1, 2, 3));
    dc.DrawFocusRect(&rc);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(dc.GetPixel(x, y), RGB(1, 2, 3));
}

} // namespace

#include "platform/afx/window_host.h"
#include "tests/support/window_widget.h"

#include <functional>

namespace {

class PaintedWindow : public CWnd {
public:
    int paints = 0;
    void OnPaint()
    {
        CPaintDC dc(this);
        ++paints;
        dc.FillSolidRect(0, 0, 10, 10, RGB(0, 128, 0));
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(PaintedWindow, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

QColor Shown(CWnd& w, int x, int y)
{
    return QColor(WindowRecord::From(w.m_hWnd)->widget->grab().toImage().pixel(x, y));
}

TEST(WindowPainting, DrawingOutsidePaintIsShownAndKeptUntilTheWindowIsInvalidated)
{
    TestApp();
    PaintedWindow w;
    ASSERT_TRUE(w.CreateEx(0, AfxRegisterWndClass(0, nullptr, CreateSolidBrush(RGB(255, 255, 255))), u"painted",
                           WS_POPUP | WS_VISIBLE, 0, 0, 40, 30, nullptr, 0));
    ProcessEvents(); // shown and exposed
    w.UpdateWindow();
    EXPECT_EQ(Shown(w, 5, 5), QColor(0, 128, 0));
    EXPECT_EQ(Shown(w, 35, 25), QColor(255, 255, 255));
    const int paints = w.paints;
    {
        CClientDC dc(&w);
        dc.FillSolidRect(20, 0, 10, 10, RGB(255, 0, 0));
    }
    EXPECT_EQ(Shown(w, 25, 5), QColor(255, 0, 0));
    ASSERT_FALSE(WindowRecord::From(w.m_hWnd)->NeedsPaint());
    WindowRecord::From(w.m_hWnd)->widget->repaint(); // an expose shows the retained picture
    EXPECT_EQ(w.paints, paints);
    EXPECT_EQ(Shown(w, 25, 5), QColor(255, 0, 0));
    w.Invalidate(TRUE);
    EXPECT_TRUE(WindowRecord::From(w.m_hWnd)->NeedsPaint());
    EXPECT_FALSE(WindowRecord::From(w.m_hWnd)->IsPainting());
    w.UpdateWindow();
    EXPECT_FALSE(WindowRecord::From(w.m_hWnd)->NeedsPaint());
    EXPECT_EQ(w.paints, paints + 1);
    EXPECT_EQ(Shown(w, 25, 5), QColor(255, 255, 255));
}

TEST(WindowPainting, WindowRegionShapesTheWindow)
{
    TestApp();
    PaintedWindow w;
    ASSERT_TRUE(w.CreateEx(0, AfxRegisterWndClass(0), u"shaped", WS_POPUP | WS_VISIBLE, 0, 0, 60, 40, nullptr, 0));
    ASSERT_EQ(w.SetWindowRgn(CreateEllipticRgn(2, 0, 60, 40), TRUE), 1);
    const QRegion mask = WindowRecord::From(w.m_hWnd)->widget->mask();
    EXPECT_TRUE(mask.contains(QPoint(30, 20)));
    EXPECT_FALSE(mask.contains(QPoint(1, 1)));
    // A second region replaces (and frees) the first.
    ASSERT_EQ(w.SetWindowRgn(CreateRectRgn(0, 0, 10, 10), TRUE), 1);
    EXPECT_FALSE(WindowRecord::From(w.m_hWnd)->widget->mask().contains(QPoint(30, 20)));
}

struct WindowDrawing {
    const char* what;
    std::function<void(CDC&)> draw;
};

// Drawing through a window's DC outside painting lands in its retained image; whatever it
// touched must reach the screen when the DC is released, and nothing else needs to.
TEST(WindowPainting, EveryDrawingOutsidePaintReachesTheScreen)
{
    TestApp();
    PaintedWindow w;
    ASSERT_TRUE(w.CreateEx(0, AfxRegisterWndClass(0, nullptr, CreateSolidBrush(RGB(255, 255, 255))), u"drawn",
                           WS_POPUP | WS_VISIBLE, 0, 0, 120, 80, nullptr, 0));
    ProcessEvents();
    w.UpdateWindow();
    const auto bits = BottomUp24(9, 7);
    const BITMAPINFO bmi = Info(9, 7, 24);
    const std::vector<WindowDrawing> drawings = {
        {"a filled rectangle", [](CDC& dc) { dc.FillSolidRect(30, 10, 20, 15, RGB(255, 0, 0)); }},
        {"text in its box",
         [](CDC& dc) {
             CRect box(5, 40, 60, 60);
             dc.DrawText(CString(u"Mg"), &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
         }},
        {"an opaque background wider than its box",
         [](CDC& dc) {
             dc.SetBkColor(RGB(0, 0, 255));
             CRect box(60, 2, 64, 20);
             dc.DrawText(CString(u"a text far wider than the box"), &box, DT_CENTER | DT_SINGLELINE);
         }},
        {"unclipped text",
         [](CDC& dc) {
             dc.SetBkColor(RGB(255, 255, 0));
             CRect box(70, 50, 72, 52);
             dc.DrawText(CString(u"WWW"), &box, DT_NOCLIP);
         }},
        {"a stretched DIB",
         [&](CDC& dc) {
             StretchDIBits(dc.m_hDC, 80, 20, 27, 14, 0, 0, 9, 7, bits.data(), &bmi, DIB_RGB_COLORS, SRCCOPY);
         }},
        {"a pixel", [](CDC& dc) { dc.SetPixel(118, 78, RGB(0, 255, 0)); }},
        {"an outlined rectangle", [](CDC& dc) { dc.Rectangle(2, 62, 40, 79); }},
        {"a line",
         [](CDC& dc) {
             dc.MoveTo(100, 0);
             dc.LineTo(119, 60);
         }},
        {"a focus rectangle",
         [](CDC& dc) {
             const CRect rc(20, 20, 50, 50);
             dc.DrawFocusRect(&rc);
         }},
        {"an edge",
         [](CDC& dc) {
             CRect rc(44, 60, 70, 78);
             dc.DrawEdge(&rc, EDGE_RAISED, BF_RECT);
         }},
        {"a copy from a memory DC",
         [](CDC& dc) {
             CDC memory;
             memory.CreateCompatibleDC(&dc);
             CBitmap picture;
             picture.CreateCompatibleBitmap(&dc, 6, 6);
             CBitmap* previous = memory.SelectObject(&picture);
             memory.FillSolidRect(0, 0, 6, 6, RGB(9, 99, 199));
             dc.BitBlt(3, 3, 6, 6, &memory, 0, 0, SRCCOPY);
             memory.SelectObject(previous);
         }},
    };
    for (const WindowDrawing& d : drawings) {
        const QImage before = OnScreen(&w);
        {
            CClientDC dc(&w);
            d.draw(dc);
        }
        const QImage shown = OnScreen(&w);
        const QImage& retained = WindowRecord::From(w.m_hWnd)->Retained();
        ASSERT_EQ(shown.size(), retained.size()) << d.what;
        EXPECT_NE(shown, before) << d.what << " drew nothing";
        int misses = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if ((shown.pixel(x, y) | 0xFF000000u) != (retained.pixel(x, y) | 0xFF000000u) && misses++ == 0)
                    ADD_FAILURE() << d.what << ": first stale pixel at (" << x << ", " << y << ")";
        EXPECT_EQ(misses, 0) << d.what;
    }
}

} // namespace

#include "platform/afx/dialog_template.h"
#include "platform/afx/icon.h"
#include "tests/ui/ui_test_support.h"
#include "ui/base_dialog.h"
#include "ui/draw_helpers.h"
#include "ui/link_button.h"
#include "ui/mem_cdc.h"

#include <QIcon>
#include <QPixmap>

#include <gtest/gtest.h>

#include <array>

namespace {

constexpr COLORREF kBack = RGB(10, 20, 30), kText = RGB(250, 250, 250), kGray = RGB(128, 128, 128),
                   kHover = RGB(255, 0, 0);
constexpr int IDC_LINK = 3001, IDC_COLOR = 3002, IDC_ICON = 3003;

constexpr std::array kItems = {
    DialogItemTemplate{IDC_LINK, u"BUTTON", WS_VISIBLE | WS_TABSTOP, 0, 7, 7, 80, 16, u"www.example.org"},
    DialogItemTemplate{IDC_COLOR, u"BUTTON", WS_VISIBLE | WS_TABSTOP, 0, 7, 27, 80, 16, u"Colour"},
    DialogItemTemplate{IDC_ICON, u"BUTTON", WS_VISIBLE | WS_TABSTOP, 0, 7, 47, 80, 30, u"Close"},
};
const DialogTemplate kTemplate{40903,      WS_POPUP | WS_CAPTION, 0, 0,     0, 95, 84,
                               u"Buttons", u"ＭＳ Ｐゴシック",    9, kItems};

class CountingLink : public CLinkButton {
public:
    CountingLink() : CLinkButton(kBack, kText, kGray, kHover) {}
    int draws = 0;
    COLORREF lastColor = 0;
    void DrawLabel(CDC* pDC, UINT state, CRect rc) override
    {
        ++draws;
        lastColor = (state & ODS_DISABLED) ? m_crDisabled : m_bHover ? m_crHover : m_crText;
        CLinkButton::DrawLabel(pDC, state, rc);
    }
};

HICON SolidIcon(QColor color)
{
    QPixmap p(32, 32);
    p.fill(color);
    return CreateIconHandle(QIcon(p));
}

// Draws a button item of the given size and state into a fresh memory DC.
class ItemCanvas {
public:
    ItemCanvas(int w, int h)
    {
        dc.CreateCompatible(nullptr, w, h);
        dc.FillSolidRect(0, 0, w, h, RGB(1, 1, 1));
        dis.CtlType = ODT_BUTTON;
        dis.hDC = dc.m_hDC;
        dis.rcItem = RECT{0, 0, w, h};
    }
    void Draw(CButton& button, UINT state)
    {
        dis.itemState = state;
        dis.hwndItem = button.m_hWnd;
        button.DrawItem(&dis);
    }
    CMemCDC dc;
    DRAWITEMSTRUCT dis{};
};

class ButtonsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApp();
        ASSERT_TRUE(dlg.CreateModeless(nullptr));
        ASSERT_TRUE(link.SubclassItem(IDC_LINK, &dlg));
        ASSERT_TRUE(color.SubclassItem(IDC_COLOR, &dlg));
        ASSERT_TRUE(icon.SubclassItem(IDC_ICON, &dlg));
        WidgetOf(&dlg)->show();
        ProcessEvents();
    }
    void TearDown() override { DestroyIcon(red); }
    struct Dialog : CBaseDialog {
        Dialog() : CBaseDialog(40903, nullptr, FALSE, FALSE) { InitModalIndirect(&kTemplate); }
    } dlg;
    CountingLink link;
    CColorButton color{kBack, kText, kGray, kHover, 0};
    HICON red = (TestApp(), SolidIcon(Qt::red));
    CIconButton icon{red, nullptr, kBack, kText, kGray, kHover, 0};
};

TEST_F(ButtonsTest, LinkButtonBecomesOwnerDrawnWithBackgroundAndCaptionOnly)
{
    EXPECT_EQ(link.GetStyle() & BS_TYPEMASK, BS_OWNERDRAW);
    const QImage shot = WidgetOf(&link)->grab().toImage();
    SaveShot(&dlg, "owner_drawn_buttons");
    // No edge: the corners are background.
    for (QPoint p : {QPoint(0, 0), QPoint(shot.width() - 1, shot.height() - 1)})
        EXPECT_EQ(QColor(shot.pixel(p)), QColor(10, 20, 30));
    bool caption = false;
    for (int x = 0; x < shot.width(); ++x)
        caption = caption || qRed(shot.pixel(x, shot.height() / 2)) > 200;
    EXPECT_TRUE(caption);
}

TEST_F(ButtonsTest, HoverRepaintsOnceInTheHoverColourAndLeavingRestoresIt)
{
    QWidget* w = WidgetOf(&link);
    const int before = link.draws;
    SendMouse(w, QEvent::MouseMove, QPoint(3, 3), Qt::NoButton, Qt::NoButton);
    EXPECT_TRUE(link.IsHover());
    w->repaint();
    EXPECT_EQ(link.lastColor, kHover);
    const int afterEnter = link.draws;
    EXPECT_GT(afterEnter, before);
    SendMouse(w, QEvent::MouseMove, QPoint(6, 4), Qt::NoButton, Qt::NoButton);
    ProcessEvents();
    EXPECT_EQ(link.draws, afterEnter);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(w, &leave);
    EXPECT_FALSE(link.IsHover());
    w->repaint();
    EXPECT_EQ(link.lastColor, kText);
}

TEST_F(ButtonsTest, DisabledLinkUsesTheDisabledColour)
{
    link.EnableWindow(FALSE);
    WidgetOf(&link)->repaint();
    EXPECT_EQ(link.lastColor, kGray);
}

struct FrameCase {
    const char* what;
    int mode;
    bool hover;
    UINT state;
    COLORREF topLeft; // outer edge colour, or the background without an edge
    bool focusRect;
};
void PrintTo(const FrameCase& c, std::ostream* os) { *os << c.what; }

class ColorButtonFrames : public ButtonsTest, public ::testing::WithParamInterface<FrameCase> {};

TEST_P(ColorButtonFrames, EdgeAndFocusFollowTheFrameMode)
{
    const FrameCase c = GetParam();
    CColorButton button(kBack, kText, kGray, kHover, c.mode);
    ASSERT_TRUE(button.SubclassItem(IDC_COLOR, &dlg) || true);
    if (c.hover) {
        button.UnsubclassWindow();
        color.UnsubclassWindow();
        ASSERT_TRUE(button.SubclassItem(IDC_COLOR, &dlg));
        SendMouse(WidgetOf(&button), QEvent::MouseMove, QPoint(2, 2), Qt::NoButton, Qt::NoButton);
    }
    ItemCanvas canvas(60, 24);
    canvas.Draw(button, c.state);
    EXPECT_EQ(canvas.dc.GetPixel(0, 0), c.topLeft);
    EXPECT_EQ(canvas.dc.GetPixel(4, 4) != kBack, c.focusRect);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, ColorButtonFrames,
    ::testing::Values(FrameCase{"mode 0 released", 0, false, 0, GetSysColor(COLOR_3DLIGHT), false},
                      FrameCase{"mode 0 pressed", 0, false, ODS_SELECTED, GetSysColor(COLOR_BTNSHADOW), false},
                      FrameCase{"mode 0 focused", 0, false, ODS_FOCUS, GetSysColor(COLOR_3DLIGHT), true},
                      FrameCase{"mode 1 elsewhere", 1, false, ODS_SELECTED | ODS_FOCUS, kBack, false},
                      FrameCase{"mode 1 under the mouse", 1, true, 0, GetSysColor(COLOR_3DLIGHT), false},
                      FrameCase{"mode 2 released", 2, false, 0, kBack, false},
                      FrameCase{"mode 2 pressed", 2, false, ODS_SELECTED, GetSysColor(COLOR_BTNSHADOW), false}));

TEST_F(ButtonsTest, PressedCaptionShiftsOnePixelRightAndDown)
{
    ItemCanvas up(80, 24), down(80, 24);
    CColorButton plain(kBack, kText, kGray, kHover, 2); // no edge while released
    color.UnsubclassWindow();
    ASSERT_TRUE(plain.SubclassItem(IDC_COLOR, &dlg));
    up.Draw(plain, 0);
    down.Draw(plain, ODS_SELECTED);
    for (int y = 4; y < 20; ++y)
        for (int x = 4; x < 76; ++x)
            ASSERT_EQ(up.dc.GetPixel(x, y), down.dc.GetPixel(x + 1, y + 1)) << x << "," << y;
}

TEST_F(ButtonsTest, IconStandsSixteenPixelsInAndCentredVertically)
{
    ItemCanvas released(100, 48), pressed(100, 48);
    released.Draw(icon, 0);
    pressed.Draw(icon, ODS_SELECTED);
    EXPECT_EQ(released.dc.GetPixel(16, 8), RGB(255, 0, 0));
    EXPECT_NE(released.dc.GetPixel(16, 7), RGB(255, 0, 0));
    EXPECT_NE(released.dc.GetPixel(15, 20), RGB(255, 0, 0));
    EXPECT_EQ(pressed.dc.GetPixel(17, 9), RGB(255, 0, 0));
    EXPECT_NE(pressed.dc.GetPixel(17, 8), RGB(255, 0, 0));
    // Disabled without a disabled icon: nothing drawn.
    ItemCanvas disabled(100, 48);
    disabled.Draw(icon, ODS_DISABLED);
    EXPECT_EQ(disabled.dc.GetPixel(20, 20), kBack);
}

TEST(DrawTextColor, LeavesTheFontAndRestoresTheTextColour)
{
    TestApp();
    CMemCDC dc;
    dc.CreateCompatible(nullptr, 60, 20);
    CFont font;
    LOGFONTW lf{};
    lf.lfHeight = -20;
    font.CreateFontIndirect(&lf);
    CFont* previous = dc.SelectObject(&font);
    dc.SetTextColor(RGB(1, 2, 3));
    dc.SetBkMode(OPAQUE);
    DrawTextColor(&dc, u"Ab", CRect(0, 0, 60, 20), RGB(200, 0, 0), DT_LEFT | DT_SINGLELINE, nullptr);
    EXPECT_EQ(dc.GetTextColor(), RGB(1, 2, 3));
    EXPECT_EQ(dc.GetBkMode(), TRANSPARENT);
    EXPECT_EQ(dc.SelectObject(previous)->m_hObject, font.m_hObject);
    FillRectColor(&dc, CRect(0, 0, 2, 2), RGB(9, 9, 9));
    EXPECT_EQ(dc.GetBkColor(), RGB(9, 9, 9));
}

TEST(MemCDC, StretchesInAndOutByNearestNeighbour)
{
    TestApp();
    CMemCDC source, canvas, target;
    source.CreateCompatible(nullptr, 2, 1);
    source.SetPixel(0, 0, RGB(255, 0, 0));
    source.SetPixel(1, 0, RGB(0, 255, 0));
    canvas.CreateCompatible(&source, 8, 4);
    canvas.StretchFrom(&source, CRect(0, 0, 8, 4), CRect(0, 0, 2, 1), SRCCOPY);
    EXPECT_EQ(canvas.GetStretchBltMode(), COLORONCOLOR);
    EXPECT_EQ(canvas.GetPixel(3, 3), RGB(255, 0, 0));
    EXPECT_EQ(canvas.GetPixel(4, 0), RGB(0, 255, 0));
    target.CreateCompatible(&canvas, 4, 2);
    canvas.StretchTo(&target, CRect(0, 0, 4, 2), CRect(0, 0, 8, 4), SRCCOPY);
    EXPECT_EQ(target.GetPixel(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(target.GetPixel(2, 1), RGB(0, 255, 0));
    // A second creation releases the first DC and bitmap.
    target.CreateCompatible(&canvas, 3, 3);
    EXPECT_EQ(target.GetPixel(2, 2), RGB(0, 0, 0));
}

} // namespace

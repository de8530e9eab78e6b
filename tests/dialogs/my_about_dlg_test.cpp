#include "dialogs/my_about_dlg.h"
#include "foundation/file_path.h"
#include "resources/app_dialog_ids.h"
#include "tests/dialogs/dialog_test_support.h"

#include <QKeyEvent>

#include <gtest/gtest.h>

namespace {

TEST(AboutAnimation, SixtyThreeFramesSwellToTwiceTheSizeAndSettleOnTheBox)
{
    const int w = 220, h = 258;
    const std::vector<AboutAnimationFrame> frames = AboutCloseAnimation(w, h);
    ASSERT_EQ(frames.size(), 63u);
    const CRect own(w / 2, h / 2, w / 2 + w, h / 2 + h);
    // The growth k of each frame in percent: cycles of 41, 14, 5, 2 and 1 frames.
    struct Case {
        size_t index;
        int k;
    };
    const std::vector<Case> cases = {
        {0, 0}, {10, 50}, {20, 100}, {40, 0}, {41, 0}, {47, 30}, {54, 1}, {55, 0}, {57, 10}, {60, 0}, {61, 1}, {62, 0},
    };
    for (const Case& c : cases) {
        const int dx = w * c.k / 100, dy = h * c.k / 100;
        const AboutAnimationFrame& f = frames[c.index];
        EXPECT_EQ(f.shadow, CRect(own.left + dx, own.top + dy, own.right + dx, own.bottom + dy)) << c.index;
        EXPECT_EQ(f.picture, CRect(w / 2 - dx / 2, h / 2 - dy / 2, (3 * w + dx) / 2, (3 * h + dy) / 2)) << c.index;
    }
    // The largest frame is the box at twice its size, filling the canvas's top-left two thirds.
    EXPECT_EQ(frames[20].picture, CRect(0, 0, 2 * w, 2 * h));
    EXPECT_EQ(frames.back().picture, own);
}

void Press(CDialog& dlg, Qt::Key key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(WidgetOf(dlg.GetDlgItem(IDOK)), &press);
}

TEST(AboutBox, IsAnEllipseWithoutCaptionNamingTheProgramAndItsVersion)
{
    TestApp();
    CMyAboutDlg dlg(0xFFFFFF, 0, nullptr);
    CString version;
    bool frameless = false, masked = false, escapeKeptItOpen = false;
    const INT_PTR result = RunModal(dlg, [&](CDialog& d) {
        version = ItemText(d, IDC_VERSION);
        frameless = WidgetOf(&d)->windowFlags().testFlag(Qt::FramelessWindowHint);
        masked = !WidgetOf(&d)->mask().isEmpty();
        Press(d, Qt::Key_Escape);
        escapeKeptItOpen = IsWindow(d.m_hWnd) && d.IsWindowVisible();
        Press(d, Qt::Key_Return);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(escapeKeptItOpen);
    EXPECT_TRUE(frameless);
    EXPECT_TRUE(masked);
    const CString prefix = GetPathBaseName(GetModulePath()) + u" Version ";
    EXPECT_EQ(version.Left(prefix.GetLength()), prefix);
}

} // namespace

#include "platform/afx/cdc.h"
#include "platform/afx/cmenu.h"
#include "platform/afx/cwinapp.h"
#include "platform/afx/message_map.h"
#include "platform/afx/window_host.h"
#include "tests/support/qt_app.h"

#include <QMouseEvent>
#include <QPointer>
#include <QThread>
#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr UINT WM_PROBE = WM_USER + 7;
constexpr UINT ID_DO = 40100;

class BaseWindow : public CWnd {
public:
    std::vector<CString> log;
    LRESULT OnProbe(WPARAM w, LPARAM)
    {
        log.push_back(u"base-probe");
        return static_cast<LRESULT>(w) + 1;
    }
    void OnSize(UINT, int cx, int)
    {
        log.push_back(CString(u"size"));
        lastWidth = cx;
    }
    int lastWidth = -1;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseWindow, CWnd)
    ON_MESSAGE(WM_PROBE, OnProbe)
    ON_WM_SIZE()
END_MESSAGE_MAP()

class DerivedWindow : public BaseWindow {
public:
    bool enabled = true;
    int done = 0;
    void OnDo() { ++done; }
    void OnUpdateDo(CCmdUI* ui) { ui->Enable(enabled); }
    void OnMouseMove(UINT, CPoint p)
    {
        log.push_back(u"move");
        lastMove = p;
        Default();
    }
    CPoint lastMove;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedWindow, BaseWindow)
    ON_COMMAND(ID_DO, OnDo)
    ON_UPDATE_COMMAND_UI(ID_DO, OnUpdateDo)
    ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

class MessageMapTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApp();
        ASSERT_TRUE(window.CreateEx(0, AfxRegisterWndClass(0), u"probe", WS_POPUP, 0, 0, 120, 80, nullptr, 0));
    }
    DerivedWindow window;
};

TEST_F(MessageMapTest, SendMessageRunsTheHandlerOfTheBaseMapAndReturnsItsResult)
{
    EXPECT_EQ(window.SendMessage(WM_PROBE, 41, 0), 42);
    ASSERT_EQ(window.log.size(), 1u);
    EXPECT_EQ(window.log[0], CString(u"base-probe"));
}

TEST_F(MessageMapTest, PostMessageWaitsForTheQueue)
{
    ASSERT_TRUE(window.PostMessage(WM_PROBE, 1, 0));
    EXPECT_TRUE(window.log.empty());
    ProcessEvents();
    ASSERT_EQ(window.log.size(), 1u);
}

TEST_F(MessageMapTest, DisabledCommandIsRefusedFromMenusButNotFromControls)
{
    window.SendMessage(WM_COMMAND, ID_DO, 0);
    EXPECT_EQ(window.done, 1);
    window.enabled = false;
    window.SendMessage(WM_COMMAND, ID_DO, 0);
    window.PostMessage(WM_COMMAND, ID_DO, 0);
    ProcessEvents();
    EXPECT_EQ(window.done, 1);
}

TEST_F(MessageMapTest, ToolkitEventsArriveAsWindowMessages)
{
    QWidget* w = WindowRecord::From(window.m_hWnd)->widget;
    w->show();
    w->resize(150, 90);
    ProcessEvents();
    EXPECT_EQ(window.lastWidth, 150);
    QMouseEvent move(QEvent::MouseMove, QPointF(12, 34), w->mapToGlobal(QPointF(12, 34)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(w, &move);
    EXPECT_EQ(window.lastMove, CPoint(12, 34));
}

class TimedWindow : public CWnd {
public:
    std::vector<UINT_PTR> ticks;
    void OnTimer(UINT_PTR id)
    {
        ticks.push_back(id);
        KillTimer(id);
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(TimedWindow, CWnd)
    ON_WM_TIMER()
END_MESSAGE_MAP()

TEST(Timers, TimerMessagesCarryTheirIdentifierUntilKilled)
{
    TestApp();
    TimedWindow w;
    ASSERT_TRUE(w.CreateEx(0, AfxRegisterWndClass(0), u"timed", WS_POPUP, 0, 0, 10, 10, nullptr, 0));
    EXPECT_EQ(w.SetTimer(7, 1, nullptr), 7u);
    for (int i = 0; i < 200 && w.ticks.empty(); ++i) {
        QThread::msleep(2);
        ProcessEvents();
    }
    ASSERT_EQ(w.ticks.size(), 1u);
    EXPECT_EQ(w.ticks[0], 7u);
    EXPECT_FALSE(w.KillTimer(7));
}

TEST(ScreenCapture, ScreenContextCopiesWhereThePlatformAllows)
{
    TestApp();
    CWindowDC screen(nullptr);
    ASSERT_NE(screen.m_hDC, nullptr);
    EXPECT_GT(screen.GetDeviceCaps(HORZRES), 0);
    CDC memory;
    ASSERT_TRUE(memory.CreateCompatibleDC(&screen));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 8, 8));
    CBitmap* old = memory.SelectObject(&bitmap);
    EXPECT_TRUE(memory.BitBlt(0, 0, 8, 8, &screen, 0, 0, SRCCOPY));
    memory.SelectObject(old);
}

TEST_F(MessageMapTest, MenuItemsTakeTheirStateFromUpdateHandlersBeforeOpening)
{
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, ID_DO, u"Do");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING | MF_CHECKED, 40999, u"No handler");
    window.enabled = false;
    menu.UpdateItems(&window);
    EXPECT_EQ(menu.Items()[0].flags & MF_GRAYED, MF_GRAYED);
    EXPECT_EQ(menu.Items()[2].flags & MF_CHECKED, MF_CHECKED); // untouched without a handler
    window.enabled = true;
    menu.UpdateItems(&window);
    EXPECT_EQ(menu.Items()[0].flags & MF_GRAYED, 0u);
}

TEST(RegisteredMessages, SameNameSameIdentifier)
{
    const UINT a = RegisterWindowMessageW(u"WM_TRAYNOTIFY");
    EXPECT_GE(a, 0xC000u);
    EXPECT_EQ(RegisterWindowMessageW(u"WM_TRAYNOTIFY"), a);
    EXPECT_NE(RegisterWindowMessageW(u"OTHER"), a);
}

} // namespace

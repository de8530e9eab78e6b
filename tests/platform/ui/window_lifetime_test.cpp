#include "platform/afx/cwinapp.h"
#include "tests/support/qt_app.h"

#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

constexpr UINT WM_SELF_DESTRUCT = WM_USER + 1;

// Destroys and deletes itself from inside its own handlers.
class SelfDeleting : public CWnd {
public:
    static int alive;
    SelfDeleting() { ++alive; }
    ~SelfDeleting() override { --alive; }
    LRESULT OnSelfDestruct(WPARAM, LPARAM)
    {
        DestroyWindow();
        return 7;
    }
    void OnClose() { DestroyWindow(); }

protected:
    void PostNcDestroy() override { delete this; }
    DECLARE_MESSAGE_MAP()
};
int SelfDeleting::alive = 0;

BEGIN_MESSAGE_MAP(SelfDeleting, CWnd)
    ON_MESSAGE(WM_SELF_DESTRUCT, OnSelfDestruct)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

SelfDeleting* Make()
{
    auto* w = new SelfDeleting;
    EXPECT_TRUE(w->CreateEx(0, AfxRegisterWndClass(0), u"self", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, 0));
    return w;
}

TEST(WindowLifetime, WindowDeletedInsideItsOwnHandlerIsNotTouchedAfterwards)
{
    TestApp();
    SelfDeleting* w = Make();
    const HWND h = w->m_hWnd;
    EXPECT_EQ(::SendMessage(h, WM_SELF_DESTRUCT, 0, 0), 7);
    EXPECT_EQ(SelfDeleting::alive, 0);
    EXPECT_FALSE(IsWindow(h));
    // Messages to the dead handle go nowhere.
    EXPECT_EQ(::SendMessage(h, WM_SELF_DESTRUCT, 0, 0), 0);
    EXPECT_FALSE(::PostMessage(h, WM_SELF_DESTRUCT, 0, 0));
    ProcessEvents();
}

TEST(WindowLifetime, CloseEventThatDeletesTheWindowLeavesNothingBehind)
{
    TestApp();
    SelfDeleting* w = Make();
    const HWND h = w->m_hWnd;
    QWidget* widget = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->windowTitle() == "self" && top->isVisible())
            widget = top;
    ASSERT_NE(widget, nullptr);
    QPointer<QWidget> guard(widget);
    widget->close(); // the close box: system command, WM_CLOSE, DestroyWindow, delete
    EXPECT_EQ(SelfDeleting::alive, 0);
    EXPECT_FALSE(IsWindow(h));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ProcessEvents();
    EXPECT_TRUE(guard.isNull());
}

TEST(WindowLifetime, PostedMessageToADestroyedWindowIsDropped)
{
    TestApp();
    SelfDeleting* w = Make();
    const HWND h = w->m_hWnd;
    ASSERT_TRUE(::PostMessage(h, WM_SELF_DESTRUCT, 0, 0));
    ASSERT_TRUE(::PostMessage(h, WM_SELF_DESTRUCT, 0, 0));
    ProcessEvents();
    EXPECT_EQ(SelfDeleting::alive, 0);
    EXPECT_FALSE(IsWindow(h));
}

} // namespace

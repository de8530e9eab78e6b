// Focus, mouse capture, the cursor position and key state.
#include "platform/afx/input_state.h"

#include "platform/afx/window_host.h"

#include <QApplication>
#include <QCursor>
#include <QPointer>

namespace {

QPoint g_cursor;
bool g_cursorKnown = false;
Qt::MouseButtons g_buttons;
QPointer<QWidget> g_capture;

CWnd* ObjectOfWidget(QWidget* widget)
{
    WindowRecord* r = WindowRecord::OfWidget(widget);
    return r ? r->Object() : nullptr;
}

} // namespace

void NoteCursorPos(const QPoint& global)
{
    g_cursor = global;
    g_cursorKnown = true;
}

void NoteMouseButtons(Qt::MouseButtons buttons) { g_buttons = buttons; }

void NoteButtonHeld(QWidget* button, bool held)
{
    if (held)
        g_capture = button;
    else if (g_capture == button)
        g_capture = nullptr;
}

QPoint NotedCursorPos() { return g_cursor; }

BOOL GetCursorPos(LPPOINT point)
{
    if (!point)
        return FALSE;
    const QPoint p = g_cursorKnown ? g_cursor : QCursor::pos();
    point->x = p.x();
    point->y = p.y();
    return TRUE;
}

BOOL SetCursorPos(int x, int y)
{
    NoteCursorPos(QPoint(x, y));
    QCursor::setPos(x, y);
    return TRUE;
}

short GetAsyncKeyState(int vKey)
{
    const Qt::MouseButtons buttons = g_buttons | QGuiApplication::mouseButtons();
    const bool down = (vKey == VK_LBUTTON && (buttons & Qt::LeftButton)) ||
                      (vKey == VK_RBUTTON && (buttons & Qt::RightButton)) ||
                      (vKey == VK_SHIFT && (QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier)) ||
                      (vKey == VK_CONTROL && (QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier));
    return down ? static_cast<short>(0x8000) : 0;
}

CWnd* CWnd::GetFocus() { return ObjectOfWidget(QApplication::focusWidget()); }

CWnd* CWnd::SetFocus()
{
    CWnd* previous = GetFocus();
    WithWindow(m_hWnd, [](WindowRecord& r) { r.widget->setFocus(Qt::OtherFocusReason); });
    return previous;
}

CWnd* CWnd::WindowFromPoint(POINT point) { return ObjectOfWidget(QApplication::widgetAt(point.x, point.y)); }

CWnd* CWnd::GetCapture() { return ObjectOfWidget(g_capture); }

CWnd* CWnd::SetCapture()
{
    CWnd* previous = GetCapture();
    WithWindow(m_hWnd, [](WindowRecord& r) {
        if (g_capture)
            g_capture->releaseMouse();
        g_capture = r.widget;
        if (r.widget->isVisible())
            r.widget->grabMouse();
    });
    return previous;
}

BOOL ReleaseCapture()
{
    if (g_capture)
        g_capture->releaseMouse();
    g_capture = nullptr;
    return TRUE;
}

BOOL TrackMouseEvent(TRACKMOUSEEVENT* tme)
{
    if (!tme)
        return FALSE;
    return WithWindow(tme->hwndTrack, FALSE, [tme](WindowRecord& r) {
        if (tme->dwFlags & TME_LEAVE)
            r.TrackMouseLeave();
        return TRUE;
    });
}

// The toolkit side of windows: every HWND is a WindowRecord owned by its Qt widget.
#pragma once

#include "platform/afx/cmenu.h"
#include "platform/afx/cwnd.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <type_traits>
#include <utility>

#include <QEvent>

// A posted message waiting in the window's queue.
class PostedMessageEvent : public QEvent {
public:
    static constexpr QEvent::Type kType = static_cast<QEvent::Type>(QEvent::User + 1);
    PostedMessageEvent(UINT msg, WPARAM w, LPARAM l) : QEvent(kType), message(msg), wParam(w), lParam(l) {}
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Receives drag-and-drop over a window (the OLE layer implements it).
class DropTargetSink {
public:
    virtual ~DropTargetSink() = default;
    virtual DWORD DragEnter(QEvent* event) = 0;
    virtual DWORD DragOver(QEvent* event) = 0;
    virtual void DragLeave() = 0;
    virtual DWORD Drop(QEvent* event) = 0;
};

enum class WindowKind { Generic, Dialog, Button, Static, Edit, ComboBox, ComboBoxEx, ListBox, Trackbar, UpDown };

class WindowRecord {
public:
    WindowRecord(QWidget* widget, WindowKind kind);
    virtual ~WindowRecord();
    WindowRecord(const WindowRecord&) = delete;
    WindowRecord& operator=(const WindowRecord&) = delete;

    HWND Handle() { return reinterpret_cast<HWND>(this); }
    // The live record of a handle, or null for a handle that is not (or no longer) a window.
    static WindowRecord* From(HWND hWnd);
    // The record of this widget or of its nearest ancestor that is a window.
    static WindowRecord* OfWidget(QWidget* widget);

    CWnd* Object(); // permanent object, or the kept temporary one
    WindowRecord* ParentRecord() const;
    WindowRecord* TopLevelRecord();

    // The window class's own processing of messages the map did not take.
    virtual LRESULT ClassProc(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    // The widget whose coordinates are the window's client coordinates.
    virtual QWidget* ClientArea() { return widget; }
    // The control's shown text after '&' prefixes are resolved.
    virtual void ApplyText();

    // Runs a translated message for an event; baseHandler is the widget's own processing, which
    // runs when the map has no handler or the handler asks for default processing.
    bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam, QEvent* event, const std::function<bool()>& baseHandler,
                  LRESULT* result = nullptr);
    // The widget's own processing of an event.
    using EventBase = std::function<bool(QEvent*)>;
    // The shared translation of toolkit events; returns true when the event was consumed.
    bool HandleEvent(QEvent* event, const EventBase& base);

    // Painting through device contexts: the retained image is kept between paints; only an
    // invalidation or a new size repaints it. Backing() grows it to the widget's size first.
    QImage& Backing();
    const QImage& Retained() const { return backing; }
    // Shows what was drawn into the area of the backing image; synchronous when safe.
    void FlushBacking(const QRect& area);
    // Asks for a paint; erase requests add up until it runs.
    void InvalidatePaint(bool erase);
    bool IsPainting() const { return painting; }
    bool NeedsPaint() const { return needsPaint; }
    // A paint event of a window drawn through WM_ERASEBKGND and WM_PAINT: runs them when the
    // retained image is stale, then shows the part of it the event asks for.
    bool PaintRetained(QEvent* paintEvent);

    // Hides and unlinks the window; a top-level (or the destroyed window itself) is deleted later,
    // never under a running handler.
    void Destroy(bool deleteWidget);
    // Runs once its class has set the window up, text and geometry included.
    virtual void Created() {}

    // Drop state: dropped files arrive as WM_DROPFILES; a registered target takes any other drag.
    void AcceptFiles(bool accept);
    void RegisterDropTarget(DropTargetSink* sink);
    // Only sink's own registration is revoked.
    void RevokeDropTarget(const DropTargetSink* sink);

    // Input requests: tooltips asked of the window for its controls, and one mouse-leave notice.
    // Returns whether tooltips were enabled before.
    bool EnableToolTips(bool enable);
    bool ShowsToolTips() const { return toolTips; }
    void TrackMouseLeave() { trackLeave = true; }

    // What every window has, whatever its class.
    QPointer<QWidget> widget;
    WindowKind kind;
    CWnd* wnd = nullptr;
    std::unique_ptr<CWnd> temporary;
    CString className;
    CString windowText;
    int id = 0;
    DWORD windowStyle = 0;
    DWORD exStyle = 0;
    bool isDestroyed = false;
    HFONT windowFont = nullptr;
    HICON bigIcon = nullptr;
    HICON smallIcon = nullptr;
    HGDIOBJ region = nullptr;
    std::unique_ptr<CMenu> systemMenu;
    std::map<UINT_PTR, int> timers;

protected:
    // Runs when the window is destroyed, after it is unlinked from its object.
    virtual void WindowDestroyed() {}

private:
    QImage backing;
    bool painting = false;
    bool flushOnly = false;
    bool erasePending = true;
    bool needsPaint = true;

    bool acceptFiles = false;
    DropTargetSink* dropTarget = nullptr;
    bool toolTips = false;
    bool trackLeave = false;

    // One translator per event family, each returning whether the event was consumed.
    bool DeliverPosted(QEvent* event);
    bool TranslateMouse(QEvent* event, const EventBase& base);
    bool TranslateWheel(QEvent* event, const EventBase& base);
    bool TranslateLeave(QEvent* event, const EventBase& base);
    bool TranslateSize(QEvent* event, const EventBase& base);
    bool TranslateClose(QEvent* event);
    bool TranslateContextMenu(QEvent* event, const EventBase& base);
    bool TranslateTimer(QEvent* event, const EventBase& base);
    bool TranslateDragOver(QEvent* event, const EventBase& base);
    bool TranslateDragLeave();
    bool TranslateDrop(QEvent* event, const EventBase& base);
    bool TranslateKey(QEvent* event, const EventBase& base);
    bool TranslateActivation(QEvent* event, const EventBase& base);
};

// The one way to reach a window's record from a handle: runs use on the live record of hWnd and
// returns its result, or fallback for a handle that is not (or no longer) a window.
template <class Use, class Fallback>
auto WithWindow(HWND hWnd, Fallback fallback, Use&& use) -> std::invoke_result_t<Use, WindowRecord&>
{
    using Result = std::invoke_result_t<Use, WindowRecord&>;
    WindowRecord* r = WindowRecord::From(hWnd);
    return r ? std::forward<Use>(use)(*r) : static_cast<Result>(fallback);
}

template <class Use>
void WithWindow(HWND hWnd, Use&& use)
{
    if (WindowRecord* r = WindowRecord::From(hWnd))
        std::forward<Use>(use)(*r);
}

// The current toolkit event of a window, so that Default() can run the widget's own handler.
// Code-sent messages push one without a base, so Default() reaches the class's procedure.
struct DispatchContext {
    WindowRecord* record;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    const std::function<bool()>* base;
    bool baseRan = false;
    bool baseResult = false;
};
DispatchContext* CurrentDispatch();
// Runs one message through the window's object with ctx on the dispatch stack.
LRESULT DispatchWithContext(WindowRecord* record, DispatchContext& ctx);

QColor ToQColor(COLORREF color);
COLORREF FromQColor(const QColor& color);
QString ToQString(LPCWSTR text);
CString FromQString(const QString& text);
QFont DialogFont(LPCWSTR faceName, int pointSize);

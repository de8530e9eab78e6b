#include "platform/afx/window_host.h"

#include "platform/afx/cdc.h"
#include "platform/afx/controls.h"
#include "platform/afx/controls_host.h"
#include "platform/afx/cview.h"
#include "platform/afx/gdi_internal.h"
#include "platform/afx/icon.h"
#include "platform/afx/input_state.h"
#include "platform/afx/shell.h"
#include "platform/win/text.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFontDatabase>
#include <QHelpEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimerEvent>
#include <QToolTip>
#include <QUrl>
#include <QWindow>

#include <unordered_set>
#include <vector>

namespace {

std::unordered_set<WindowRecord*>& Live()
{
    static std::unordered_set<WindowRecord*> live;
    return live;
}

std::vector<DispatchContext*>& Contexts()
{
    static std::vector<DispatchContext*> stack;
    return stack;
}

// The window-move loop for platforms that do not move windows themselves.
class WindowMover : public QObject {
public:
    static WindowMover& Instance()
    {
        static WindowMover* mover = [] {
            auto* m = new WindowMover;
            qApp->installEventFilter(m);
            return m;
        }();
        return *mover;
    }

    void Start(QWidget* window)
    {
        if (m_window == window)
            return;
        m_window = window;
        m_startCursor = NotedCursorPos();
        m_startPos = window->pos();
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (!m_window)
            return false;
        if (e->type() == QEvent::MouseMove) {
            auto* me = static_cast<QMouseEvent*>(e);
            if (!(me->buttons() & Qt::LeftButton)) {
                m_window = nullptr;
                return false;
            }
            const QPoint global = me->globalPosition().toPoint();
            m_window->move(m_startPos + (global - m_startCursor));
        } else if (e->type() == QEvent::MouseButtonRelease) {
            m_window = nullptr;
        }
        return false;
    }

private:
    QPointer<QWidget> m_window;
    QPoint m_startCursor;
    QPoint m_startPos;
};

WPARAM MouseFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods)
{
    WPARAM f = 0;
    if (buttons & Qt::LeftButton)
        f |= MK_LBUTTON;
    if (buttons & Qt::RightButton)
        f |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton)
        f |= MK_MBUTTON;
    if (mods & Qt::ShiftModifier)
        f |= MK_SHIFT;
    if (mods & Qt::ControlModifier)
        f |= MK_CONTROL;
    return f;
}

// The low four bits of a system command are the system's own.
constexpr WPARAM kSystemCommandMask = 0xFFF0;

LPARAM PackPoint(QPoint p) { return MAKELPARAM(static_cast<WORD>(p.x()), static_cast<WORD>(p.y())); }

// An enabled control keeps the mouse input it gets, as the original platform's controls hold the
// mouse from a press to its release; only statics and group boxes, which the mouse passes through,
// and disabled controls leave it to the window under them.
bool KeepsMouseInput(const WindowRecord& r)
{
    if (!r.widget->isEnabled())
        return false;
    switch (r.kind) {
    case WindowKind::Button: return (r.windowStyle & BS_TYPEMASK) != BS_GROUPBOX;
    case WindowKind::Edit:
    case WindowKind::ComboBox:
    case WindowKind::ComboBoxEx:
    case WindowKind::Trackbar:
    case WindowKind::UpDown: return true;
    default: return false;
    }
}

} // namespace

DispatchContext* CurrentDispatch() { return Contexts().empty() ? nullptr : Contexts().back(); }

QColor ToQColor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }
COLORREF FromQColor(const QColor& c)
{
    return RGB(static_cast<BYTE>(c.red()), static_cast<BYTE>(c.green()), static_cast<BYTE>(c.blue()));
}
QString ToQString(LPCWSTR text) { return text ? QString::fromUtf16(text) : QString(); }
CString FromQString(const QString& text)
{
    return CString(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), text.size()));
}

QFont DialogFont(LPCWSTR faceName, int pointSize)
{
    // The original platform's Japanese UI faces map to the IPA fonts.
    const std::u16string_view face = faceName ? std::u16string_view(faceName) : std::u16string_view();
    QString family = QString::fromUtf16(face.data(), face.size());
    if (face == u"ＭＳ Ｐゴシック" || face == u"MS PGothic" || face == u"MS Shell Dlg" || face == u"MS Shell Dlg 2" ||
        face.empty())
        family = QStringLiteral("IPAPGothic");
    else if (face == u"ＭＳ ゴシック" || face == u"MS Gothic")
        family = QStringLiteral("IPAGothic");
    QFont font(family);
    font.setStyleStrategy(QFont::PreferMatch);
    // Point sizes at the original platform's 96 dots per inch, as pixels of the em square.
    font.setPixelSize((pointSize * 96 + 36) / 72);
    return font;
}

WindowRecord::WindowRecord(QWidget* w, WindowKind k) : widget(w), kind(k) { Live().insert(this); }

WindowRecord::~WindowRecord()
{
    Live().erase(this);
    if (wnd && wnd->m_hWnd == Handle())
        wnd->m_hWnd = nullptr;
    if (temporary)
        temporary->m_hWnd = nullptr;
    if (region)
        DeleteObject(region);
}

WindowRecord* WindowRecord::From(HWND hWnd)
{
    auto* r = reinterpret_cast<WindowRecord*>(hWnd);
    return (r && Live().count(r) && !r->isDestroyed) ? r : nullptr;
}

WindowRecord* WindowRecord::OfWidget(QWidget* w)
{
    for (; w; w = w->parentWidget())
        if (auto* r = dynamic_cast<WindowRecord*>(w); r && !r->isDestroyed)
            return r;
    return nullptr;
}

CWnd* WindowRecord::Object()
{
    if (wnd)
        return wnd;
    if (!temporary) {
        // Of the control's own class, so callers may treat it as one.
        switch (kind) {
        case WindowKind::Button: temporary = std::make_unique<CButton>(); break;
        case WindowKind::Static: temporary = std::make_unique<CStatic>(); break;
        case WindowKind::Edit: temporary = std::make_unique<CEdit>(); break;
        case WindowKind::ComboBox: temporary = std::make_unique<CComboBox>(); break;
        case WindowKind::ComboBoxEx: temporary = std::make_unique<CComboBoxEx>(); break;
        case WindowKind::ListBox: temporary = std::make_unique<CListBox>(); break;
        case WindowKind::Trackbar: temporary = std::make_unique<CSliderCtrl>(); break;
        case WindowKind::UpDown: temporary = std::make_unique<CSpinButtonCtrl>(); break;
        default: temporary = std::make_unique<CWnd>(); break;
        }
        temporary->m_hWnd = Handle();
    }
    return temporary.get();
}

WindowRecord* WindowRecord::ParentRecord() const
{
    if (!widget || widget->isWindow())
        return nullptr;
    return OfWidget(widget->parentWidget());
}

WindowRecord* WindowRecord::TopLevelRecord()
{
    WindowRecord* r = this;
    while (WindowRecord* p = r->ParentRecord())
        r = p;
    return r;
}

QImage& WindowRecord::Backing()
{
    const QSize size = widget ? widget->size().expandedTo(QSize(1, 1)) : QSize(1, 1);
    if (backing.size() != size) {
        needsPaint = true;
        QImage grown(size, QImage::Format_RGB32);
        grown.fill(ToQColor(GetSysColor(COLOR_BTNFACE)));
        if (!backing.isNull()) {
            QPainter p(&grown);
            p.drawImage(0, 0, backing);
        }
        backing = std::move(grown);
    }
    return backing;
}

void WindowRecord::FlushBacking(const QRect& area)
{
    if (!widget || isDestroyed)
        return;
    if (painting) // the running paint event shows it at its end
        return;
    const QRect shown = area.intersected(widget->rect());
    if (shown.isEmpty() || !widget->isVisible())
        return;
    flushOnly = true;
    widget->repaint(shown);
    flushOnly = false;
}

void WindowRecord::AcceptFiles(bool accept)
{
    acceptFiles = accept;
    widget->setAcceptDrops(acceptFiles || dropTarget);
}

void WindowRecord::RegisterDropTarget(DropTargetSink* sink)
{
    dropTarget = sink;
    widget->setAcceptDrops(true);
}

void WindowRecord::RevokeDropTarget(const DropTargetSink* sink)
{
    if (dropTarget != sink)
        return;
    dropTarget = nullptr;
    widget->setAcceptDrops(acceptFiles);
}

bool WindowRecord::EnableToolTips(bool enable) { return std::exchange(toolTips, enable); }

void WindowRecord::InvalidatePaint(bool erase)
{
    erasePending = (needsPaint && erasePending) || erase;
    needsPaint = true;
}

bool WindowRecord::PaintRetained(QEvent* e)
{
    Backing(); // a new size asks for a full paint
    if (!flushOnly && needsPaint) {
        needsPaint = false;
        painting = true;
        const HWND self = Handle();
        if (std::exchange(erasePending, true)) {
            HDC hdc = GetDC(self);
            SendMessage(self, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0);
            DeviceContextData::From(hdc)->EndPainting();
            delete DeviceContextData::From(hdc);
        }
        Dispatch(WM_PAINT, 0, 0, e, {});
        if (!WindowRecord::From(self))
            return true;
        painting = false;
    }
    // Only what the event asks for: a flush of a drawn rectangle copies no more than it.
    const QRect area = static_cast<QPaintEvent*>(e)->rect();
    QPainter p(widget.data());
    p.drawImage(area.topLeft(), Backing(), area);
    return true;
}

LRESULT DispatchWithContext(WindowRecord* record, DispatchContext& ctx)
{
    Contexts().push_back(&ctx);
    struct Pop {
        ~Pop() { Contexts().pop_back(); }
    } pop;
    return record->Object()->WindowProc(ctx.message, ctx.wParam, ctx.lParam);
}

bool WindowRecord::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, QEvent*, const std::function<bool()>& base,
                            LRESULT* result)
{
    DispatchContext ctx{this, message, wParam, lParam, base ? &base : nullptr};
    const LRESULT r = DispatchWithContext(this, ctx);
    if (result)
        *result = r;
    return ctx.baseRan ? ctx.baseResult : true;
}

void WindowRecord::Destroy(bool deleteWidget)
{
    if (isDestroyed)
        return;
    isDestroyed = true;
    Live().erase(this);
    for (auto& [id, qtId] : timers)
        widget->killTimer(qtId);
    timers.clear();
    if (wnd) {
        wnd->m_hWnd = nullptr;
        wnd = nullptr;
    }
    if (temporary)
        temporary->m_hWnd = nullptr;
    WindowDestroyed();
    if (widget) {
        widget->hide();
        if (deleteWidget)
            widget->deleteLater();
    }
}

namespace {

// A key-down's lParam: one stroke, no repeat.
constexpr LPARAM kSingleKeyStroke = 1;

// The function keys have codes of their own; the rest keep the toolkit's code in the low word.
WPARAM VirtualKey(int qtKey)
{
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12)
        return static_cast<WPARAM>(VK_F1 + (qtKey - Qt::Key_F1));
    return static_cast<WPARAM>(LOWORD(static_cast<DWORD>(qtKey)));
}

UINT MouseMessage(QEvent::Type type, Qt::MouseButton button)
{
    const bool right = button == Qt::RightButton;
    const bool middle = button == Qt::MiddleButton;
    switch (type) {
    case QEvent::MouseButtonPress: return right ? WM_RBUTTONDOWN : middle ? WM_MBUTTONDOWN : WM_LBUTTONDOWN;
    case QEvent::MouseButtonRelease: return right ? WM_RBUTTONUP : middle ? WM_MBUTTONUP : WM_LBUTTONUP;
    case QEvent::MouseButtonDblClick: return right ? WM_RBUTTONDBLCLK : middle ? WM_MBUTTONDBLCLK : WM_LBUTTONDBLCLK;
    default: return WM_MOUSEMOVE;
    }
}

bool IsDialogCommandKey(QKeyEvent* k)
{
    return k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter || k->key() == Qt::Key_Escape;
}

// Enter and Esc in a dialog become its default button's command and IDCANCEL.
bool HandleDialogKey(WindowRecord* from, QKeyEvent* k)
{
    WindowRecord* dialog = from;
    while (dialog && dialog->kind != WindowKind::Dialog)
        dialog = dialog->ParentRecord();
    if (!dialog)
        return false;
    if (from->kind == WindowKind::Edit && (from->windowStyle & ES_MULTILINE))
        return false;
    int id = IDCANCEL;
    HWND control = nullptr;
    if (k->key() != Qt::Key_Escape) {
        id = IDOK;
        if (from->kind == WindowKind::Button && (from->windowStyle & BS_TYPEMASK) <= BS_DEFPUSHBUTTON) {
            id = from->id;
            control = from->Handle();
        } else {
            for (QWidget* child : dialog->widget->findChildren<QWidget*>()) {
                auto* r = dynamic_cast<WindowRecord*>(child);
                if (r && r->kind == WindowKind::Button && (r->windowStyle & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
                    id = r->id;
                    control = r->Handle();
                    break;
                }
            }
        }
    }
    const HWND target = dialog->Handle();
    SendMessage(target, WM_COMMAND, MAKELONG(static_cast<WORD>(id), BN_CLICKED), reinterpret_cast<LPARAM>(control));
    return true;
}

void ShowToolTip(WindowRecord* control, QHelpEvent* help)
{
    WindowRecord* owner = control->ParentRecord();
    while (owner && !owner->ShowsToolTips())
        owner = owner->ParentRecord();
    if (!owner) {
        QToolTip::hideText();
        return;
    }
    TOOLTIPTEXTW tip{};
    tip.hdr.code = TTN_NEEDTEXTW;
    tip.hdr.idFrom = reinterpret_cast<UINT_PTR>(control->Handle());
    tip.uFlags = TTF_IDISHWND;
    const HWND ownerHandle = owner->Handle();
    SendMessage(ownerHandle, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&tip));
    if (WindowRecord::From(ownerHandle) && tip.lpszText && tip.lpszText[0])
        QToolTip::showText(help->globalPos(), ToQString(tip.lpszText), control->widget);
    else
        QToolTip::hideText();
}

} // namespace

bool WindowRecord::HandleEvent(QEvent* e, const EventBase& base)
{
    if (isDestroyed)
        return e->type() == QEvent::DeferredDelete ? base(e) : true;
    if (e->type() == PostedMessageEvent::kType)
        return DeliverPosted(e);
    switch (e->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: return TranslateMouse(e, base);
    case QEvent::Wheel: return TranslateWheel(e, base);
    case QEvent::Leave: return TranslateLeave(e, base);
    case QEvent::Resize:
    case QEvent::WindowStateChange: return TranslateSize(e, base);
    case QEvent::Close: return TranslateClose(e);
    case QEvent::ContextMenu: return TranslateContextMenu(e, base);
    case QEvent::Timer: return TranslateTimer(e, base);
    case QEvent::DragEnter:
    case QEvent::DragMove: return TranslateDragOver(e, base);
    case QEvent::DragLeave: return TranslateDragLeave();
    case QEvent::Drop: return TranslateDrop(e, base);
    case QEvent::ToolTip: ShowToolTip(this, static_cast<QHelpEvent*>(e)); return true;
    case QEvent::KeyPress: return TranslateKey(e, base);
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate: return TranslateActivation(e, base);
    default: return base(e);
    }
}

bool WindowRecord::DeliverPosted(QEvent* e)
{
    const auto* posted = static_cast<PostedMessageEvent*>(e);
    SendMessage(Handle(), posted->message, posted->wParam, posted->lParam);
    return true;
}

bool WindowRecord::TranslateMouse(QEvent* e, const EventBase& base)
{
    auto* me = static_cast<QMouseEvent*>(e);
    NoteCursorPos(me->globalPosition().toPoint());
    NoteMouseButtons(me->buttons());
    const bool handled = Dispatch(MouseMessage(e->type(), me->button()), MouseFlags(me->buttons(), me->modifiers()),
                                  PackPoint(me->position().toPoint()), e, [&] { return base(e); });
    if (isDestroyed || !KeepsMouseInput(*this))
        return handled;
    e->accept();
    return true;
}

bool WindowRecord::TranslateWheel(QEvent* e, const EventBase& base)
{
    auto* we = static_cast<QWheelEvent*>(e);
    const int delta = we->angleDelta().y();
    const WPARAM w = MAKELONG(static_cast<WORD>(MouseFlags(we->buttons(), we->modifiers())),
                              static_cast<WORD>(static_cast<short>(delta)));
    return Dispatch(WM_MOUSEWHEEL, w, PackPoint(we->globalPosition().toPoint()), e, [&] { return base(e); });
}

bool WindowRecord::TranslateLeave(QEvent* e, const EventBase& base)
{
    if (!trackLeave)
        return base(e);
    trackLeave = false;
    Dispatch(WM_MOUSELEAVE, 0, 0, e, [&] { return base(e); });
    return true;
}

// The widget resizes first, so the handler sees the new size; a minimized window reports its
// minimizing alone.
bool WindowRecord::TranslateSize(QEvent* e, const EventBase& base)
{
    base(e);
    if (e->type() == QEvent::Resize) {
        if (widget->isMinimized())
            return true;
        const QSize s = static_cast<QResizeEvent*>(e)->size();
        Dispatch(WM_SIZE, SIZE_RESTORED, MAKELPARAM(static_cast<WORD>(s.width()), static_cast<WORD>(s.height())), e,
                 {});
    } else if (widget->isMinimized()) {
        Dispatch(WM_SIZE, SIZE_MINIMIZED, 0, e, {});
    } else {
        Dispatch(WM_SIZE, widget->isMaximized() ? SIZE_MAXIMIZED : SIZE_RESTORED,
                 MAKELPARAM(static_cast<WORD>(widget->width()), static_cast<WORD>(widget->height())), e, {});
    }
    return true;
}

// Closing is the window's own decision, reached through its system command.
bool WindowRecord::TranslateClose(QEvent* e)
{
    e->ignore();
    Dispatch(WM_SYSCOMMAND, SC_CLOSE, 0, e, {});
    return true;
}

bool WindowRecord::TranslateContextMenu(QEvent* e, const EventBase& base)
{
    auto* ce = static_cast<QContextMenuEvent*>(e);
    return Dispatch(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Handle()), PackPoint(ce->globalPos()), e,
                    [&] { return base(e); });
}

bool WindowRecord::TranslateTimer(QEvent* e, const EventBase& base)
{
    const int qtId = static_cast<QTimerEvent*>(e)->timerId();
    for (const auto& [id, q] : timers)
        if (q == qtId)
            return Dispatch(WM_TIMER, id, 0, e, [&] { return base(e); });
    return base(e);
}

bool WindowRecord::TranslateDragOver(QEvent* e, const EventBase& base)
{
    auto* de = static_cast<QDropEvent*>(e);
    if (acceptFiles && de->mimeData()->hasUrls()) {
        de->setDropAction(Qt::CopyAction);
        de->accept();
        return true;
    }
    if (!dropTarget)
        return base(e);
    const DWORD effect = e->type() == QEvent::DragEnter ? dropTarget->DragEnter(e) : dropTarget->DragOver(e);
    if (effect) {
        de->setDropAction((effect & DROPEFFECT_MOVE) ? Qt::MoveAction : Qt::CopyAction);
        de->accept();
    } else {
        de->ignore();
    }
    return true;
}

bool WindowRecord::TranslateDragLeave()
{
    if (dropTarget)
        dropTarget->DragLeave();
    return true;
}

bool WindowRecord::TranslateDrop(QEvent* e, const EventBase& base)
{
    auto* de = static_cast<QDropEvent*>(e);
    if (acceptFiles && de->mimeData()->hasUrls()) {
        std::vector<CString> paths;
        for (const QUrl& url : de->mimeData()->urls())
            if (url.isLocalFile())
                paths.push_back(FromQString(url.toLocalFile()));
        if (!paths.empty()) {
            DropFileList drop(std::move(paths));
            Dispatch(WM_DROPFILES, reinterpret_cast<WPARAM>(drop.Handle()), 0, e, {});
        }
        de->acceptProposedAction();
        return true;
    }
    if (!dropTarget)
        return base(e);
    dropTarget->Drop(e);
    // The view reports no effect: the source never deletes what it dragged.
    de->setDropAction(Qt::IgnoreAction);
    de->accept();
    return true;
}

bool WindowRecord::TranslateKey(QEvent* e, const EventBase& base)
{
    auto* k = static_cast<QKeyEvent*>(e);
    if (IsDialogCommandKey(k) && k->modifiers() == Qt::NoModifier && HandleDialogKey(this, k))
        return true;
    return Dispatch(WM_KEYDOWN, VirtualKey(k->key()), kSingleKeyStroke, e, [&] { return base(e); });
}

bool WindowRecord::TranslateActivation(QEvent* e, const EventBase& base)
{
    if (!widget->isWindow())
        return base(e);
    return Dispatch(WM_ACTIVATE, e->type() == QEvent::WindowActivate ? WA_ACTIVE : WA_INACTIVE, 0, e,
                    [&] { return base(e); });
}

LRESULT WindowRecord::ClassProc(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    handled = true;
    switch (message) {
    case WM_SETTEXT:
        windowText = reinterpret_cast<LPCWSTR>(lParam);
        ApplyText();
        return TRUE;
    case WM_GETTEXTLENGTH: return windowText.GetLength();
    case WM_GETTEXT: {
        auto* out = reinterpret_cast<LPWSTR>(lParam);
        const int room = static_cast<int>(wParam);
        if (!out || room <= 0)
            return 0;
        const int n = std::min(room - 1, windowText.GetLength());
        std::copy(windowText.GetString(), windowText.GetString() + n, out);
        out[n] = 0;
        return n;
    }
    case WM_NCLBUTTONDOWN:
        if (wParam == static_cast<WPARAM>(HTCAPTION) && widget) {
            QWidget* window = widget->window();
            QWindow* handle = window->windowHandle();
            if (!handle || !handle->startSystemMove())
                WindowMover::Instance().Start(window);
        }
        return 0;
    case WM_NCHITTEST: return HTCLIENT;
    case WM_SYSCOMMAND:
        if ((wParam & kSystemCommandMask) == SC_CLOSE) {
            SendMessage(Handle(), WM_CLOSE, 0, 0);
        } else if ((wParam & kSystemCommandMask) == SC_MINIMIZE && widget) {
            widget->window()->showMinimized();
        } else if ((wParam & kSystemCommandMask) == SC_RESTORE && widget) {
            widget->window()->showNormal();
        }
        return 0;
    case WM_CLOSE: Object()->DestroyWindow(); return 0;
    case WM_SETICON: {
        const HICON icon = reinterpret_cast<HICON>(lParam);
        HICON& slot = wParam ? bigIcon : smallIcon;
        const HICON old = std::exchange(slot, icon);
        if (QIcon* q = IconFromHandle(bigIcon ? bigIcon : smallIcon); q && widget)
            widget->setWindowIcon(*q);
        return reinterpret_cast<LRESULT>(old);
    }
    case WM_SETFONT: {
        windowFont = reinterpret_cast<HFONT>(wParam);
        if (GdiObjectData* f = GdiObjectData::From(windowFont); f && widget)
            widget->setFont(f->font);
        return 0;
    }
    case WM_GETFONT: return reinterpret_cast<LRESULT>(windowFont);
    default: handled = false; return 0;
    }
}

void WindowRecord::ApplyText()
{
    if (widget && widget->isWindow())
        widget->setWindowTitle(ToQString(windowText));
}

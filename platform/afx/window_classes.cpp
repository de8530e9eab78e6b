#include "platform/afx/window_classes.h"

#include "platform/afx/controls_host.h"
#include "platform/win/ascii_case.h"

#include <deque>
#include <string_view>

namespace {

struct WindowClass {
    CString name;
    WindowClassFactory create;
    // Classes the program registers are plain windows with their own background.
    bool registeredByProgram = false;
    HBRUSH background = nullptr;
};

// A deque, so the names handed out stay where they are.
std::deque<WindowClass>& Classes()
{
    static std::deque<WindowClass> classes = {
        {CString(u"BUTTON"), CreateButtonHost},
        {CString(u"STATIC"), CreateStaticHost},
        {CString(u"EDIT"), CreateEditHost},
        {CString(u"COMBOBOX"), CreateComboBoxHost},
        {CString(u"ComboBoxEx32"), CreateComboBoxExHost},
        {CString(u"LISTBOX"), CreateListBoxHost},
        {CString(u"msctls_trackbar32"), CreateTrackbarHost},
        {CString(u"msctls_updown32"), CreateUpDownHost},
        {CString(u"#32770"), CreateDialogHost},
    };
    return classes;
}

const WindowClass* FindClass(std::u16string_view name)
{
    for (const WindowClass& c : Classes())
        if (EqualsIgnoringAsciiCase(c.name.View(), name))
            return &c;
    return nullptr;
}

} // namespace

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR, HBRUSH hbrBackground, HICON)
{
    for (const WindowClass& c : Classes())
        if (c.registeredByProgram && c.background == hbrBackground)
            return c.name.GetString();
    CString name;
    name.Format(u"Afx:%x:%p", nClassStyle, static_cast<void*>(hbrBackground));
    const auto create = [hbrBackground](QWidget* parent, DWORD) -> WindowRecord* {
        auto* host = new GenericHost(parent, WindowKind::Generic);
        host->classBrush = hbrBackground;
        return host;
    };
    Classes().push_back({name, create, true, hbrBackground});
    return Classes().back().name.GetString();
}

WindowRecord* WindowFactory::Create(const CString& className, const CString& text, DWORD style, DWORD exStyle,
                                    const QRect& geometry, WindowRecord* parent, int id, bool topLevelOwned)
{
    QWidget* parentWidget = parent ? parent->widget.data() : nullptr;
    const bool child = (style & WS_CHILD) && parentWidget;
    QWidget* qtParent = child ? parentWidget : (topLevelOwned && parentWidget ? parentWidget->window() : nullptr);
    const WindowClass* windowClass = FindClass(className.View());
    WindowRecord* record = windowClass ? windowClass->create(qtParent, style) : CreateGenericHost(qtParent, style);
    QWidget* w = record->widget;
    record->className = className;
    record->windowStyle = style;
    record->exStyle = exStyle;
    record->id = id;
    record->windowText = text;
    if (!child) {
        w->setWindowFlag(Qt::Window, true);
        if (style & WS_POPUP && !(style & WS_CAPTION))
            w->setWindowFlag(Qt::FramelessWindowHint, true);
        if (exStyle & WS_EX_TOOLWINDOW)
            w->setWindowFlag(Qt::Tool, true);
        if (exStyle & WS_EX_TOPMOST)
            w->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    }
    w->setGeometry(geometry);
    w->setEnabled(!(style & WS_DISABLED));
    if (exStyle & WS_EX_ACCEPTFILES)
        record->AcceptFiles(true);
    record->ApplyText();
    record->Created();
    return record;
}

void WindowFactory::Attach(CWnd* wnd, WindowRecord* record)
{
    record->wnd = wnd;
    wnd->m_hWnd = record->Handle();
}

void WindowFactory::Detach(CWnd* wnd)
{
    if (WindowRecord* r = WindowRecord::From(wnd->m_hWnd); r && r->wnd == wnd)
        r->wnd = nullptr;
    wnd->m_hWnd = nullptr;
}

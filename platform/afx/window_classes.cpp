#include "platform/afx/window_classes.h"

#include "platform/afx/cwnd.h"

#include <deque>

namespace {

struct WindowClass {
    CString name;
    HBRUSH background;
};

// A deque, so the names handed out stay where they are.
std::deque<WindowClass>& Classes()
{
    static std::deque<WindowClass> classes;
    return classes;
}

} // namespace

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR, HBRUSH hbrBackground, HICON)
{
    for (const WindowClass& c : Classes())
        if (c.background == hbrBackground)
            return c.name.GetString();
    CString name;
    name.Format(u"Afx:%x:%p", nClassStyle, static_cast<void*>(hbrBackground));
    Classes().push_back({name, hbrBackground});
    return Classes().back().name.GetString();
}

HBRUSH RegisteredClassBackground(const CString& className)
{
    HBRUSH background = nullptr;
    for (const WindowClass& c : Classes())
        if (c.name == className)
            background = c.background;
    return background;
}

// Window classes: what each class name builds. The built-in control and dialog classes and the
// classes the program registers share one table; a new kind of window adds one entry to it.
#pragma once

#include "platform/afx/cstring.h"
#include "platform/win/ui_types.h"

#include <QRect>

#include <functional>

class CWnd;
class QWidget;
class WindowRecord;

// Builds the host widget of a class under parent (null for a top-level window), set up for style.
using WindowClassFactory = std::function<WindowRecord*(QWidget* parent, DWORD style)>;

// Creates windows by class name and links them to their objects.
class WindowFactory {
public:
    // Class names compare without regard to ASCII case; an unknown name builds a plain window.
    static WindowRecord* Create(const CString& className, const CString& text, DWORD style, DWORD exStyle,
                                const QRect& geometry, WindowRecord* parent, int id, bool topLevelOwned);
    static void Attach(CWnd* wnd, WindowRecord* record);
    static void Detach(CWnd* wnd);
};

// The toolkit widget behind a window object, for code that draws or animates a window itself.
#pragma once

class CWnd;
class QWidget;

// Null when wnd has no live window.
QWidget* WindowWidget(const CWnd& wnd);

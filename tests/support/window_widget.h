// The toolkit widget behind a window object, for tests that look at or drive it directly.
#pragma once

#include "platform/afx/window_host.h"

inline QWidget* WidgetOf(const CWnd* w) { return WindowRecord::From(w->m_hWnd)->widget; }

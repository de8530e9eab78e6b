// The toolkit widget behind a window object, for tests that look at or drive it directly.
#pragma once

#include "platform/afx/window_host.h"

#include <QBackingStore>
#include <QImage>

inline QWidget* WidgetOf(const CWnd* w) { return WindowRecord::From(w->m_hWnd)->widget; }

// What the window system shows of a window: its part of the top-level window's backing store
// (the offscreen platform keeps that as an image). Null when there is none.
inline QImage OnScreen(const CWnd* w)
{
    QWidget* widget = WidgetOf(w);
    QBackingStore* store = widget->window()->backingStore();
    auto* image = store ? dynamic_cast<QImage*>(store->paintDevice()) : nullptr;
    if (!image)
        return {};
    return image->copy(QRect(widget->mapTo(widget->window(), QPoint(0, 0)), widget->size()));
}

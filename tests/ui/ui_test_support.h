// Shared pieces of the toolkit tests: widgets of windows, mouse events, screenshots.
#pragma once

#include "platform/afx/window_host.h"
#include "tests/support/qt_app.h"
#include "tests/support/window_widget.h"

#include <QDir>
#include <QMouseEvent>

inline void SendMouse(QWidget* w, QEvent::Type type, QPoint local, Qt::MouseButton button, Qt::MouseButtons buttons,
                      Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QMouseEvent e(type, QPointF(local), QPointF(w->mapToGlobal(local)), button, buttons, mods);
    QCoreApplication::sendEvent(w, &e);
}

// Saves what the window shows under build/shots/, for reviewers.
inline void SaveShot(const CWnd* w, const QString& name)
{
    QDir().mkpath(QStringLiteral(SHOTS_DIR));
    WidgetOf(w)->grab().save(QStringLiteral(SHOTS_DIR "/") + name + ".png");
}

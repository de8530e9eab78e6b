// A person's hands on the main window: clicks on tool bar buttons and menu items, and the idle
// moment of the main loop that brings their enabled and ticked states up to date.
#pragma once

#include "app/main_frame.h"
#include "platform/afx/command_actions.h"
#include "tests/support/qt_app.h"

#include <QAction>
#include <QMenu>
#include <QTest>
#include <QToolBar>
#include <QWheelEvent>

// A left click: the button goes down and up at one point.
inline void LeftClick(QWidget* w, QPoint local) { QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, local); }

// One notch of the wheel, up or down, over the widget's centre.
inline void WheelNotch(QWidget* w, bool up)
{
    const QPointF local(w->width() / 2.0, w->height() / 2.0);
    QWheelEvent e(local, w->mapToGlobal(local), QPoint(), QPoint(0, up ? 120 : -120), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(w, &e);
}

inline QAction* ToolBarAction(const CMainFrame* frame, UINT id)
{
    for (QAction* a : frame->m_toolBar.Bar()->actions())
        if (CommandIdOf(a) == id)
            return a;
    return nullptr;
}

// Clicks the tool bar button; its command arrives with the events that follow.
inline void ClickToolBarButton(const CMainFrame* frame, UINT id)
{
    QWidget* button = frame->m_toolBar.Bar()->widgetForAction(ToolBarAction(frame, id));
    LeftClick(button, button->rect().center());
}

// The menu bar's item of the command and the popup that holds it.
struct MenuItem {
    QMenu* menu = nullptr;
    QAction* action = nullptr;
};

inline MenuItem FindMenuItem(QMenu* menu, UINT id)
{
    for (QAction* a : menu->actions()) {
        if (a->menu()) {
            if (MenuItem found = FindMenuItem(a->menu(), id); found.action)
                return found;
        } else if (CommandIdOf(a) == id) {
            return {menu, a};
        }
    }
    return {};
}

inline MenuItem FindMenuItem(const CMainFrame* frame, UINT id)
{
    for (int i = 0; i < frame->m_menuBar.GetCount(); ++i)
        if (QMenu* popup = frame->m_menuBar.GetPopup(i))
            if (MenuItem found = FindMenuItem(popup, id); found.action)
                return found;
    return {};
}

// Opens the popup that holds the item (its states are brought up to date as it opens) and clicks
// the item.
inline void ChooseMenuItem(const CMainFrame* frame, UINT id)
{
    const MenuItem item = FindMenuItem(frame, id);
    item.menu->popup(QPoint(0, 0));
    ProcessEvents();
    LeftClick(item.menu, item.menu->actionGeometry(item.action).center());
    item.menu->hide();
    ProcessEvents();
}

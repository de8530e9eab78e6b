// Answers the next application message box with a button, remembering what it said.
#pragma once

#include "platform/afx/window_host.h"
#include "tests/support/qt_app.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

struct SeenMessageBox {
    int shown = 0;
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

inline void AnswerNextMessageBox(QMessageBox::StandardButton button, SeenMessageBox& seen)
{
    WhenModal([button, &seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        ++seen.shown;
        seen.text = box->text();
        seen.title = box->windowTitle();
        seen.icon = box->icon();
        if (QAbstractButton* b = box->button(button))
            b->click();
        else
            box->reject();
    });
}

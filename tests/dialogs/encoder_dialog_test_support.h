// Driving the encoder dialogs from tests: find the one a function under test shows, choose its
// rows, answer the prompts it raises.
#pragma once

#include "tests/dialogs/dialog_test_support.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// The visible top-level window of class D, or null.
template <class D>
D* ShowingDialog()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible())
            continue;
        if (WindowRecord* record = WindowRecord::OfWidget(w))
            if (auto* dialog = dynamic_cast<D*>(record->Object()))
                return dialog;
    }
    return nullptr;
}

// The visible dialog that has a control with this id, or null (for dialogs of no class of their own).
inline CWnd* ShowingDialogWith(int controlId)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (WindowRecord* record = WindowRecord::OfWidget(w);
            record && !record->isDestroyed && w->isVisible() && record->Object()->GetDlgItem(controlId))
            return record->Object();
    return nullptr;
}

// Runs fn on the dialog of class D once its modal loop runs; without one the test fails.
template <class D>
void WithDialog(std::function<void(D&)> fn)
{
    WhenModal([fn] {
        D* dialog = ShowingDialog<D>();
        ASSERT_NE(dialog, nullptr);
        fn(*dialog);
    });
}

inline void ChooseRow(CWnd& dialog, int id, int row)
{
    auto* combo = static_cast<QComboBox*>(WidgetOf(dialog.GetDlgItem(id)));
    combo->setCurrentIndex(row);
    emit combo->activated(row);
}

// Answers the next message box with OK and hands back its text.
inline void AnswerNextMessageBox(QString* text)
{
    QTimer::singleShot(0, [text] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        *text = box->text();
        box->accept();
    });
}

// The texts of the dialog's labels, buttons and check boxes that do not fit their controls.
std::vector<std::string> TextsThatDoNotFit(CWnd& dialog);

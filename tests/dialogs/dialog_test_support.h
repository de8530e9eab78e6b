// Shared pieces of the auxiliary dialogs' tests: running a dialog modally while a step acts on
// it, answering message boxes, and reading controls.
#pragma once

#include "platform/afx/cdialog.h"
#include "platform/afx/controls.h"
#include "platform/afx/window_host.h"
#include "tests/support/cstring_printer.h"
#include "tests/support/qt_app.h"
#include "tests/support/window_widget.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>

#include <functional>
#include <vector>

// Runs the dialog modally; step runs once its loop is going (it ends the dialog itself, or the
// close box does it afterwards).
inline INT_PTR RunModal(CDialog& dlg, std::function<void(CDialog&)> step)
{
    WhenModal([&dlg, step] {
        step(dlg);
        if (IsWindow(dlg.m_hWnd) && dlg.IsWindowVisible())
            dlg.SendMessage(WM_CLOSE);
    });
    return dlg.DoModal();
}

// The visible dialog of class T, the last one found (one that a function under test creates for
// itself).
template <typename T = CWnd>
T* ShownDialog()
{
    T* found = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* r = dynamic_cast<WindowRecord*>(w);
            r && !r->isDestroyed && r->kind == WindowKind::Dialog && w->isVisible())
            if (auto* dlg = dynamic_cast<T*>(r->Object()))
                found = dlg;
    return found;
}

// While alive, answers every message box with its default button and keeps its text.
class MessageBoxCatcher {
public:
    MessageBoxCatcher()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<QMessageBox*>(w);
                if (box && box->isVisible()) {
                    texts.push_back(box->text());
                    box->done(QMessageBox::Ok);
                }
            }
        });
        m_timer.start(5);
    }
    std::vector<QString> texts;

private:
    QTimer m_timer;
};

inline CString ItemText(const CWnd& dlg, int id) { return dlg.GetDlgItem(id)->GetWindowTextString(); }
inline bool Ticked(const CWnd& dlg, int id) { return dlg.IsDlgButtonChecked(id) == BST_CHECKED; }
inline bool Enabled(const CWnd& dlg, int id) { return dlg.GetDlgItem(id)->IsWindowEnabled() != FALSE; }
inline void Click(CWnd& dlg, int id) { dlg.GetDlgItem(id)->SendMessage(BM_CLICK); }

// The rows of a combo box, in order.
inline std::vector<CString> ComboRows(const CWnd& dlg, int id)
{
    auto* combo = static_cast<CComboBox*>(CWnd::FromHandle(dlg.GetDlgItem(id)->m_hWnd));
    std::vector<CString> rows;
    for (int i = 0; i < combo->GetCount(); ++i) {
        CString text;
        combo->GetLBText(i, text);
        rows.push_back(text);
    }
    return rows;
}
inline int ComboSel(const CWnd& dlg, int id) { return static_cast<int>(dlg.GetDlgItem(id)->SendMessage(CB_GETCURSEL)); }
inline void SelectRow(CWnd& dlg, int id, int row)
{
    dlg.GetDlgItem(id)->SendMessage(CB_SETCURSEL, static_cast<WPARAM>(row), 0);
    dlg.SendMessage(WM_COMMAND, static_cast<WPARAM>(MAKELONG(static_cast<WORD>(id), static_cast<WORD>(CBN_SELCHANGE))),
                    reinterpret_cast<LPARAM>(dlg.GetDlgItem(id)->m_hWnd));
}

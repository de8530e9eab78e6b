// Answers the modal windows a command opens, one scripted step after another: each step looks at
// the window that is showing and acts on it when it is the one it expects.
#pragma once

#include "platform/afx/cwnd.h"
#include "platform/afx/window_host.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <deque>
#include <functional>
#include <string>
#include <vector>

class ModalScript {
public:
    // Returns true when it acted on the showing window.
    using Step = std::function<bool(QWidget* modal)>;

    ModalScript()
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Poll(); });
        m_timer.start();
    }

    void Add(std::string name, Step step) { m_steps.push_back({std::move(name), std::move(step)}); }
    // The steps not reached.
    std::vector<std::string> Left() const
    {
        std::vector<std::string> names;
        for (const auto& s : m_steps)
            names.push_back(s.first);
        return names;
    }

    // Chooses path in the next file or folder dialog.
    static Step ChoosePath(const QString& path)
    {
        return [path](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            if (!dialog)
                return false;
            dialog->selectFile(path);
            // The dialog may put its initial name back once its folder listing arrives: type it.
            if (auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                edit->setText(dialog->fileMode() == QFileDialog::Directory ? path : QFileInfo(path).fileName());
            static_cast<QDialog*>(dialog)->accept();
            return true;
        };
    }
    // Presses a button of the next dialog of class D.
    template <class D>
    static Step Press(int id)
    {
        return [id](QWidget* modal) {
            WindowRecord* record = WindowRecord::OfWidget(modal);
            D* dialog = record ? dynamic_cast<D*>(record->Object()) : nullptr;
            if (!dialog)
                return false;
            dialog->SendMessage(WM_COMMAND, static_cast<WPARAM>(id), 0);
            return true;
        };
    }
    // Answers the next message box with OK (Yes for a question), keeping its title and text.
    static Step Box(std::vector<QString>& seen) { return Answer(seen, QMessageBox::NoButton); }
    static Step Answer(std::vector<QString>& seen, QMessageBox::StandardButton button)
    {
        return [&seen, button](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (!box)
                return false;
            seen.push_back(box->windowTitle() + u'|' + box->text());
            QMessageBox::StandardButton chosen = button;
            if (chosen == QMessageBox::NoButton)
                chosen = box->standardButtons() & QMessageBox::Yes ? QMessageBox::Yes : QMessageBox::Ok;
            box->button(chosen)->click();
            return true;
        };
    }

private:
    void Poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        // The class library's dialogs run their own modal loop.
        if (!modal)
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* r = dynamic_cast<WindowRecord*>(w); r && r->kind == WindowKind::Dialog && w->isVisible())
                    modal = w;
        if (!modal || m_steps.empty() || (m_last && modal == m_last.data()))
            return;
        if (m_steps.front().second(modal)) {
            m_last = modal;
            m_steps.pop_front();
        }
    }

    QTimer m_timer;
    std::deque<std::pair<std::string, Step>> m_steps;
    // The window acted on last, until it is gone (another may later take its address).
    QPointer<QWidget> m_last;
};

#include "bench/dialog_answerer.h"

#include "platform/afx/cwnd.h"
#include "platform/afx/window_host.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

DialogAnswerer::DialogAnswerer()
{
    m_timer.setInterval(5);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { Answer(); });
    m_timer.start();
}

void DialogAnswerer::Answer()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
        static_cast<QDialog*>(dialog)->accept();
        return;
    }
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        QString text = box->text();
        if (text.startsWith(QStringLiteral("Error No.")))
            m_lastError = text.replace(QStringLiteral("\n\n"), QStringLiteral("\n")).toStdString();
        else if (!(box->standardButtons() & QMessageBox::Yes))
            ++m_savedBoxes;
        box->button(box->standardButtons() & QMessageBox::Yes ? QMessageBox::Yes : QMessageBox::Ok)->click();
        return;
    }
    // The class library's dialogs run their own modal loop.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* record = dynamic_cast<WindowRecord*>(w);
            record && record->kind == WindowKind::Dialog && w->isVisible())
            if (CWnd* dialog = record->Object()) {
                dialog->SendMessage(WM_COMMAND, IDOK, 0);
                return;
            }
}

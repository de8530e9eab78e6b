#include "platform/afx/message_box.h"

#include "platform/afx/cstring.h"
#include "platform/afx/modal_loops.h"
#include "platform/afx/window_host.h"

#include <QApplication>
#include <QMessageBox>

#include <atomic>

namespace {

std::atomic<UINT> g_beeps{0};

QMessageBox::Icon IconOf(UINT type)
{
    switch (type & 0xF0) {
    case MB_ICONERROR: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

QMessageBox::StandardButtons ButtonsOf(UINT type)
{
    switch (type & 0xF) {
    case MB_OKCANCEL: return QMessageBox::Ok | QMessageBox::Cancel;
    case MB_YESNOCANCEL: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MB_YESNO: return QMessageBox::Yes | QMessageBox::No;
    default: return QMessageBox::Ok;
    }
}

} // namespace

int MessageBox(HWND owner, LPCTSTR text, LPCTSTR caption, UINT type)
{
    // The program is ending: nobody is there to answer.
    if (ModalLoop::Refused())
        return IDCANCEL;
    QWidget* parent = nullptr;
    if (WindowRecord* record = WindowRecord::From(owner))
        parent = record->widget;
    QMessageBox box(parent);
    box.setWindowTitle(ToQString(caption));
    box.setText(ToQString(text));
    box.setIcon(IconOf(type));
    box.setStandardButtons(ButtonsOf(type));
    const ModalLoop running([&box] { box.reject(); });
    switch (box.exec()) {
    case QMessageBox::Ok: return IDOK;
    case QMessageBox::Yes: return IDYES;
    case QMessageBox::No: return IDNO;
    default: return IDCANCEL;
    }
}

BOOL MessageBeep(UINT)
{
    ++g_beeps;
    QApplication::beep();
    return TRUE;
}

UINT MessageBeepCount() { return g_beeps; }

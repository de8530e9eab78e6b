#include "platform/afx/controls_host.h"

#include "platform/afx/control_host_support.h"
#include "platform/afx/gdi_internal.h"
#include "platform/afx/input_state.h"
#include "platform/afx/radio_group.h"

#include <QPainter>

ButtonHost::ButtonHost(QWidget* parent) : Host<QPushButton>(parent, WindowKind::Button)
{
    connect(this, &QPushButton::clicked, this, [this] { NotifyParent(this, BN_CLICKED); });
    connect(this, &QPushButton::pressed, this, [this] { NoteButtonHeld(this, true); });
    connect(this, &QPushButton::released, this, [this] { NoteButtonHeld(this, false); });
}

LRESULT ButtonHost::ClassProc(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    if (message == BM_CLICK) {
        handled = true;
        click();
        return 0;
    }
    if (message == BM_SETSTYLE) {
        handled = true;
        windowStyle = (windowStyle & ~BS_TYPEMASK) | (static_cast<DWORD>(wParam) & BS_TYPEMASK);
        update();
        return 0;
    }
    return WindowRecord::ClassProc(message, wParam, lParam, handled);
}

void ButtonHost::paintEvent(QPaintEvent* e)
{
    if ((windowStyle & BS_TYPEMASK) != BS_OWNERDRAW) {
        QPushButton::paintEvent(e);
        return;
    }
    // Owner-drawn: the parent draws the item through WM_DRAWITEM.
    QImage canvas(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    canvas.fill(ToQColor(GetSysColor(COLOR_BTNFACE)));
    HDC hdc = CreateImageDC(&canvas, QPoint(), windowFont);
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = static_cast<UINT>(id);
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = (isDown() ? ODS_SELECTED : 0) | (hasFocus() ? ODS_FOCUS : 0) | (isEnabled() ? 0 : ODS_DISABLED);
    dis.hwndItem = Handle();
    dis.hDC = hdc;
    dis.rcItem = RECT{0, 0, width(), height()};
    const HWND self = Handle();
    if (WindowRecord* parent = ParentRecord())
        SendMessage(parent->Handle(), WM_DRAWITEM, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&dis));
    DeleteDC(hdc);
    if (WindowRecord::From(self)) {
        QPainter p(this);
        p.drawImage(0, 0, canvas);
    }
}
WindowRecord* CreateButtonHost(QWidget* parent, DWORD style)
{
    const DWORD type = style & BS_TYPEMASK;
    QAbstractButton* button = nullptr;
    WindowRecord* record = nullptr;
    if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE) {
        auto* h = new CheckHost<QCheckBox>(parent);
        button = h;
        record = h;
    } else if (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON) {
        auto* h = new CheckHost<QRadioButton>(parent);
        h->setAutoExclusive(false);
        button = h;
        record = h;
    } else if (type == BS_GROUPBOX) {
        return new GroupHost(parent);
    } else {
        auto* h = new ButtonHost(parent);
        h->setAutoDefault(false);
        button = h;
        record = h;
    }
    if (type == BS_CHECKBOX || type == BS_RADIOBUTTON) {
        // Non-automatic boxes change only when the program says so.
        button->setCheckable(true);
        QObject::connect(button, &QAbstractButton::clicked, button,
                         [button](bool checked) { button->setChecked(!checked); });
    }
    if (type == BS_AUTORADIOBUTTON) {
        QObject::connect(button, &QAbstractButton::clicked, button, [button, record] {
            button->setChecked(true); // a click never clears an automatic radio button
            ClearOtherRadiosOfGroup(record);
        });
    }
    if (type > BS_DEFPUSHBUTTON && type != BS_OWNERDRAW)
        QObject::connect(button, &QAbstractButton::clicked, button, [record] { NotifyParent(record, BN_CLICKED); });
    return record;
}

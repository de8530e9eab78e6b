#include "platform/afx/controls_host.h"

#include "platform/afx/gdi.h"

DialogHost* DialogHost::From(HWND hWnd) { return dynamic_cast<DialogHost*>(WindowRecord::From(hWnd)); }

LRESULT DialogHost::ClassProc(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    if (message != WM_CLOSE)
        return GenericHost::ClassProc(message, wParam, lParam, handled);
    handled = true;
    SendMessage(Handle(), WM_COMMAND, IDCANCEL, 0);
    return 0;
}

HBRUSH DialogHost::EraseBrush(HDC hdc)
{
    CtlColorRequest req{hdc, Handle(), CTLCOLOR_DLG};
    const auto brush = reinterpret_cast<HBRUSH>(SendMessage(Handle(), WM_CTLCOLOR, 0, reinterpret_cast<LPARAM>(&req)));
    return brush ? brush : GetSysColorBrush(COLOR_BTNFACE);
}

void DialogHost::WindowDestroyed()
{
    if (endModal)
        std::exchange(endModal, nullptr)();
}
WindowRecord* CreateDialogHost(QWidget* parent, DWORD) { return new DialogHost(parent); }

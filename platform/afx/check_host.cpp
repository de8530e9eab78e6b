#include "platform/afx/controls_host.h"

template <class Base>
LRESULT CheckHost<Base>::ClassProc(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    if (message == BM_GETCHECK) {
        handled = true;
        return this->isChecked() ? BST_CHECKED : BST_UNCHECKED;
    }
    if (message == BM_SETCHECK) {
        handled = true;
        this->setChecked(wParam == BST_CHECKED);
        return 0;
    }
    if (message == BM_CLICK) {
        handled = true;
        this->click();
        return 0;
    }
    return WindowRecord::ClassProc(message, wParam, lParam, handled);
}
template class CheckHost<QCheckBox>;
template class CheckHost<QRadioButton>;

#include "platform/afx/control_host_support.h"

#include <algorithm>

void NotifyParent(WindowRecord* control, UINT code)
{
    WindowRecord* parent = control->ParentRecord();
    if (!parent)
        return;
    SendMessage(parent->Handle(), WM_COMMAND, MAKELONG(static_cast<WORD>(control->id), static_cast<WORD>(code)),
                reinterpret_cast<LPARAM>(control->Handle()));
}

LRESULT CopyOut(const QString& text, LPARAM buffer)
{
    auto* out = reinterpret_cast<LPWSTR>(buffer);
    if (out) {
        std::copy(text.utf16(), text.utf16() + text.size(), reinterpret_cast<char16_t*>(out));
        out[text.size()] = 0;
    }
    return text.size();
}

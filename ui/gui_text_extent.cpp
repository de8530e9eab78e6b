#include "ui/gui_text_extent.h"

#include "platform/afx/cdc.h"

CSize GetGuiTextExtent(CWnd* pWnd, const CString& text)
{
    CDC* dc = pWnd->GetDC();
    if (!dc)
        return CSize();
    CGdiObject* old = dc->SelectStockObject(DEFAULT_GUI_FONT);
    const CSize size = dc->GetTextExtent(text.GetString(), text.GetLength());
    if (old)
        dc->SelectObject(old);
    pWnd->ReleaseDC(dc);
    return size;
}

#include "ui/drag_list_box_ex.h"

#include "foundation/default_gui_font.h"
#include "platform/afx/cdc.h"
#include "platform/afx/shell.h"
#include "ui/draw_helpers.h"
#include "ui/gui_text_extent.h"
#include "ui/window_drag.h"

BEGIN_MESSAGE_MAP(CDragListBoxEx, CDragListBox)
    ON_WM_MOUSEMOVE()
    ON_WM_DROPFILES()
END_MESSAGE_MAP()

CDragListBoxEx::~CDragListBoxEx()
{
    // The list must not keep drawing with a font that is going.
    if (IsWindow(m_hWnd) && GetFont() && GetFont()->m_hObject == m_font.m_hObject)
        SendMessage(WM_SETFONT, 0, FALSE);
    m_font.DeleteObject();
}

void CDragListBoxEx::PreSubclassWindow()
{
    CDragListBox::PreSubclassWindow();
    DragAcceptFiles(TRUE);
    LOGFONTW lf{};
    GetDefaultGuiFont(&lf);
    if (m_font.CreateFontIndirect(&lf))
        SetFont(&m_font, TRUE);
}

int CDragListBoxEx::InsertItem(int nIndex, LPCTSTR text)
{
    const int index = InsertString(nIndex, text);
    UpdateExtent();
    return index;
}

int CDragListBoxEx::DeleteSelected()
{
    const int sel = GetCurSel();
    return sel == LB_ERR ? -1 : DeleteItem(sel);
}

int CDragListBoxEx::DeleteItem(int nIndex)
{
    const int count = DeleteString(static_cast<UINT>(nIndex));
    UpdateExtent();
    if (count == LB_ERR)
        return count;
    SetCurSel(nIndex == count ? nIndex - 1 : nIndex);
    return count;
}

void CDragListBoxEx::ClearItems()
{
    ResetContent();
    UpdateExtent();
}

int CDragListBoxEx::AddItem(LPCTSTR text)
{
    const int index = AddString(text);
    UpdateExtent();
    return index;
}

BOOL CDragListBoxEx::SubclassItem(UINT nID, CWnd* pParent) { return SubclassDlgItem(nID, pParent) ? TRUE : FALSE; }

void CDragListBoxEx::OnDropFile(CString path) { AddItem(path); }

void CDragListBoxEx::MoveDown()
{
    const int sel = GetCurSel();
    if (sel == LB_ERR || sel >= GetCount() - 1) {
        SetFocus();
        return;
    }
    CString text;
    GetText(sel + 1, text);
    DeleteItem(sel + 1);
    InsertItem(sel, text);
    SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    SetCurSel(sel + 1);
}

void CDragListBoxEx::MoveUp()
{
    const int sel = GetCurSel();
    if (sel == LB_ERR || sel == 0) {
        SetFocus();
        return;
    }
    CString text;
    GetText(sel - 1, text);
    DeleteItem(sel - 1);
    InsertItem(sel, text);
    SendMessage(WM_VSCROLL, SB_LINEUP, 0);
    SetCurSel(sel - 1);
}

void CDragListBoxEx::UpdateExtent()
{
    int width = 1;
    const int count = GetCount();
    for (int i = 0; i < count; ++i) {
        CString text;
        GetText(i, text);
        width = std::max(width, static_cast<int>(GetGuiTextExtent(this, text).cx));
    }
    SetHorizontalExtent(width + 5);
}

void CDragListBoxEx::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if (lpDIS->itemID == static_cast<UINT>(-1))
        return;
    const bool selected = (lpDIS->itemState & ODS_SELECTED) != 0;
    const COLORREF background = selected                   ? RGB(0, 255, 0)
                                : (lpDIS->itemID % 2 == 0) ? RGB(220, 234, 245)
                                                           : RGB(255, 255, 255);
    CDC* dc = CDC::FromHandle(lpDIS->hDC);
    CRect rc(lpDIS->rcItem);
    FillRectColor(dc, rc, background);
    CString text;
    GetText(static_cast<int>(lpDIS->itemID), text);
    // File names are drawn as they are: no '&' prefix processing.
    DrawTextColor(dc, text, rc, RGB(0, 0, 0), DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX, nullptr);
    if (selected) {
        rc.left = 0;
        DrawFocusRectInset(dc, rc, 1);
    }
}

void CDragListBoxEx::OnMouseMove(UINT nFlags, CPoint point)
{
    if (nFlags != 0) {
        CDragListBox::OnMouseMove(nFlags, point);
        return;
    }
    BOOL outside = TRUE;
    const int index = static_cast<int>(ItemFromPoint(point, outside));
    CRect rc;
    GetItemRect(index, &rc);
    if (IsWindow(m_titleTip.m_hWnd) && !outside) {
        if (rc.PtInRect(point)) {
            CString text;
            GetText(index, text);
            m_titleTip.Hide();
            m_titleTip.Show(rc, text, CPoint(point.x - 30, rc.bottom));
        }
    } else {
        m_titleTip.Hide();
    }
    CDragListBox::OnMouseMove(nFlags, point);
}

void CDragListBoxEx::OnDropFiles(HDROP hDropInfo)
{
    TakeDroppedFiles(*this, hDropInfo, [this](CString path) { OnDropFile(path); });
}

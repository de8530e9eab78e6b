#include "platform/afx/controls.h"

#include "platform/afx/controls_host.h"
#include "platform/afx/icon.h"

#include <QIcon>

#include <map>

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CButton::OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return FALSE;
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (pResult)
        *pResult = TRUE;
    return TRUE;
}

int CComboBox::AddString(LPCTSTR text)
{
    return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
}
int CComboBox::InsertString(int nIndex, LPCTSTR text)
{
    return static_cast<int>(SendMessage(CB_INSERTSTRING, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(text)));
}
int CComboBox::DeleteString(UINT nIndex) { return static_cast<int>(SendMessage(CB_DELETESTRING, nIndex, 0)); }
int CComboBox::GetCount() const { return static_cast<int>(const_cast<CComboBox*>(this)->SendMessage(CB_GETCOUNT)); }
int CComboBox::GetCurSel() const { return static_cast<int>(const_cast<CComboBox*>(this)->SendMessage(CB_GETCURSEL)); }
int CComboBox::SetCurSel(int nSelect)
{
    return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(nSelect), 0));
}
int CComboBox::GetLBText(int nIndex, CString& text) const
{
    auto* self = const_cast<CComboBox*>(this);
    const auto length = self->SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(nIndex), 0);
    if (length < 0) {
        text.Empty();
        return CB_ERR;
    }
    LPWSTR buffer = text.GetBuffer(static_cast<int>(length));
    self->SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(buffer));
    text.ReleaseBuffer(static_cast<int>(length));
    return static_cast<int>(length);
}
DWORD_PTR CComboBox::GetItemData(int nIndex) const
{
    return static_cast<DWORD_PTR>(
        const_cast<CComboBox*>(this)->SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(nIndex), 0));
}
int CComboBox::SetItemData(int nIndex, DWORD_PTR data)
{
    return static_cast<int>(SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(data)));
}

ImageListData* ImageListFrom(HIMAGELIST list) { return reinterpret_cast<ImageListData*>(list); }

CImageList::~CImageList()
{
    if (!m_bTemporary)
        DeleteImageList();
}

BOOL CImageList::Create(int cx, int cy, UINT, int, int)
{
    if (m_hImageList || cx <= 0 || cy <= 0)
        return FALSE;
    auto* data = new ImageListData;
    data->cx = cx;
    data->cy = cy;
    m_hImageList = reinterpret_cast<HIMAGELIST>(data);
    return TRUE;
}

BOOL CImageList::DeleteImageList()
{
    if (!m_hImageList)
        return FALSE;
    delete ImageListFrom(m_hImageList);
    m_hImageList = nullptr;
    return TRUE;
}

int CImageList::Add(HICON hIcon)
{
    ImageListData* data = ImageListFrom(m_hImageList);
    QIcon* icon = IconFromHandle(hIcon);
    if (!data || !icon)
        return -1;
    data->images.push_back(icon->pixmap(data->cx, data->cy));
    return static_cast<int>(data->images.size()) - 1;
}

int CImageList::GetImageCount() const
{
    ImageListData* data = ImageListFrom(m_hImageList);
    return data ? static_cast<int>(data->images.size()) : 0;
}

CImageList* CImageList::FromHandle(HIMAGELIST hImageList)
{
    if (!hImageList)
        return nullptr;
    static std::map<HIMAGELIST, CImageList> wrappers;
    CImageList& wrapper = wrappers[hImageList];
    wrapper.m_hImageList = hImageList;
    wrapper.m_bTemporary = true;
    return &wrapper;
}

CImageList* CComboBoxEx::SetImageList(CImageList* pImageList)
{
    const auto old = SendMessage(CBEM_SETIMAGELIST, 0,
                                 reinterpret_cast<LPARAM>(pImageList ? pImageList->m_hImageList : nullptr));
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(old));
}

int CComboBoxEx::InsertItem(const COMBOBOXEXITEMW* pCBItem)
{
    return static_cast<int>(SendMessage(CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(pCBItem)));
}

int CListBox::AddString(LPCTSTR text)
{
    return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
}
int CListBox::InsertString(int nIndex, LPCTSTR text)
{
    return static_cast<int>(SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(text)));
}
int CListBox::DeleteString(UINT nIndex) { return static_cast<int>(SendMessage(LB_DELETESTRING, nIndex, 0)); }
int CListBox::GetCount() const { return static_cast<int>(const_cast<CListBox*>(this)->SendMessage(LB_GETCOUNT)); }
int CListBox::GetCurSel() const { return static_cast<int>(const_cast<CListBox*>(this)->SendMessage(LB_GETCURSEL)); }
int CListBox::SetCurSel(int nSelect)
{
    return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(nSelect), 0));
}
int CListBox::GetTextLen(int nIndex) const
{
    return static_cast<int>(const_cast<CListBox*>(this)->SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(nIndex), 0));
}
int CListBox::GetText(int nIndex, CString& text) const
{
    const int length = GetTextLen(nIndex);
    if (length < 0) {
        text.Empty();
        return LB_ERR;
    }
    LPWSTR buffer = text.GetBuffer(length);
    const_cast<CListBox*>(this)->SendMessage(LB_GETTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(buffer));
    text.ReleaseBuffer(length);
    return length;
}
int CListBox::GetHorizontalExtent() const
{
    return static_cast<int>(const_cast<CListBox*>(this)->SendMessage(LB_GETHORIZONTALEXTENT));
}
int CListBox::GetItemRect(int nIndex, LPRECT lpRect) const
{
    return static_cast<int>(const_cast<CListBox*>(this)->SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(nIndex),
                                                                     reinterpret_cast<LPARAM>(lpRect)));
}
UINT CListBox::ItemFromPoint(CPoint pt, BOOL& bOutside) const
{
    const auto r = static_cast<DWORD>(const_cast<CListBox*>(this)->SendMessage(
        LB_ITEMFROMPOINT, 0, MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y))));
    bOutside = HIWORD(r) ? TRUE : FALSE;
    return LOWORD(r);
}

void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CListBox::OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return FALSE;
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (pResult)
        *pResult = TRUE;
    return TRUE;
}

void CDragListBox::PreSubclassWindow()
{
    if (auto* list = dynamic_cast<ListHost*>(WindowRecord::From(m_hWnd))) {
        list->setDragDropMode(QAbstractItemView::InternalMove);
        list->setDefaultDropAction(Qt::MoveAction);
    }
}

void CSliderCtrl::SetRange(int nMin, int nMax, BOOL bRedraw)
{
    SendMessage(TBM_SETRANGEMIN, FALSE, nMin);
    SendMessage(TBM_SETRANGEMAX, static_cast<WPARAM>(bRedraw), nMax);
}
int CSliderCtrl::GetRangeMin() const
{
    return static_cast<int>(const_cast<CSliderCtrl*>(this)->SendMessage(TBM_GETRANGEMIN));
}
int CSliderCtrl::GetRangeMax() const
{
    return static_cast<int>(const_cast<CSliderCtrl*>(this)->SendMessage(TBM_GETRANGEMAX));
}
void CSliderCtrl::GetSelection(int& nMin, int& nMax) const
{
    nMin = static_cast<int>(const_cast<CSliderCtrl*>(this)->SendMessage(TBM_GETSELSTART));
    nMax = static_cast<int>(const_cast<CSliderCtrl*>(this)->SendMessage(TBM_GETSELEND));
}
int CSliderCtrl::GetPos() const { return static_cast<int>(const_cast<CSliderCtrl*>(this)->SendMessage(TBM_GETPOS)); }

int CSpinButtonCtrl::GetPos32(BOOL* lpbError) const
{
    return static_cast<int>(
        const_cast<CSpinButtonCtrl*>(this)->SendMessage(UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(lpbError)));
}

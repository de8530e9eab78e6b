// The control classes: thin wrappers that send the controls' messages.
#pragma once

#include "platform/afx/cwnd.h"

class CScrollBar : public CWnd {};

class CButton : public CWnd {
public:
    int GetCheck() const { return static_cast<int>(const_cast<CButton*>(this)->SendMessage(BM_GETCHECK)); }
    void SetCheck(int nCheck) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck), 0); }
    void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE) { SendMessage(BM_SETSTYLE, nStyle, bRedraw); }
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class CStatic : public CWnd {};

class CEdit : public CWnd {
public:
    void SetSel(int nStart, int nEnd) { SendMessage(EM_SETSEL, static_cast<WPARAM>(nStart), nEnd); }
    void LimitText(int nChars) { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0); }
};

class CComboBox : public CWnd {
public:
    int AddString(LPCTSTR text);
    int InsertString(int nIndex, LPCTSTR text);
    int DeleteString(UINT nIndex);
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int nSelect);
    int GetLBText(int nIndex, CString& text) const;
    DWORD_PTR GetItemData(int nIndex) const;
    int SetItemData(int nIndex, DWORD_PTR data);
};

class CImageList {
public:
    CImageList() = default;
    ~CImageList();
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    BOOL DeleteImageList();
    int Add(HICON hIcon);
    int GetImageCount() const;
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    static CImageList* FromHandle(HIMAGELIST hImageList);

    HIMAGELIST m_hImageList = nullptr;

private:
    bool m_bTemporary = false;
};

class CComboBoxEx : public CComboBox {
public:
    CImageList* SetImageList(CImageList* pImageList);
    int InsertItem(const COMBOBOXEXITEMW* pCBItem);
};

class CListBox : public CWnd {
public:
    int AddString(LPCTSTR text);
    int InsertString(int nIndex, LPCTSTR text);
    int DeleteString(UINT nIndex);
    void ResetContent() { SendMessage(LB_RESETCONTENT); }
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int nSelect);
    int GetText(int nIndex, CString& text) const;
    int GetTextLen(int nIndex) const;
    void SetHorizontalExtent(int cxExtent) { SendMessage(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(cxExtent), 0); }
    int GetHorizontalExtent() const;
    int GetItemRect(int nIndex, LPRECT lpRect) const;
    UINT ItemFromPoint(CPoint pt, BOOL& bOutside) const;

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

// A list box whose items the user reorders by dragging them.
class CDragListBox : public CListBox {
protected:
    void PreSubclassWindow() override;
};

class CSliderCtrl : public CWnd {
public:
    void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE);
    int GetRangeMin() const;
    int GetRangeMax() const;
    void SetPos(int nPos) { SendMessage(TBM_SETPOS, TRUE, nPos); }
    int GetPos() const;
    void SetTicFreq(int nFreq) { SendMessage(TBM_SETTICFREQ, static_cast<WPARAM>(nFreq), 0); }
    void SetSelection(int nMin, int nMax)
    {
        SendMessage(TBM_SETSEL, FALSE, static_cast<LPARAM>(MAKELONG(static_cast<WORD>(nMin), static_cast<WORD>(nMax))));
    }
    void GetSelection(int& nMin, int& nMax) const;
    int SetPageSize(int nSize) { return static_cast<int>(SendMessage(TBM_SETPAGESIZE, 0, nSize)); }
    int SetLineSize(int nSize) { return static_cast<int>(SendMessage(TBM_SETLINESIZE, 0, nSize)); }
};

class CSpinButtonCtrl : public CWnd {
public:
    void SetRange32(int nLower, int nUpper) { SendMessage(UDM_SETRANGE32, static_cast<WPARAM>(nLower), nUpper); }
    void SetRange(short nLower, short nUpper) { SetRange32(nLower, nUpper); }
    int SetPos32(int nPos) { return static_cast<int>(SendMessage(UDM_SETPOS32, 0, nPos)); }
    int SetPos(int nPos) { return SetPos32(nPos); }
    int GetPos32(BOOL* lpbError = nullptr) const;
};

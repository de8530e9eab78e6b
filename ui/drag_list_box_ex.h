// The file lists of the batch and file-list dialogs: reordered by dragging, fed by dropped files,
// rows in alternating colours, a horizontal extent fitted to the longest item and a title tip.
#pragma once

#include "platform/afx/controls.h"
#include "platform/afx/gdi.h"
#include "ui/ext_title_tip.h"

class CDragListBoxEx : public CDragListBox {
public:
    CDragListBoxEx() = default;
    ~CDragListBoxEx() override;

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    virtual int InsertItem(int nIndex, LPCTSTR text);
    virtual int DeleteSelected();
    virtual int DeleteItem(int nIndex);
    virtual void ClearItems();
    virtual int AddItem(LPCTSTR text);
    virtual BOOL SubclassItem(UINT nID, CWnd* pParent);
    virtual void OnDropFile(CString path);
    virtual void MoveDown();
    virtual void MoveUp();
    virtual void UpdateExtent();

    CExtTitleTip& TitleTip() { return m_titleTip; }

    DECLARE_MESSAGE_MAP()

public:
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnDropFiles(HDROP hDropInfo);

protected:
    void PreSubclassWindow() override;

    CExtTitleTip m_titleTip;
    CFont m_font;
};

// The base of the player view: paths arrive as dropped files or as text dragged over it, and
// each goes to one hook; dragging the background moves the main window.
#pragma once

#include "platform/afx/cview.h"
#include "platform/ole/ole.h"

class CBaseView : public CView {
    DECLARE_DYNCREATE(CBaseView)

public:
    CBaseView() = default;
    ~CBaseView() override;

    DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    void OnDragLeave() override;
    BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;
    void OnDraw(CDC* pDC) override;
    virtual void OnDropPath(CString path);

    DECLARE_MESSAGE_MAP()

public:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnDropFiles(HDROP hDropInfo);
    LRESULT OnDraggedPath(WPARAM wParam, LPARAM lParam);

protected:
    COleDropTarget m_dropTarget;
    CString m_strLastDragPath;

private:
    // A path taken during a drag, handed on once the drag has ended: no folder is loaded and no
    // box shown while the other program is still dragging.
    void HandPendingPathOnAfterTheDrag();
    CString m_strPendingDragPath;
};

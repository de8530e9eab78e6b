// The view: a child window of a frame that draws through OnDraw, takes drag-and-drop and passes
// the commands it does not handle on to its document.
#pragma once

#include "platform/afx/cwnd.h"

class CDocument;
class CFrameWnd;
class COleDataObject;
using DROPEFFECT = DWORD;
constexpr DROPEFFECT DROPEFFECT_NONE = 0, DROPEFFECT_COPY = 1, DROPEFFECT_MOVE = 2, DROPEFFECT_LINK = 4;

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)

public:
    ~CView() override;

    virtual void OnDraw(CDC* pDC) = 0;
    virtual DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave();
    virtual BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);

    CDocument* GetDocument() const { return m_pDocument; }
    CFrameWnd* GetParentFrame() const;
    // Called once by the frame after the document, frame and view exist.
    virtual void OnInitialUpdate();
    // The view's own map first, then its document's.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra) override;

    CDocument* m_pDocument = nullptr;
    // Set for views the framework created; the view is deleted when its window goes.
    BOOL m_bAutoDelete = FALSE;

    DECLARE_MESSAGE_MAP()

protected:
    void PostNcDestroy() override;

public:
    void OnPaint();
};

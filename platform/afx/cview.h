// The view: a child window that draws through OnDraw and takes drag-and-drop.
#pragma once

#include "platform/afx/cwnd.h"

class COleDataObject;
using DROPEFFECT = DWORD;
constexpr DROPEFFECT DROPEFFECT_NONE = 0, DROPEFFECT_COPY = 1, DROPEFFECT_MOVE = 2, DROPEFFECT_LINK = 4;

class CView : public CWnd {
public:
    virtual void OnDraw(CDC* pDC) = 0;
    virtual DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave();
    virtual BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);

    DECLARE_MESSAGE_MAP()

public:
    void OnPaint();
};

#include "ui/base_view.h"

#include "foundation/file_system.h"
#include "platform/afx/cwinapp.h"
#include "platform/afx/shell.h"
#include "platform/win/heap.h"
#include "ui/window_drag.h"

namespace {
constexpr UINT WM_DRAGGED_PATH = WM_USER + 1001;
}

IMPLEMENT_DYNCREATE(CBaseView, CView)

BEGIN_MESSAGE_MAP(CBaseView, CView)
    ON_WM_CREATE()
    ON_WM_MOUSEMOVE()
    ON_WM_DROPFILES()
    ON_MESSAGE(WM_DRAGGED_PATH, OnDraggedPath)
END_MESSAGE_MAP()

CBaseView::~CBaseView()
{
    m_dropTarget.Revoke();
    if (IsWindow(m_hWnd))
        DestroyWindow();
}

int CBaseView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    DragAcceptFiles(TRUE);
    EnableToolTips(TRUE);
    OleInitialize(nullptr);
    m_dropTarget.Register(this);
    return 0;
}

DROPEFFECT CBaseView::OnDragEnter(COleDataObject* pDataObject, DWORD, CPoint)
{
    if (!pDataObject->IsDataAvailable(CF_TEXT))
        return DROPEFFECT_NONE;
    SetForegroundWindow();
    SetFocus();
    return DROPEFFECT_COPY;
}

DROPEFFECT CBaseView::OnDragOver(COleDataObject* pDataObject, DWORD, CPoint)
{
    if (!pDataObject->IsDataAvailable(CF_TEXT))
        return DROPEFFECT_NONE;
    HGLOBAL block = pDataObject->GetGlobalData(CF_TEXT);
    if (!block)
        return DROPEFFECT_NONE;
    if (const auto* text = static_cast<const char*>(GlobalLock(block))) {
        const CString path(text);
        if (path.Compare(m_strLastDragPath) != 0 && FileExists(path)) {
            m_strLastDragPath = path;
            m_strPendingDragPath = path;
        }
        GlobalUnlock(block);
    }
    GlobalFree(block);
    return DROPEFFECT_MOVE;
}

void CBaseView::OnDragLeave() { HandPendingPathOnAfterTheDrag(); }

BOOL CBaseView::OnDrop(COleDataObject*, DROPEFFECT, CPoint)
{
    // Reports no drop effect, so the source never deletes what it dragged.
    HandPendingPathOnAfterTheDrag();
    return FALSE;
}

void CBaseView::HandPendingPathOnAfterTheDrag()
{
    if (!m_strPendingDragPath.IsEmpty())
        PostMessage(WM_DRAGGED_PATH);
}

LRESULT CBaseView::OnDraggedPath(WPARAM, LPARAM)
{
    const CString path = m_strPendingDragPath;
    m_strPendingDragPath.Empty();
    if (!path.IsEmpty())
        OnDropPath(path);
    return 0;
}

void CBaseView::OnDraw(CDC*) {}

void CBaseView::OnDropPath(CString) {}

void CBaseView::OnMouseMove(UINT nFlags, CPoint point)
{
    MoveByBackgroundDrag(nFlags, AfxGetMainWnd());
    CView::OnMouseMove(nFlags, point);
}

void CBaseView::OnDropFiles(HDROP hDropInfo)
{
    TakeDroppedFiles(*this, hDropInfo, [this](CString path) { OnDropPath(path); });
}

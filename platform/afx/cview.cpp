#include "platform/afx/cview.h"

#include "platform/afx/cdc.h"
#include "platform/afx/cdocument.h"
#include "platform/afx/cframewnd.h"

IMPLEMENT_DYNAMIC(CView, CObject)

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CView::~CView()
{
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

DROPEFFECT CView::OnDragEnter(COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }
DROPEFFECT CView::OnDragOver(COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }
void CView::OnDragLeave() {}
BOOL CView::OnDrop(COleDataObject*, DROPEFFECT, CPoint) { return FALSE; }

CFrameWnd* CView::GetParentFrame() const
{
    for (CWnd* w = GetParent(); w; w = w->GetParent())
        if (auto* frame = dynamic_cast<CFrameWnd*>(w))
            return frame;
    return nullptr;
}

void CView::OnInitialUpdate() { Invalidate(); }

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra))
        return TRUE;
    return m_pDocument && m_pDocument->OnCmdMsg(nID, nCode, pExtra);
}

void CView::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

void CView::OnPaint()
{
    CPaintDC dc(this);
    OnDraw(&dc);
}

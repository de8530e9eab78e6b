#include "platform/afx/cdocument.h"

#include "platform/afx/cframewnd.h"
#include "platform/afx/cview.h"
#include "platform/afx/doc_template.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CDocument, CObject)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
END_MESSAGE_MAP()

CDocument::CDocument() = default;

CDocument::~CDocument()
{
    for (CView* view : m_views)
        view->m_pDocument = nullptr;
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
}

BOOL CDocument::SaveModified() { return TRUE; }

BOOL CDocument::CanCloseFrame(CFrameWnd*) { return SaveModified(); }

BOOL CDocument::OnNewDocument()
{
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::OnCloseDocument()
{
    // Keeps the document alive while its frames go, whatever their views do.
    const BOOL autoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    std::vector<CFrameWnd*> frames;
    for (CView* view : m_views)
        if (CFrameWnd* frame = view->GetParentFrame(); frame && std::ranges::find(frames, frame) == frames.end())
            frames.push_back(frame);
    for (CFrameWnd* frame : frames)
        frame->DestroyWindow();
    m_bAutoDelete = autoDelete;
    if (m_bAutoDelete)
        delete this;
}

void CDocument::SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle ? CString(lpszTitle) : CString(); }

void CDocument::AddView(CView* pView)
{
    if (!pView || std::ranges::find(m_views, pView) != m_views.end())
        return;
    m_views.push_back(pView);
    pView->m_pDocument = this;
}

void CDocument::RemoveView(CView* pView)
{
    const auto it = std::ranges::find(m_views, pView);
    if (it == m_views.end())
        return;
    m_views.erase(it);
    pView->m_pDocument = nullptr;
}

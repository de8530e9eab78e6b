#include "app/torvina_doc.h"

#include "app/torvina_view.h"
#include "platform/afx/ddx.h"
#include "resources/resource_ids.h"

IMPLEMENT_DYNCREATE(CTorvinaDoc, CDocument)

BEGIN_MESSAGE_MAP(CTorvinaDoc, CDocument)
    ON_COMMAND(ID_MAKE_AVI, OnMakeAvi)
    ON_UPDATE_COMMAND_UI(ID_MAKE_AVI, OnUpdateMakeAvi)
    ON_COMMAND(ID_MAKE_WMV, OnMakeWmv)
    ON_UPDATE_COMMAND_UI(ID_MAKE_WMV, OnUpdateMakeWmv)
    ON_COMMAND(ID_DISPLAY_ALL, OnDisplayAll)
    ON_UPDATE_COMMAND_UI(ID_DISPLAY_ALL, OnUpdateDisplayAll)
    ON_COMMAND(ID_DISPLAY_THIN, OnDisplayThin)
    ON_UPDATE_COMMAND_UI(ID_DISPLAY_THIN, OnUpdateDisplayThin)
    ON_COMMAND(ID_DISPLAY_NONE, OnDisplayNone)
    ON_UPDATE_COMMAND_UI(ID_DISPLAY_NONE, OnUpdateDisplayNone)
END_MESSAGE_MAP()

CTorvinaDoc::CTorvinaDoc() = default;

CTorvinaDoc::~CTorvinaDoc() = default;

bool CTorvinaDoc::IsPlayInProgress() const
{
    for (CView* view : GetViews())
        if (auto* player = dynamic_cast<CTorvinaView*>(view); player && player->GetRun().InProgress())
            return true;
    return false;
}

bool CTorvinaDoc::IsIdle() const { return m_nRunState == RunState::Stopped && !IsPlayInProgress(); }

BOOL CTorvinaDoc::SaveModified()
{
    // Before and after its run, Play waits in its dialogs or its saved-file boxes with the view
    // on the stack: closing now would destroy the view under it. The user closes again after.
    if (!IsModified())
        return IsPlayInProgress() ? FALSE : CDocument::SaveModified();
    if (m_bMakeAvi || m_bMakeWmv) {
        if (AfxMessageBox(u"停止しますか？", MB_YESNO | MB_ICONQUESTION) == IDYES)
            m_nRunState = RunState::Stopped;
    } else {
        m_nRunState = RunState::Stopped;
    }
    // The run ends after its next message pump; the user closes again.
    return FALSE;
}

void CTorvinaDoc::OnMakeAvi() { m_bMakeAvi = !m_bMakeAvi; }

void CTorvinaDoc::OnUpdateMakeAvi(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_bMakeAvi ? 1 : 0);
    // A run still unwinding after Stop names its outputs at its end: they stay as it began.
    pCmdUI->Enable(IsIdle());
}

void CTorvinaDoc::OnMakeWmv() { m_bMakeWmv = !m_bMakeWmv; }

void CTorvinaDoc::OnUpdateMakeWmv(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_bMakeWmv ? 1 : 0);
    pCmdUI->Enable(IsIdle());
}

void CTorvinaDoc::OnDisplayAll() { m_nDispRate = DisplayAll; }

void CTorvinaDoc::OnUpdateDisplayAll(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_nDispRate == DisplayAll ? 1 : 0); }

void CTorvinaDoc::OnDisplayThin() { m_nDispRate = DisplayThin; }

void CTorvinaDoc::OnUpdateDisplayThin(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_nDispRate == DisplayThin ? 1 : 0); }

void CTorvinaDoc::OnDisplayNone() { m_nDispRate = DisplayNone; }

void CTorvinaDoc::OnUpdateDisplayNone(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_nDispRate == DisplayNone ? 1 : 0); }

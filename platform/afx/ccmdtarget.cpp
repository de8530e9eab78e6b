// Command routing: message-map lookup for commands and the command-UI update record.
#include "platform/afx/ccmdtarget.h"

#include "platform/afx/cwnd.h"

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr, nullptr}};
    static const AFX_MSGMAP map = {nullptr, entries};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP_ENTRY* CCmdTarget::FindEntry(UINT nMessage, UINT nCode, UINT nID) const
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->nMessage != 0; ++e) {
            if (e->pnRegistered) {
                if (*e->pnRegistered == nMessage && nMessage != 0)
                    return e;
            } else if (e->nMessage == nMessage && e->nCode == nCode && nID >= e->nID && nID <= e->nLastID) {
                return e;
            }
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra)
{
    const AFX_MSGMAP_ENTRY* e = FindEntry(WM_COMMAND, static_cast<UINT>(nCode), nID);
    if (!e)
        return FALSE;
    if (nCode == static_cast<int>(CN_COMMAND) && pExtra) {
        static_cast<AFX_CMDHANDLERINFO*>(pExtra)->pTarget = this;
        return TRUE;
    }
    LRESULT result = 0;
    return e->pfn(this, nID, reinterpret_cast<LPARAM>(pExtra), &result);
}

void CCmdUI::Enable(BOOL bOn)
{
    m_bEnabled = bOn ? TRUE : FALSE;
    m_bEnableChanged = TRUE;
    if (m_pOther)
        m_pOther->EnableWindow(bOn);
}

void CCmdUI::SetCheck(int nCheck)
{
    m_nCheck = nCheck;
    if (m_pOther)
        m_pOther->SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck), 0);
}

void CCmdUI::SetText(LPCTSTR text)
{
    if (m_pOther)
        m_pOther->SetWindowText(text);
}

// Objects that receive commands through a message map, and the command-UI update record.
#pragma once

#include "platform/afx/cobject.h"
#include "platform/afx/cstring.h"
#include "platform/afx/message_map.h"

class CCmdTarget;

// Given as pExtra with CN_COMMAND, OnCmdMsg only reports whether a handler exists (and whose).
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget = nullptr;
};

class CCmdTarget : public CObject {
public:
    // Looks nID/nCode up in this object's map and its bases'; pExtra is the CCmdUI of an update.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra);

    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

protected:
    // The entry of the map chain that takes this message, or null.
    const AFX_MSGMAP_ENTRY* FindEntry(UINT nMessage, UINT nCode, UINT nID) const;
};

class CWnd;

class CCmdUI {
public:
    virtual ~CCmdUI() = default;
    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);
    virtual void SetText(LPCTSTR text);
    // A bullet instead of a tick.
    virtual void SetRadio(BOOL bOn = TRUE)
    {
        m_bRadio = TRUE;
        SetCheck(bOn ? 1 : 0);
    }

    UINT m_nID = 0;
    UINT m_nIndex = 0;
    CWnd* m_pOther = nullptr;
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;
    // What the last handler set, for callers that only ask.
    BOOL m_bEnabled = TRUE;
    int m_nCheck = 0;
    BOOL m_bRadio = FALSE;
};

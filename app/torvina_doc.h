// The player's document: the state every command consults while the program runs. It holds no
// file: its modified flag means "a run is in progress", so closing the window asks it first.
#pragma once

#include "app/run_state.h"
#include "foundation/info.h"
#include "platform/afx/cdocument.h"
#include "platform/win/types.h"

class CTorvinaDoc : public CDocument {
    DECLARE_DYNCREATE(CTorvinaDoc)

public:
    // Preview rates during a run: every frame, every 30th frame, practically none.
    static constexpr int DisplayAll = 1;
    static constexpr int DisplayThin = 30;
    static constexpr int DisplayNone = 10000;

    CTorvinaDoc();
    ~CTorvinaDoc() override;

    // While a run is in progress the close is refused and the run is asked to stop (after the
    // question "停止しますか？" when an output is switched on).
    // Refused without a question, too, while Play is in its dialogs or its end.
    BOOL SaveModified() override;
    // Play is on a view's stack: in its start dialogs, its run or its end boxes.
    bool IsPlayInProgress() const;
    // Stopped with no Play on the stack: only now may the run's inputs and outputs change.
    bool IsIdle() const;

    CInfo m_info{FALSE};
    BITMAPINFOHEADER m_bihSource{};
    BITMAPINFOHEADER m_bihOutput{};
    RECT m_rcClip{};
    RunState m_nRunState = RunState::Stopped;
    int m_nDispRate = DisplayAll;
    BOOL m_bMakeAvi = FALSE;
    CString m_strAviPath;
    BOOL m_bMakeWmv = FALSE;
    CString m_strWmvPath;
    int m_nInputType = 0;

    DECLARE_MESSAGE_MAP()

public:
    void OnMakeAvi();
    void OnUpdateMakeAvi(CCmdUI* pCmdUI);
    void OnMakeWmv();
    void OnUpdateMakeWmv(CCmdUI* pCmdUI);
    void OnDisplayAll();
    void OnUpdateDisplayAll(CCmdUI* pCmdUI);
    void OnDisplayThin();
    void OnUpdateDisplayThin(CCmdUI* pCmdUI);
    void OnDisplayNone();
    void OnUpdateDisplayNone(CCmdUI* pCmdUI);
};

// What a conversion run works on: the player view and its document in the program, a recorder
// in tests. Every call happens on the user-interface thread.
#pragma once

#include "app/run_state.h"
#include "platform/afx/cstring.h"
#include "platform/win/types.h"

class CEncAVISetting;
class CInfo;

class RunHost {
public:
    virtual ~RunHost() = default;

    // The document.
    virtual RunState GetRunState() = 0;
    virtual void SetRunState(RunState state) = 0;
    // Set for exactly as long as a run is in progress.
    virtual void SetModified(BOOL modified) = 0;

    // The frame shown.
    virtual int GetIndex() = 0;
    virtual void SetIndex(int index) = 0;
    // Loads the image at the index into the frame block; FALSE when it failed (the block is gone).
    virtual BOOL LoadFrame() = 0;
    // Starts reading the images from the index on in the background, so that the first frames
    // are ready when the run loads them; what LoadFrame gives stays the same.
    virtual void ReadAheadFrom(int index) = 0;
    // The pixels of the frame shown; NULL when none is.
    virtual const BYTE* Bits() = 0;
    virtual void ClearBits() = 0;

    // The windows.
    virtual void CloseResizeDialog() = 0;
    virtual void RedrawViewer() = 0;
    virtual void DrawFrame() = 0;
    virtual void DrawStatus() = 0;
    virtual void InvalidateView() = 0;
    // The save dialogs start from path and put the chosen one there; FALSE when cancelled.
    virtual BOOL AskAviPath(CString& path) = 0;
    virtual BOOL AskWmvPath(CString& path) = 0;
    // 0 after OK.
    virtual int EditAviSettings(const BITMAPINFOHEADER& output, CEncAVISetting* setting) = 0;
    virtual int EditWmvSettings(CInfo& info) = 0;
    virtual void ShowErrorBox(const CString& text, const CString& caption) = 0;
    virtual void ShowSavedBox(const CString& text) = 0;
    // The question before a run with an output is stopped; TRUE for Yes.
    virtual BOOL ConfirmStop() = 0;
    virtual void Beep() = 0;

    // The message pump between frames and the pause wait's sleep.
    virtual void PumpMessages() = 0;
    virtual void Sleep(DWORD ms) = 0;
};

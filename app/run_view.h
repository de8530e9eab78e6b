// What a conversion run shows and asks while it works: the player view in the program, a recorder
// in tests. The run loads the frames itself and pushes each one here. Every call happens on the
// user-interface thread.
#pragma once

#include "app/run_state.h"
#include "platform/afx/cstring.h"
#include "platform/win/types.h"

class CEncAVISetting;
class CInfo;

class RunView {
public:
    enum class Output { Avi, Wmv };

    virtual ~RunView() = default;

    // The run state lives in the document, where every command's enable rule reads it.
    virtual RunState GetRunState() = 0;
    virtual void SetRunState(RunState state) = 0;
    // Set for exactly as long as a run is in progress.
    virtual void SetModified(BOOL modified) = 0;

    // The run is at the image at index, before it loads it: boxes the reader shows meanwhile
    // come in that image's turn.
    virtual void SetIndex(int index) = 0;
    // The image at the index was loaded into frame's block; NULL when it failed to load, and no
    // frame is shown from then on.
    virtual void ShowFrame(const BITMAPINFOHEADER* frame) = 0;
    virtual void DrawFrame() = 0;
    virtual void DrawStatus() = 0;
    // The whole view is painted anew.
    virtual void InvalidateView() = 0;
    // The output format is fixed from here on: the clip-and-resize dialog goes.
    virtual void CloseResizeDialog() = 0;

    // The save dialog starts from path and puts the chosen one there; FALSE when cancelled.
    virtual BOOL AskOutputPath(Output output, CString& path) = 0;
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

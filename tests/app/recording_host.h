// A run view that records every call of a conversion run in one log, together with the calls the
// run makes on its writers, and answers dialogs and pumps as a test scripts them. Its images are
// real files in a folder of its own, listed as the player lists them: the run loads them itself.
#pragma once

#include "app/conversion_run.h"
#include "app/run_state.h"
#include "foundation/info.h"
#include "platform/afx/carray.h"
#include "platform/win/text.h"
#include "tests/support/temp_dir.h"

#include <functional>
#include <string>
#include <vector>

class RecordingHost;

class FakeAviWriter : public CEncAVI2 {
public:
    explicit FakeAviWriter(RecordingHost& host) : m_host(host) {}
    int Open(CString path) override;
    int WriteFrame(const void* bits) override;
    std::vector<BYTE> lastFrame; // the output frame's bytes as written
    int Close() override;
    int FinishFrames() override { return finishResult; }
    int openResult = 0;
    int finishResult = 0;
    int closeResult = 0;

private:
    RecordingHost& m_host;
};

// Keeps the two-pass flag as the real writer does: set by SetTwoPass, cleared by the first
// pass's EndPass and by Close.
class FakeWmvWriter : public CEncWMVWMA {
public:
    explicit FakeWmvWriter(RecordingHost& host) : m_host(host) {}
    int LoadProfile(LPCWSTR path) override;
    int CreateProfile(int kind, int indexV4, int indexV7, int indexV8) override;
    int Open(LPCWSTR path, const BITMAPINFOHEADER* header, int rate, int audioRate, int channels, int bits) override;
    int WriteVideo(const void* bits) override;
    int WriteAudio(const void* data, int bytes) override;
    int EndPass() override;
    HRESULT Close() override;
    BOOL IsTwoPass() override { return m_twoPassFlag; }
    void SetTwoPass(BOOL twoPass) override { m_twoPassFlag = twoPass; }
    int audioResult = 0;
    HRESULT closeResult = S_OK;

private:
    RecordingHost& m_host;
    BOOL m_twoPassFlag = FALSE;
};

class RecordingHost : public RunView {
public:
    // imageCount BMP files of width by height, frame i holding MakeDibFrame's picture i; the
    // first is loaded, as listing the folder does.
    explicit RecordingHost(int imageCount, int width = 8, int height = 6);

    // The log, and the entries that start with a prefix.
    std::vector<std::string> log;
    std::vector<std::string> Entries(const std::string& prefix) const;
    size_t Count(const std::string& entry) const;
    void Log(const std::string& entry) { log.push_back(entry); }

    TempDir dir;
    CConversionRun run{*this};
    FakeAviWriter* avi;
    FakeWmvWriter* wmv;

    RunState state = RunState::Stopped;
    BOOL modified = FALSE;
    std::vector<BOOL> modifiedChanges;
    BOOL makeAvi = FALSE;
    BOOL makeWmv = FALSE;
    CString aviPath = u"/tmp/torvina-run-test/Enc.avi";
    CString wmvPath = u"/tmp/torvina-run-test/Enc.wmv";
    int dispRate = 1;
    BITMAPINFOHEADER source{};
    BITMAPINFOHEADER output{};
    RECT clip{};
    CInfo info{FALSE};
    CString folder = dir.Path();
    CStringArray images;
    int index = 0;
    bool bitsShown = true;
    bool answerAviPath = true;
    bool answerWmvPath = true;
    int aviSettingsResult = 0;
    int wmvSettingsResult = 0;
    BOOL confirmStop = TRUE;
    // Run inside the message pump after the frame at index, and inside the pause wait's sleeps.
    std::function<void(int index)> onPump;
    std::function<void(int sleeps)> onSleep;
    // Run when an error box is shown, with the index of the frame the run is at.
    std::function<void(int index)> onErrorBox;
    int sleeps = 0;
    int pass = 0;
    // Frames read ahead when the first save dialog was asked.
    int readAheadAtFirstQuestion = -1;

    // The image at index becomes a file that does not load, in every pass.
    void BreakImage(int index);

    // Play with the inputs above, as the view hands them over.
    void Play();

    RunState GetRunState() override { return state; }
    void SetRunState(RunState s) override { state = s; }
    void SetModified(BOOL m) override
    {
        modified = m;
        modifiedChanges.push_back(m);
    }
    void SetIndex(int i) override
    {
        if (i == 0)
            ++pass;
        index = i;
    }
    void ShowFrame(const BITMAPINFOHEADER* frame) override;
    void CloseResizeDialog() override { Log("close resize dialog"); }
    void DrawFrame() override { Log("draw frame " + std::to_string(index)); }
    void DrawStatus() override { Log("draw status " + std::to_string(index)); }
    void InvalidateView() override { Log("invalidate"); }
    BOOL AskOutputPath(Output output, CString&) override
    {
        if (readAheadAtFirstQuestion < 0)
            readAheadAtFirstQuestion = run.ReadAhead().Queued();
        Log(output == Output::Avi ? "ask avi path" : "ask wmv path");
        return output == Output::Avi ? answerAviPath : answerWmvPath;
    }
    int EditAviSettings(const BITMAPINFOHEADER&, CEncAVISetting*) override
    {
        Log("avi settings");
        return aviSettingsResult;
    }
    int EditWmvSettings(CInfo&) override
    {
        Log("wmv settings");
        return wmvSettingsResult;
    }
    void ShowErrorBox(const CString& text, const CString& caption) override
    {
        Log("error box " + Utf16ToUtf8(caption.View()) + ": " + Utf16ToUtf8(text.View()));
        if (onErrorBox)
            onErrorBox(index);
    }
    void ShowSavedBox(const CString& text) override { Log("saved box " + Utf16ToUtf8(text.View())); }
    BOOL ConfirmStop() override
    {
        Log("stop question");
        return confirmStop;
    }
    void Beep() override { Log("beep"); }
    void PumpMessages() override;
    void Sleep(DWORD) override;
};

// Three small choices, each a column of radio buttons and OK: video with or without audio, how
// audio is extracted, and how an audio stream is handled. The close box keeps the choice.
#pragma once

#include "ui/base_dialog.h"

#include <array>

// Row values of the choices, top to bottom.
inline constexpr std::array kExtractKindValues = {0, 1, 2}; // source format, WAV, WMA
inline constexpr std::array kAudioStreamValues = {1, 2, 0}; // recompress, copy directly, no audio

// The row ticked when an audio-handling dialog opens on handling: its own row, or "recompress"
// for a value that names none.
int AudioStreamRowOnOpen(int handling);

class CStreamKindDlg : public CBaseDialog {
public:
    CStreamKindDlg(CWnd* pOwner, int withAudio);
    BOOL OnInitDialog() override;
    void OnOK() override;
    int GetWithAudio() const { return m_nWithAudio; }

private:
    int m_nWithAudio;
};

class CExtractKindDlg : public CBaseDialog {
public:
    CExtractKindDlg(CWnd* pOwner, int kind);
    BOOL OnInitDialog() override;
    void OnOK() override;
    int GetExtractKind() const { return m_nKind; }

private:
    int m_nKind;
};

class CAudioStreamDlg : public CBaseDialog {
public:
    CAudioStreamDlg(CWnd* pOwner, int handling);
    BOOL OnInitDialog() override;
    void OnOK() override;
    int GetAudioHandling() const { return m_nHandling; }

private:
    int m_nHandling;
};

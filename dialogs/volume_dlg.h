// The audio volume as a whole number typed by the user (no range: the caller decides).
#pragma once

#include "ui/base_dialog.h"

class CVolume : public CBaseDialog {
public:
    explicit CVolume(CWnd* pParent);

    void SetVolume(int volume) { m_nVolume = volume; }
    int GetVolume() const { return m_nVolume; }

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    int m_nVolume = 100;
};

// Runs the dialog on volume and returns what it holds at the end, however it was closed: a valid
// number typed before the close box counts too.
int EditVolume(int volume, CWnd* pParent);

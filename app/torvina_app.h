// The application: profile, the single-document template (document, main frame, view) and the
// About and Help commands.
#pragma once

#include "platform/afx/cwinapp.h"

class CTorvinaApp : public CWinAppEx {
public:
    CTorvinaApp();

    BOOL InitInstance() override;
    // Closes every dialog and box as cancelled (and lets none open any more), stops a run
    // without asking, saves the settings at once and closes once Play has finished its files.
    void OnTerminateRequest() override;

    DECLARE_MESSAGE_MAP()

public:
    void OnAppAbout();
    void OnHelp();
    void OnFileNew() { CWinApp::OnFileNew(); }

private:
    void CloseWhenPlayIsDone();
};

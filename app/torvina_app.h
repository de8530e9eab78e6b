// The application: profile, the single-document template (document, main frame, view) and the
// About and Help commands.
#pragma once

#include "platform/afx/cwinapp.h"

class CTorvinaApp : public CWinAppEx {
public:
    CTorvinaApp();

    BOOL InitInstance() override;
    // Stops a run without asking, saves the settings at once and closes when the run has ended.
    void OnTerminateRequest() override;

    DECLARE_MESSAGE_MAP()

public:
    void OnAppAbout();
    void OnHelp();
    void OnFileNew() { CWinApp::OnFileNew(); }
};

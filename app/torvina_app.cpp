#include "app/torvina_app.h"

#include "app/main_frame.h"
#include "app/torvina_doc.h"
#include "app/torvina_view.h"
#include "dialogs/my_about_dlg.h"
#include "foundation/file_path.h"
#include "foundation/localized_string.h"
#include "foundation/registry_key_name.h"
#include "foundation/shell_open.h"
#include "platform/afx/cframewnd.h"
#include "platform/afx/ddx.h"
#include "platform/afx/modal_loops.h"
#include "platform/afx/toolkit_translations.h"
#include "platform/ole/ole.h"
#include "resources/resource_ids.h"

#include <QTimer>

BEGIN_MESSAGE_MAP(CTorvinaApp, CWinAppEx)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
    ON_COMMAND(ID_HELP, OnHelp)
    ON_COMMAND(ID_FILE_NEW, OnFileNew)
END_MESSAGE_MAP()

namespace {

constexpr UINT kTemplateId = 128;

} // namespace

CTorvinaApp::CTorvinaApp() = default;

BOOL CTorvinaApp::InitInstance()
{
    CWinAppEx::InitInstance();
    UseToolkitTranslations(IsJapaneseSystem() != FALSE);
    if (FAILED(OleInitialize(nullptr))) {
        AfxMessageBox(u"Ole Error");
        return FALSE;
    }
    SetRegistryKey(LoadRegistryKeyName());
    LoadStdProfileSettings(4);
    AddDocTemplate(new CSingleDocTemplate(kTemplateId, RUNTIME_CLASS(CTorvinaDoc), RUNTIME_CLASS(CMainFrame),
                                          RUNTIME_CLASS(CTorvinaView)));
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;
    m_pMainWnd->CenterWindow();
    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->SetWindowText(u"Torvina");
    m_pMainWnd->UpdateWindow();
    return TRUE;
}

void CTorvinaApp::OnAppAbout() { ShowAboutBox(); }

void CTorvinaApp::OnTerminateRequest()
{
    // Nobody is there to answer: what is open is cancelled, and what would open is not shown.
    ModalLoop::EndAll();
    for (const auto& docTemplate : GetDocTemplates())
        for (CDocument* doc : docTemplate->GetDocuments())
            if (auto* torvina = dynamic_cast<CTorvinaDoc*>(doc)) {
                torvina->m_info.Save();
                if (torvina->IsModified())
                    torvina->m_nRunState = RunState::Stopped;
            }
    CloseWhenPlayIsDone();
}

void CTorvinaApp::CloseWhenPlayIsDone()
{
    bool playing = false;
    for (const auto& docTemplate : GetDocTemplates())
        for (CDocument* doc : docTemplate->GetDocuments())
            if (auto* torvina = dynamic_cast<CTorvinaDoc*>(doc))
                playing = playing || torvina->IsModified() || torvina->IsPlayInProgress();
    // The run ends after its next message pump and the cancelled windows after their loops
    // return; the main window closes once nothing of them is left on the stack.
    if (playing || ModalLoop::AnyRunning()) {
        QTimer::singleShot(10, [this] { CloseWhenPlayIsDone(); });
        return;
    }
    CWinAppEx::OnTerminateRequest();
}

void CTorvinaApp::OnHelp() { ShellOpenAsync(GetModuleFolder() + u"torvina.chm"); }

#include "platform/afx/win_main.h"

#include "platform/afx/cwinapp.h"

#include <QApplication>

int AfxWinMain(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication application(argc, argv);
    CWinApp* app = AfxGetApp();
    if (!app)
        return 1;
    if (!app->InitInstance()) {
        // The main window may exist already when a later step failed.
        if (CWnd* main = app->m_pMainWnd)
            main->DestroyWindow();
        return app->ExitInstance();
    }
    return app->Run();
}

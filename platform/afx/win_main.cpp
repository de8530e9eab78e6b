#include "platform/afx/win_main.h"

#include "platform/afx/cwinapp.h"

#include <QApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// SIGTERM reaches the event loop through a socket pair: the handler only writes one byte.
int g_signalPipe[2] = {-1, -1};

void OnTerminateSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(g_signalPipe[1], &byte, 1);
}

void WatchTerminateSignal(CWinApp* app, QObject* owner)
{
    if (socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, owner);
    QObject::connect(notifier, &QSocketNotifier::activated, owner, [app] {
        char byte = 0;
        [[maybe_unused]] const ssize_t got = read(g_signalPipe[0], &byte, 1);
        app->OnTerminateRequest();
    });
    struct sigaction action {};
    action.sa_handler = OnTerminateSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
}

} // namespace

int AfxWinMain(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    // Past a file-size limit a write fails (EFBIG), as one to a full disk does, and the writers
    // report it; the signal the system sends first would end the program in the middle of a file.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication application(argc, argv);
    CWinApp* app = AfxGetApp();
    if (!app)
        return 1;
    WatchTerminateSignal(app, &application);
    // The desktop's end of session asks the documents as closing the window does.
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &application, [app](QSessionManager& manager) {
        if (manager.allowsInteraction() && !app->SaveAllModified())
            manager.cancel();
    });
    if (!app->InitInstance()) {
        // The main window may exist already when a later step failed.
        if (CWnd* main = app->m_pMainWnd)
            main->DestroyWindow();
        return app->ExitInstance();
    }
    return app->Run();
}

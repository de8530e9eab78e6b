// Shows the frame-rate dialog ("output") or the About box ("about") and prints its X window id
// once it is on screen, for scripts/shots/main_window.sh to capture.
#include "dialogs/my_about_dlg.h"
#include "dialogs/output_dlg.h"
#include "platform/afx/window_host.h"
#include "resources/program_resources.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

void PrintWindowIdWhenShown(const CWnd* w)
{
    QTimer::singleShot(200, [w] {
        if (WindowRecord* r = WindowRecord::From(w->m_hWnd)) {
            std::printf("%llu\n", static_cast<unsigned long long>(r->widget->winId()));
            std::fflush(stdout);
        }
    });
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    InstallResourceProvider(&ProgramResources());
    if (argc < 2) {
        std::puts("output\nabout");
        return 0;
    }
    if (std::strcmp(argv[1], "output") == 0) {
        COutputDlg dlg(nullptr);
        PrintWindowIdWhenShown(&dlg);
        dlg.DoModal();
    } else if (std::strcmp(argv[1], "about") == 0) {
        CMyAboutDlg dlg(0xFFFFFF, 0, nullptr);
        PrintWindowIdWhenShown(&dlg);
        dlg.DoModal();
    }
    return 0;
}

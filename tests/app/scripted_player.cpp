// The program itself, started as main() starts it, with a scripted user: chooses the folder in
// the folder dialog, switches the outputs on, presses Play, answers the save and settings dialogs
// with OK and every box with OK (printing each as "box <title>|<text>"), and closes the main
// window once the run has ended. With --hold it stops answering at that phase and prints
// "hold <phase>", so a test can do to the program what it tests (a signal, say) while it waits.
//   scripted_player --folder DIR [--input jpg|tif] [--avi FILE] [--wmv FILE] [--codec FOURCC]
//                   [--hold avi-path|avi-settings|run|saved] [--file-size-limit BYTES]
// It prints "resident <bytes>" before the folder is chosen and "peak <bytes>" (the most it has
// held in memory) when the run has ended.
#include "app/main_frame.h"
#include "app/torvina_app.h"
#include "app/torvina_doc.h"
#include "app/torvina_view.h"
#include "dialogs/avi_set_dlg.h"
#include "dialogs/wmv_set_dlg.h"
#include "platform/afx/win_main.h"
#include "platform/vfw/compressor_boxes.h"
#include "platform/vfw/vfw_types.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "tests/app/modal_script.h"

#include <QCoreApplication>
#include <QTimer>

#include <sys/resource.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

CTorvinaApp theApp;

namespace {

struct Options {
    std::string folder;
    std::string input = "jpg";
    std::string avi;
    std::string wmv;
    std::string codec = "DIB ";
    std::string hold;
};

Options g_options;

void Say(const std::string& line)
{
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

// A figure of /proc/self/status in bytes, such as VmRSS or VmHWM.
std::string MemoryFigure(const std::string& name)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(name + ":", 0) == 0)
            return std::to_string(std::strtoull(line.c_str() + name.size() + 1, nullptr, 10) * 1024);
    return "0";
}

class User {
public:
    void Start()
    {
        m_frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
        m_view = m_frame ? dynamic_cast<CTorvinaView*>(m_frame->GetActiveView()) : nullptr;
        if (!m_view) {
            Say("no view");
            PostQuitMessage(4);
            return;
        }
        Say("resident " + MemoryFigure("VmRSS"));
        m_script.Add("folder", ModalScript::ChoosePath(QString::fromStdString(g_options.folder)));
        if (g_options.input == "tif")
            m_frame->SendMessage(WM_COMMAND, ID_INPUT_TIF, 0);
        m_frame->SendMessage(WM_COMMAND, ID_OPEN_FOLDER, 0);
        const std::string& c = g_options.codec;
        m_view->GetRun().AviWriter().m_pObject->GetSetting()->SetHandler(mmioFOURCC(c[0], c[1], c[2], c[3]));
        if (!g_options.avi.empty()) {
            m_frame->SendMessage(WM_COMMAND, ID_MAKE_AVI, 0);
            AddStep("avi-path", ModalScript::ChoosePath(QString::fromStdString(g_options.avi)));
            AddStep("avi-settings", ModalScript::Press<CAVISetDlg>(IDOK));
        }
        if (!g_options.wmv.empty()) {
            m_frame->SendMessage(WM_COMMAND, ID_MAKE_WMV, 0);
            AddStep("wmv-path", ModalScript::ChoosePath(QString::fromStdString(g_options.wmv)));
            AddStep("wmv-settings", ModalScript::Press<CWMVSet>(IDOK));
        }
        QObject::connect(&m_poll, &QTimer::timeout, [this] { Poll(); });
        m_poll.start(5);
        m_frame->PostMessage(WM_COMMAND, ID_PLAY, 0);
    }

private:
    // A step that holds instead of answering when it is the phase asked for.
    void AddStep(const std::string& phase, ModalScript::Step answer)
    {
        if (phase != g_options.hold) {
            m_script.Add(phase, std::move(answer));
            return;
        }
        m_script.Add(phase, [this, phase](QWidget*) {
            Hold(phase);
            return true;
        });
    }
    void Hold(const std::string& phase)
    {
        m_holding = true;
        Say("hold " + phase);
    }

    // Boxes are answered as they come, in whatever order the run shows them.
    void Poll()
    {
        // Once the window is asked to close, the view may be gone.
        if (m_holding || m_closed)
            return;
        if (g_options.hold == "run" && m_view->GetDocument()->IsModified() && m_view->GetIndex() >= 3)
            return Hold("run");
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            Say(("box " + box->windowTitle() + u'|' + box->text()).toStdString());
            if (g_options.hold == "saved" && box->text().startsWith(u"It preserved"))
                return Hold("saved");
            box->button(box->standardButtons() & QMessageBox::Yes ? QMessageBox::Yes : QMessageBox::Ok)->click();
            return;
        }
        if (m_played && !m_view->GetRun().InProgress()) {
            m_closed = true;
            m_poll.stop();
            Say("peak " + MemoryFigure("VmHWM"));
            Say("ended");
            m_frame->PostMessage(WM_CLOSE);
        }
        m_played = m_played || m_view->GetRun().InProgress();
    }

    CMainFrame* m_frame = nullptr;
    CTorvinaView* m_view = nullptr;
    ModalScript m_script;
    QTimer m_poll;
    bool m_holding = false;
    bool m_played = false;
    bool m_closed = false;
};

User* g_user = nullptr;

// Runs while the application object is being made, before start-up: the user starts once the
// main loop runs.
void ScheduleUser()
{
    QTimer::singleShot(0, [] {
        g_user = new User;
        g_user->Start();
    });
}

bool Parse(int argc, char** argv)
{
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const char* value = argv[i + 1];
        if (name == "--folder")
            g_options.folder = value;
        else if (name == "--input")
            g_options.input = value;
        else if (name == "--avi")
            g_options.avi = value;
        else if (name == "--wmv")
            g_options.wmv = value;
        else if (name == "--codec" && std::strlen(value) == 4)
            g_options.codec = value;
        else if (name == "--hold")
            g_options.hold = value;
        else if (name == "--file-size-limit") {
            const rlim_t bytes = std::strtoull(value, nullptr, 10);
            const rlimit limit{bytes, bytes};
            setrlimit(RLIMIT_FSIZE, &limit);
        } else
            return false;
    }
    return !g_options.folder.empty();
}

} // namespace

int main(int argc, char** argv)
{
    if (!Parse(argc, argv)) {
        std::fprintf(stderr, "usage: scripted_player --folder DIR [options]\n");
        return 2;
    }
    // As a process started by a desktop: no signal ignored that the program does not ignore itself.
    std::signal(SIGXFSZ, SIG_DFL);
    InstallResourceProvider(&ProgramResources());
    vfw::InstallCompressorBoxes();
    qAddPreRoutine(ScheduleUser);
    int qtArgc = 1;
    return AfxWinMain(qtArgc, argv);
}

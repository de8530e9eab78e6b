// Shows one of the auxiliary dialogs, named on the command line, with sample values, and prints
// its X window id once it is on screen, for scripts/shots/aux_dialogs.sh to capture.
#include "dialogs/bat_encode_dlg.h"
#include "dialogs/choice_dialogs.h"
#include "dialogs/lumi_filter_dlg.h"
#include "dialogs/mp3_set_dlg.h"
#include "dialogs/save_set_dlg.h"
#include "dialogs/vob_list_dlg.h"
#include "dialogs/volume_dlg.h"
#include "dialogs/wma_set_dlg.h"
#include "platform/afx/window_host.h"
#include "resources/program_resources.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace {

using Factory = std::function<std::unique_ptr<CDialog>()>;

// Runs fill once the dialog's controls exist, before it is captured.
void AfterInit(CDialog* dlg, std::function<void(CDialog*)> fill)
{
    QTimer::singleShot(0, [dlg, fill] { fill(dlg); });
}

const std::map<std::string, Factory>& Dialogs()
{
    static const std::map<std::string, Factory> dialogs = {
        {"batch_encode",
         [] {
             auto dlg = std::make_unique<CBatEncodeDlg>(nullptr, WM_USER + 2, WM_USER + 3);
             AfterInit(dlg.get(), [](CDialog* d) {
                 auto* batch = static_cast<CBatEncodeDlg*>(d);
                 for (const char16_t* path :
                      {u"/home/user/projects/holiday 2024 part 1.ini", u"/home/user/projects/holiday 2024 part 2.ini",
                       u"/home/user/projects/timelapse of the harbour at dusk, long version.ini"})
                     batch->ProjectList().AddItem(path);
                 batch->ProjectList().SetCurSel(1);
             });
             return dlg;
         }},
        {"stream_kind", [] { return std::make_unique<CStreamKindDlg>(nullptr, 1); }},
        {"extract_kind", [] { return std::make_unique<CExtractKindDlg>(nullptr, 1); }},
        {"audio_stream", [] { return std::make_unique<CAudioStreamDlg>(nullptr, 2); }},
        {"lumi_filter", [] { return std::make_unique<CLumiFilterDlg>(nullptr, WM_USER + 1, -40, 120); }},
        {"mp3_setting", [] { return std::make_unique<CMP3SetDlg>(nullptr, CAudioInfo()); }},
        {"wma_setting",
         [] {
             CAudioInfo info;
             info.wmaSelect = 2;
             info.wmaPRX = u"/home/user/profiles/voice 64k.prx";
             info.wma2Pass = 1;
             return std::make_unique<CWMASetDlg>(nullptr, info);
         }},
        {"save_setting",
         [] {
             OutputSettings settings;
             settings.folder = u"/home/user/Videos/Torvina output";
             settings.quality = 85;
             settings.interval = 30;
             settings.interlaced = 1;
             settings.overwrite = 2;
             return std::make_unique<CSaveSetDlg>(nullptr, settings, CString(u"Zarn"));
         }},
        {"vob_list",
         [] {
             CStringArray files;
             for (const char16_t* path : {u"/media/dvd/VIDEO_TS/VTS_01_1.VOB", u"/media/dvd/VIDEO_TS/VTS_01_2.VOB",
                                          u"/media/dvd/VIDEO_TS/VTS_01_3.VOB"})
                 files.Add(CString(path));
             return std::make_unique<CVobListDlg>(nullptr, files, CString(u"/media/dvd/VIDEO_TS"));
         }},
        {"volume",
         [] {
             auto dlg = std::make_unique<CVolume>(nullptr);
             dlg->SetVolume(80);
             return dlg;
         }},
    };
    return dialogs;
}

} // namespace

int main(int argc, char** argv)
{
    InstallResourceProvider(&ProgramResources());
    QApplication app(argc, argv);
    const auto it = argc > 1 ? Dialogs().find(argv[1]) : Dialogs().end();
    if (it == Dialogs().end()) {
        for (const auto& [name, factory] : Dialogs())
            std::printf("%s\n", name.c_str());
        return argc > 1 ? 1 : 0;
    }
    std::unique_ptr<CDialog> dlg = it->second();
    QTimer::singleShot(400, [&dlg] {
        if (WindowRecord* r = WindowRecord::From(dlg->m_hWnd)) {
            std::printf("%llu\n", static_cast<unsigned long long>(r->widget->winId()));
            std::fflush(stdout);
        }
    });
    dlg->DoModal();
    return 0;
}

// Shows one of the encoder dialogs, named on the command line, with sample values, and prints
// its X window id once it is on screen, for scripts/shots/encoder_dialogs.sh to capture.
#include "dialogs/avi_set_dlg.h"
#include "dialogs/wmv_set_dlg.h"
#include "platform/vfw/compressor_boxes.h"
#include "platform/vfw/vcm.h"
#include "resources/program_resources.h"
#include "writers/enc_avi_setting.h"

#include <QApplication>
#include <QComboBox>
#include <QRect>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <functional>
#include <map>
#include <string>

using vfw::CompressorDescriptor;
using vfw::FindInstalledCompressor;
using vfw::InstallCompressorBoxes;
using vfw::ShowCompressorAboutBox;
using vfw::ShowCompressorConfigureBox;

namespace {

BITMAPINFOHEADER RunInput()
{
    BITMAPINFOHEADER h{};
    h.biSize = sizeof h;
    h.biWidth = 640;
    h.biHeight = 480;
    h.biPlanes = 1;
    h.biBitCount = 24;
    h.biCompression = BI_RGB;
    return h;
}

const CompressorDescriptor& Installed(FOURCC fourcc) { return *FindInstalledCompressor(fourcc); }

const std::map<std::string, std::function<void()>>& Dialogs()
{
    static const std::map<std::string, std::function<void()>> dialogs = {
        {"avi",
         [] {
             CEncAVISetting setting;
             setting.SetHandler(mmioFOURCC('M', 'J', 'P', 'G'));
             setting.SetQuality(85);
             const BITMAPINFOHEADER input = RunInput();
             EditAviSettings(&input, &setting, nullptr);
         }},
        {"avi_list",
         [] {
             CEncAVISetting setting;
             setting.SetHandler(mmioFOURCC('F', 'F', 'V', '1'));
             const BITMAPINFOHEADER input = RunInput();
             EditAviSettings(&input, &setting, nullptr);
         }},
        {"wmv",
         [] {
             CInfo info(FALSE);
             info.WMV = 2;
             info.PRX = u"/home/user/profiles/800k.prx";
             EditWmvSettings(&info, nullptr);
         }},
        {"configure",
         [] {
             const CompressorDescriptor& png = Installed(mmioFOURCC('M', 'P', 'N', 'G'));
             std::vector<int32_t> values = {4, 6};
             ShowCompressorConfigureBox(nullptr, png, values);
         }},
        {"configure_h264",
         [] {
             const CompressorDescriptor& h264 = Installed(mmioFOURCC('H', '2', '6', '4'));
             std::vector<int32_t> values;
             for (const vfw::CompressorOption& option : h264.options)
                 values.push_back(option.defaultValue);
             ShowCompressorConfigureBox(nullptr, h264, values);
         }},
        {"about", [] { ShowCompressorAboutBox(nullptr, Installed(mmioFOURCC('F', 'F', 'V', '1'))); }},
    };
    return dialogs;
}

} // namespace

// The compressor list opened, as the user sees it when choosing; the screen area that holds the
// dialog and its list.
QRect OpenCodecList()
{
    QRect area;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            for (QComboBox* combo : w->findChildren<QComboBox*>()) {
                combo->showPopup();
                area |= w->frameGeometry();
            }
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            area |= w->frameGeometry();
    return area;
}

int main(int argc, char** argv)
{
    InstallResourceProvider(&ProgramResources());
    InstallCompressorBoxes();
    QApplication app(argc, argv);
    const auto it = argc > 1 ? Dialogs().find(argv[1]) : Dialogs().end();
    if (it == Dialogs().end()) {
        for (const auto& entry : Dialogs())
            std::printf("%s\n", entry.first.c_str());
        return argc > 1 ? 1 : 0;
    }
    const bool openList = std::string(argv[1]) == "avi_list";
    QTimer::singleShot(400, [openList] {
        if (openList) {
            const QRect area = OpenCodecList();
            // The list is a window of its own: the screen holds both, in the area on the next line.
            std::printf("root\n%dx%d+%d+%d\n", area.width(), area.height(), area.x(), area.y());
            std::fflush(stdout);
            return;
        }
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible()) {
                std::printf("%llu\n", static_cast<unsigned long long>(w->winId()));
                std::fflush(stdout);
                return;
            }
    });
    it->second();
    return 0;
}

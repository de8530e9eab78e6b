// Shows the clip-and-resize dialog with a clip and a preset chosen, or the source-image viewer
// with a test picture, and prints its X window id once it is on screen, for
// scripts/shots/clip_resize_viewer.sh to capture.
#include "dialogs/resize_dlg.h"
#include "dialogs/shorityu.h"
#include "image/packed_dib.h"
#include "platform/afx/window_host.h"
#include "resources/clip_resize_ids.h"
#include "resources/program_resources.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// A 320 x 240 picture: red, green and blue bars across the top, a grey ramp below them and a
// yellow square in the bottom-right corner, so orientation and channel order show at a glance.
std::vector<BYTE> TestPicture(BITMAPINFOHEADER& header)
{
    constexpr int kWidth = 320, kHeight = 240;
    InitBitmapInfoHeader(&header, kWidth, kHeight);
    const size_t stride = DibRowStride(kWidth);
    std::vector<BYTE> pixels(stride * kHeight);
    for (int y = 0; y < kHeight; ++y) {
        BYTE* row = pixels.data() + stride * static_cast<size_t>(kHeight - 1 - y);
        for (int x = 0; x < kWidth; ++x) {
            BYTE r, g, b;
            if (y < 60) {
                const int bar = x * 3 / kWidth;
                r = bar == 0 ? 230 : 20;
                g = bar == 1 ? 200 : 20;
                b = bar == 2 ? 230 : 20;
            } else if (x >= 240 && y >= 170) {
                r = 250, g = 220, b = 30;
            } else {
                r = g = b = static_cast<BYTE>(x * 255 / (kWidth - 1));
            }
            row[3 * x] = b;
            row[3 * x + 1] = g;
            row[3 * x + 2] = r;
        }
    }
    return pixels;
}

void PrintWindowId(const CWnd* w)
{
    if (WindowRecord* r = WindowRecord::From(w->m_hWnd)) {
        std::printf("%llu\n", static_cast<unsigned long long>(r->widget->winId()));
        std::fflush(stdout);
    }
}

} // namespace

int main(int argc, char** argv)
{
    InstallResourceProvider(&ProgramResources());
    QApplication app(argc, argv);
    const bool viewer = argc > 1 && std::strcmp(argv[1], "viewer") == 0;
    if (argc < 2 || (!viewer && std::strcmp(argv[1], "resize") != 0)) {
        std::printf("resize\nviewer\n");
        return argc > 1 ? 1 : 0;
    }
    // The owner stands in for the player view; the dialog base shows it, so it stays off screen.
    CWnd owner;
    owner.CreateEx(0, AfxRegisterWndClass(0), u"owner", WS_POPUP, -100, -100, 10, 10, nullptr, 0);

    BITMAPINFOHEADER header{};
    const std::vector<BYTE> pixels = TestPicture(header);
    if (viewer) {
        CShorityu shorityu(pixels.data(), header, 61449);
        shorityu.CreatePopup(&owner, WS_VISIBLE | WS_SYSMENU);
        QTimer::singleShot(400, [&shorityu] { PrintWindowId(&shorityu); });
        return app.exec();
    }

    InitBitmapInfoHeader(&header, 640, 480);
    BITMAPINFOHEADER output = header;
    RECT clip{};
    CResizeDlg dlg(&owner, header, &output, &clip, 61454, 61452);
    dlg.Open();
    dlg.GetDlgItem(IDC_CLIP_LEFT)->SetWindowText(u"16");
    dlg.GetDlgItem(IDC_CLIP_BOTTOM)->SetWindowText(u"24");
    dlg.GetDlgItem(IDC_PRESET_320x240)->SendMessage(BM_CLICK);
    QTimer::singleShot(400, [&dlg] { PrintWindowId(&dlg); });
    return app.exec();
}

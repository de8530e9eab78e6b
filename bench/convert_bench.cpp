// The whole program converting a folder: the application starts offscreen with its document,
// main window and player view, the folder is chosen and the outputs set up as a user would, and
// the view's Play runs the conversion; every dialog it opens is answered as it stands.
//   convert_bench --input DIR --type jpg|bmp|tif|png --out FILE.avi [--codec FOURCC]
//                 [--quality 0-100] [--size WxH] [--clip L,T,R,B] [--fps N] [--display all|thin|no]
//   convert_bench ... --out FILE.wmv --profile V4:N|V7:N|V8:N|PRX:PATH [--two-pass]
// The preview is drawn as the display rate says ("no" unless given). frames counts one pass.
#include "app/main_frame.h"
#include "app/torvina_app.h"
#include "app/torvina_doc.h"
#include "app/torvina_view.h"
#include "bench/dialog_answerer.h"
#include "bench/scratch_config_home.h"
#include "platform/av/av_handles.h"
#include "platform/win/resource_provider.h"
#include "platform/win/text.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"

#include <QApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/resource.h>

namespace {

struct ConvertOptions {
    std::string input;
    std::string type = "jpg";
    std::string out;
    std::string codec; // FourCC; empty keeps the writer's own choice
    int quality = -1; // 0..100; -1 keeps the writer's own
    int width = 0; // 0: the source size
    int height = 0;
    bool clip = false;
    RECT clipRect{};
    DWORD rate = 299700; // frames per second times 10000
    std::string profile; // WMV: V4:N, V7:N, V8:N or PRX:PATH
    bool twoPass = false;
    int display = CTorvinaDoc::DisplayNone;
};

void Usage()
{
    std::fprintf(
        stderr,
        "usage: convert_bench --input DIR --type jpg|bmp|tif|png --out FILE.avi [--codec FOURCC]\n"
        "                     [--quality 0-100] [--size WxH] [--clip L,T,R,B] [--fps N] [--display all|thin|no]\n"
        "       convert_bench ... --out FILE.wmv --profile V4:N|V7:N|V8:N|PRX:PATH [--two-pass]\n");
}

bool EndsWith(const std::string& text, const char* suffix)
{
    const std::string s(suffix);
    return text.size() >= s.size() && text.compare(text.size() - s.size(), s.size(), s) == 0;
}

bool Parse(int argc, char** argv, ConvertOptions& o)
{
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--two-pass") {
            o.twoPass = true;
            continue;
        }
        if (i + 1 >= argc)
            return false;
        const std::string value = argv[++i];
        if (name == "--input")
            o.input = value;
        else if (name == "--type")
            o.type = value;
        else if (name == "--out")
            o.out = value;
        else if (name == "--codec")
            o.codec = value;
        else if (name == "--profile")
            o.profile = value;
        else if (name == "--quality")
            o.quality = std::atoi(value.c_str());
        else if (name == "--size") {
            if (std::sscanf(value.c_str(), "%dx%d", &o.width, &o.height) != 2 || o.width <= 0 || o.height <= 0)
                return false;
        } else if (name == "--clip") {
            RECT& r = o.clipRect;
            if (std::sscanf(value.c_str(), "%d,%d,%d,%d", &r.left, &r.top, &r.right, &r.bottom) != 4)
                return false;
            o.clip = true;
        } else if (name == "--fps") {
            // As the frame-rate dialog does: times 10000, truncated.
            const double fps = std::atof(value.c_str());
            if (!(fps > 0.0 && fps * 10000.0 < 2147483648.0))
                return false;
            o.rate = static_cast<DWORD>(fps * 10000.0);
            if (o.rate == 0)
                return false;
        } else if (name == "--display") {
            if (value == "all")
                o.display = CTorvinaDoc::DisplayAll;
            else if (value == "thin")
                o.display = CTorvinaDoc::DisplayThin;
            else if (value == "no")
                o.display = CTorvinaDoc::DisplayNone;
            else
                return false;
        } else
            return false;
    }
    const bool knownType = o.type == "jpg" || o.type == "bmp" || o.type == "tif" || o.type == "png";
    const bool knownOut = EndsWith(o.out, ".avi") || (EndsWith(o.out, ".wmv") && !o.profile.empty());
    return !o.input.empty() && knownOut && knownType && (o.codec.empty() || o.codec.size() == 4) && o.quality <= 100;
}

// The WMV choice as the profile dialog stores it: 0 V4, 1 V7, 2 V8 with the index, 3 a file.
bool SetProfile(const std::string& text, bool twoPass, CInfo& info)
{
    if (text.rfind("PRX:", 0) == 0 && text.size() > 4) {
        info.WMV = 3;
        info.PRX = CString(Utf8ToUtf16(text.substr(4)).c_str());
        info.WMV2PASS = twoPass ? 1 : 0;
        return true;
    }
    if (text.size() > 3 && text[0] == 'V' && text[2] == ':' && (text[1] == '4' || text[1] == '7' || text[1] == '8')) {
        info.WMV = text[1] == '4' ? 0 : text[1] == '7' ? 1 : 2;
        const int index = std::atoi(text.c_str() + 3);
        (text[1] == '4' ? info.WMV4 : text[1] == '7' ? info.WMV7 : info.WMV8) = index;
        return true;
    }
    return false;
}

CString Wide(const std::string& text) { return CString(Utf8ToUtf16(text).c_str()); }

// The output format as the clip-and-resize dialog leaves it in the document.
void SetOutputFormat(const ConvertOptions& o, CTorvinaDoc& doc)
{
    if (o.width > 0) {
        doc.m_bihOutput.biWidth = o.width;
        doc.m_bihOutput.biHeight = o.height;
    }
    if (o.clip)
        doc.m_rcClip = o.clipRect;
}

long MaxRssKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char** argv)
{
    ConvertOptions options;
    if (!Parse(argc, argv, options)) {
        Usage();
        return 2;
    }
    ScratchConfigHome scratch;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    av::QuietLogging();
    InstallResourceProvider(&ProgramResources());
    CTorvinaApp app;
    if (!app.InitInstance())
        return 1;
    auto* frame = dynamic_cast<CMainFrame*>(app.m_pMainWnd);
    auto* view = frame ? dynamic_cast<CTorvinaView*>(frame->GetActiveView()) : nullptr;
    if (!view)
        return 1;
    CTorvinaDoc* doc = view->GetDocument();
    DialogAnswerer answerer;

    // As the user: the input type, the folder, the output size and clip, the frame rate, the
    // output switch, the encoder, the display rate.
    const char* types[] = {"jpg", "bmp", "tif", "png"};
    for (int t = 0; t < 4; ++t)
        if (options.type == types[t])
            frame->SendMessage(WM_COMMAND, ID_INPUT_JPG + t, 0);
    view->SetInputFolder(Wide(options.input));
    if (view->GetImages().GetSize() == 0 || !doc->m_bihSource.biWidth) {
        std::printf("%s\n", answerer.LastError().empty() ? "Error No.0701" : answerer.LastError().c_str());
        return 1;
    }
    SetOutputFormat(options, *doc);
    view->SendMessage(WM_COMMAND, ID_DISPLAY, 0);
    doc->m_info.fps = static_cast<int>(options.rate);
    doc->m_nDispRate = options.display;
    const bool wmv = EndsWith(options.out, ".wmv");
    std::remove(options.out.c_str());
    if (wmv) {
        doc->m_bMakeWmv = TRUE;
        doc->m_strWmvPath = Wide(options.out);
        if (!SetProfile(options.profile, options.twoPass, doc->m_info)) {
            Usage();
            return 2;
        }
    } else {
        doc->m_bMakeAvi = TRUE;
        doc->m_strAviPath = Wide(options.out);
        CEncAVISetting* setting = view->GetRun().AviWriter().m_pObject->GetSetting();
        if (options.codec.size() == 4)
            setting->SetHandler(mmioFOURCC(options.codec[0], options.codec[1], options.codec[2], options.codec[3]));
        if (options.quality >= 0)
            setting->SetQuality(options.quality);
    }

    const int count = view->GetImages().GetSize();
    const auto start = std::chrono::steady_clock::now();
    frame->SendMessage(WM_COMMAND, ID_PLAY, 0);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    frame->DestroyWindow();
    if (!answerer.LastError().empty()) {
        std::printf("%s\n", answerer.LastError().c_str());
        return 1;
    }
    // The run ends with the saved-file box; without an error box every image was written.
    const int written = answerer.SavedBoxes() > 0 ? count : 0;
    std::printf("max_rss=%ld kB\n", MaxRssKilobytes());
    std::printf("frames=%d seconds=%.3f fps=%.2f\n", written, seconds, seconds > 0 ? written / seconds : 0.0);
    return written > 0 ? 0 : 1;
}

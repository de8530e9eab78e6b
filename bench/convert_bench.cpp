// The main road without the user interface: list a folder as the player does, load every image
// into one reuse block, clip and resize when the output differs, write the output file.
//   convert_bench --input DIR --type jpg|bmp|tif|png --out FILE.avi [--codec FOURCC]
//                 [--quality 0-100] [--size WxH] [--clip L,T,R,B] [--fps N]
//   convert_bench ... --out FILE.wmv --profile V4:N|V7:N|V8:N|PRX:PATH [--two-pass]
// A two-pass writer is given every frame twice, as the conversion run does; frames counts one pass.
// The line before the last gives the mean time of each stage per frame given.
#include "bench/convert_output.h"
#include "bench/scratch_config_home.h"
#include "foundation/error_message.h"
#include "foundation/folder_listing.h"
#include "foundation/string_array_data.h"
#include "image/img_resize.h"
#include "image/res_img_file.h"
#include "platform/av/av_handles.h"
#include "platform/win/dib_rows.h"
#include "platform/win/text.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

void Usage()
{
    std::fprintf(stderr, "usage: convert_bench --input DIR --type jpg|bmp|tif|png --out FILE.avi [--codec FOURCC]\n"
                         "                     [--quality 0-100] [--size WxH] [--clip L,T,R,B] [--fps N]\n"
                         "       convert_bench ... --out FILE.wmv --profile V4:N|V7:N|V8:N|PRX:PATH [--two-pass]\n");
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
        const char* value = argv[++i];
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
            o.quality = std::atoi(value);
        else if (name == "--size") {
            if (std::sscanf(value, "%dx%d", &o.width, &o.height) != 2 || o.width <= 0 || o.height <= 0)
                return false;
        } else if (name == "--clip") {
            RECT& r = o.clipRect;
            if (std::sscanf(value, "%d,%d,%d,%d", &r.left, &r.top, &r.right, &r.bottom) != 4)
                return false;
            o.clip = true;
        } else if (name == "--fps") {
            // As the frame-rate dialog does: times 10000, truncated.
            const double fps = std::atof(value);
            if (!(fps > 0.0 && fps * 10000.0 < 4294967296.0))
                return false;
            o.rate = static_cast<DWORD>(fps * 10000.0);
            if (o.rate == 0)
                return false;
        } else
            return false;
    }
    const bool knownType = o.type == "jpg" || o.type == "bmp" || o.type == "tif" || o.type == "png";
    return !o.input.empty() && !o.out.empty() && knownType && (o.codec.empty() || o.codec.size() == 4) &&
           o.quality <= 100;
}

int Fail(int code)
{
    std::printf("Error No.%04d\n%s\n", code, Utf16ToUtf8(GetErrorMessage(code).View()).c_str());
    return 1;
}

CString Wide(const std::string& text) { return CString(Utf8ToUtf16(text).c_str()); }

// Adds the time from its construction to its end to a stage's total.
class StageTimer {
public:
    explicit StageTimer(double& total) : m_total(total) {}
    ~StageTimer() { m_total += std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count(); }
    StageTimer(const StageTimer&) = delete;
    StageTimer& operator=(const StageTimer&) = delete;

private:
    double& m_total;
    const std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

// The folder's images for the input type, in the player's order.
CStringArrayData ListImages(const ConvertOptions& o)
{
    CArray<CFileData> files;
    CStringArray folders;
    EnumerateFolder(files, folders, Wide(o.input), Wide("/*." + o.type));
    CStringArrayData images;
    for (int i = 0; i < files.GetSize(); ++i)
        images.Add(files[i].path);
    images.BubbleSort();
    return images;
}

// The output format: the source's with the output size.
BITMAPINFOHEADER OutputHeader(const BITMAPINFOHEADER& source, const ConvertOptions& o)
{
    BITMAPINFOHEADER out = source;
    if (o.width > 0) {
        out.biWidth = o.width;
        out.biHeight = o.height;
    }
    out.biSizeImage = static_cast<DWORD>(DibRowStride(static_cast<uint64_t>(out.biWidth)) * out.biHeight);
    return out;
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
    av::QuietLogging();
    std::unique_ptr<ConvertOutput> output = MakeConvertOutput(options);
    if (!output) {
        Usage();
        return 2;
    }

    const CStringArrayData images = ListImages(options);
    if (images.GetSize() == 0)
        return Fail(kErrorFirstPictureLoad);

    const auto start = std::chrono::steady_clock::now();
    double loading = 0, resizing = 0, writing = 0;
    CResImgFile reader;
    BITMAPINFOHEADER* frame = nullptr;
    {
        const StageTimer timer(loading);
        frame = reader.Load(images[0], nullptr);
    }
    if (!frame)
        return Fail(kErrorFirstPictureLoad);
    const BITMAPINFOHEADER source = *frame;
    const BITMAPINFOHEADER target = OutputHeader(source, options);
    const RECT full{0, 0, source.biWidth, source.biHeight};
    const RECT clip = options.clip ? options.clipRect : full;
    const bool sourceSize = target.biWidth == source.biWidth && target.biHeight == source.biHeight &&
                            std::memcmp(&clip, &full, sizeof clip) == 0;
    std::vector<BYTE> resized(sourceSize ? 0 : target.biSizeImage);
    CImgResize pipeline;

    int code = output->Create(Wide(options.out), target, options.rate);
    int written = 0;
    int given = 0;
    const int passes = code == 0 ? output->Passes() : 0;
    for (int pass = 0; code == 0 && pass < passes; ++pass) {
        written = 0;
        for (int i = 0; code == 0 && i < images.GetSize(); ++i) {
            // The block holds the first image only until the second is loaded into it.
            if (i > 0 || pass > 0) {
                const StageTimer timer(loading);
                frame = reader.Load(images[i], frame);
                if (!frame) {
                    code = kErrorPictureLoad;
                    break;
                }
            }
            const BYTE* bits = reinterpret_cast<const BYTE*>(frame) + sizeof(BITMAPINFOHEADER);
            if (!sourceSize) {
                const StageTimer timer(resizing);
                pipeline.SetClipRect(CRect(clip.left, clip.top, clip.right, clip.bottom));
                bits = pipeline.Resize(bits, resized.data(), &source, &target);
                if (!bits) {
                    code = kErrorOutOfMemory;
                    break;
                }
            }
            {
                const StageTimer timer(writing);
                code = output->WriteFrame(bits);
            }
            ++given;
            if (code == 0)
                ++written;
        }
        if (code == 0)
            code = output->EndPass();
    }
    output->Close();
    std::free(frame);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (code != 0)
        return Fail(code);
    const double perFrame = given > 0 ? 1000.0 / given : 0.0;
    std::printf("load=%.2f ms resize=%.2f ms write=%.2f ms per frame\n", loading * perFrame, resizing * perFrame,
                writing * perFrame);
    std::printf("frames=%d seconds=%.3f fps=%.2f\n", written, seconds, seconds > 0 ? written / seconds : 0.0);
    return 0;
}

// Writes generated frames through the AVI writer and reads the file back with libavformat.
// The default run (250 uncompressed 1920x1080 frames, 1.5 GB) goes past the first 1 GiB part,
// so the file continues as OpenDML; every frame must come back, in order.
//   avi_write_bench [--out FILE.avi] [--frames N] [--size WxH] [--codec FOURCC] [--keep]
#include "bench/scratch_config_home.h"
#include "platform/av/av_handles.h"
#include "platform/av/input_format.h"
#include "platform/win/dib_rows.h"
#include "platform/win/text.h"
#include "writers/enc_avi2.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

struct Options {
    std::string out = (std::filesystem::temp_directory_path() / "torvina_avi_write_bench.avi").string();
    int frames = 250;
    int width = 1920;
    int height = 1080;
    FOURCC codec = mmioFOURCC('D', 'I', 'B', ' ');
    bool keep = false;
};

bool Parse(int argc, char** argv, Options& o)
{
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const char* v = i + 1 < argc ? argv[i + 1] : nullptr;
        if (a == "--keep")
            o.keep = true;
        else if (a == "--out" && v)
            o.out = argv[++i];
        else if (a == "--frames" && v)
            o.frames = std::atoi(argv[++i]);
        else if (a == "--size" && v && std::sscanf(argv[++i], "%dx%d", &o.width, &o.height) == 2)
            continue;
        else if (a == "--codec" && v && std::strlen(v) == 4)
            o.codec = mmioFOURCC(v[0], v[1], v[2], v[3]), ++i;
        else
            return false;
    }
    return o.frames > 0 && o.width > 0 && o.height > 0;
}

// A gradient with the frame's index in its first bytes, so each frame read back is identified.
void Paint(std::vector<uint8_t>& bits, int index)
{
    for (size_t i = 0; i < bits.size(); ++i)
        bits[i] = static_cast<uint8_t>(i / 3 + index);
    std::memcpy(bits.data(), &index, sizeof index);
}

} // namespace

int main(int argc, char** argv)
{
    Options o;
    if (!Parse(argc, argv, o)) {
        std::fprintf(stderr,
                     "usage: avi_write_bench [--out FILE.avi] [--frames N] [--size WxH] [--codec FOURCC] [--keep]\n");
        return 2;
    }
    ScratchConfigHome scratch;
    av::QuietLogging();
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = o.width;
    header.biHeight = o.height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biSizeImage = static_cast<DWORD>(DibRowStride(static_cast<uint64_t>(o.width)) * o.height);
    std::vector<uint8_t> bits(header.biSizeImage);

    const auto start = std::chrono::steady_clock::now();
    {
        CEncAVI2 writer;
        writer.GetSetting()->SetHandler(o.codec);
        int rc = writer.Create(CString(Utf8ToUtf16(o.out).c_str()), &header, 299700);
        for (int i = 0; rc == 0 && i < o.frames; ++i) {
            Paint(bits, i);
            rc = writer.WriteFrame(bits.data());
        }
        writer.Close();
        if (rc != 0) {
            std::printf("Error No.%04d\n", rc);
            return 1;
        }
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const auto bytes = std::filesystem::file_size(o.out);

    av::InputFormat input;
    if (input.Open(o.out) < 0) {
        std::printf("read back: libavformat cannot open %s\n", o.out.c_str());
        return 1;
    }
    AVFormatContext* format = input.get();
    av::PacketPtr packet(av_packet_alloc());
    int read = 0;
    int outOfOrder = 0;
    const bool raw = o.codec == mmioFOURCC('D', 'I', 'B', ' ');
    while (av_read_frame(format, packet.get()) >= 0) {
        int index = -1;
        if (raw && packet->size >= 4)
            std::memcpy(&index, packet->data, sizeof index);
        if (raw && (index != read || packet->size != static_cast<int>(header.biSizeImage)))
            ++outOfOrder;
        ++read;
        av_packet_unref(packet.get());
    }
    const int64_t declared = format->nb_streams ? format->streams[0]->nb_frames : 0;
    std::printf("file=%s bytes=%llu streams=%u declared_frames=%lld read_frames=%d mismatched=%d\n", o.out.c_str(),
                static_cast<unsigned long long>(bytes), format->nb_streams, static_cast<long long>(declared), read,
                outOfOrder);
    if (!o.keep)
        std::filesystem::remove(o.out);
    std::printf("frames=%d seconds=%.3f fps=%.2f\n", o.frames, seconds, o.frames / seconds);
    return read == o.frames && outOfOrder == 0 ? 0 : 1;
}

// Decodes one JPEG into the same frame block again and again, the same picture saved as a TIFF
// file likewise, then resizes the frame to 1280x720, by wall clock and by the CPU time of all
// threads (the resize splits a frame across the worker pool).
// Usage: image_bench [--jpeg FILE]; without a file a 1920x1080 picture is generated.
#include "image/img_resize.h"
#include "image/jpeg_file.h"
#include "image/packed_dib.h"
#include "image/tiff_file.h"
#include "platform/win/text.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kRounds = 200;

// A photograph-like test picture: smooth shading with fine detail, saved at quality 90.
std::string GenerateJpeg()
{
    constexpr int kWidth = 1920;
    constexpr int kHeight = 1080;
    char path[] = "/tmp/image_bench-XXXXXX.jpg";
    const int fd = mkstemps(path, 4);
    if (fd < 0)
        return {};
    close(fd);
    DibPtr frame(AcquireFrameBlock(nullptr, kWidth, kHeight));
    const size_t stride = DibRowStride(kWidth);
    unsigned noise = 12345;
    for (int y = 0; y < kHeight; ++y) {
        BYTE* row = DibPixels(frame.get()) + stride * y;
        for (int x = 0; x < kWidth; ++x) {
            noise = noise * 1103515245u + 12345u;
            const double wave = 60.0 * std::sin(x / 37.0) * std::cos(y / 53.0);
            const int detail = static_cast<int>((noise >> 16) % 24);
            row[3 * x] = static_cast<BYTE>(std::clamp(90 + x / 24 + static_cast<int>(wave) + detail, 0, 255));
            row[3 * x + 1] = static_cast<BYTE>(std::clamp(60 + y / 8 + detail, 0, 255));
            row[3 * x + 2] = static_cast<BYTE>(std::clamp(200 - x / 16 + static_cast<int>(wave / 2) + detail, 0, 255));
        }
    }
    const std::u16string widePath = Utf8ToUtf16(path);
    if (!CImgFileJpeg().Save(DibPixels(frame.get()), frame.get(), widePath.c_str(), 90))
        return {};
    return path;
}

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// CPU seconds spent by every thread of the process so far.
double ProcessCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

} // namespace

int main(int argc, char** argv)
{
    std::string path;
    bool generated = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--jpeg") == 0 && i + 1 < argc) {
            path = argv[++i];
        } else {
            std::fprintf(stderr, "usage: %s [--jpeg FILE]\n", argv[0]);
            return 2;
        }
    }
    if (path.empty()) {
        path = GenerateJpeg();
        generated = true;
        if (path.empty()) {
            std::fprintf(stderr, "cannot write the test picture\n");
            return 1;
        }
    }
    const std::u16string widePath = Utf8ToUtf16(path);

    BITMAPINFOHEADER* block = CImgFileJpeg().Load(widePath.c_str(), nullptr);
    if (!block) {
        std::fprintf(stderr, "cannot decode %s\n", path.c_str());
        return 1;
    }
    std::printf("jpeg=%s\nsize=%dx%d\n", path.c_str(), block->biWidth, block->biHeight);

    const auto decodeStart = std::chrono::steady_clock::now();
    for (int i = 0; i < kRounds && block; ++i)
        block = CImgFileJpeg().Load(widePath.c_str(), block);
    const double decodeSeconds = Seconds(decodeStart);
    if (!block) {
        std::fprintf(stderr, "decoding failed during the run\n");
        return 1;
    }

    // The same picture as the TIFF writer stores it: one uncompressed strip.
    char tiffPath[] = "/tmp/image_bench-XXXXXX.tif";
    const int tiffFd = mkstemps(tiffPath, 4);
    if (tiffFd < 0)
        return 1;
    close(tiffFd);
    const std::u16string wideTiff = Utf8ToUtf16(tiffPath);
    if (!CImgFileTiff().Save(DibPixels(block), block, wideTiff.c_str())) {
        std::fprintf(stderr, "cannot write %s\n", tiffPath);
        return 1;
    }
    const auto tiffStart = std::chrono::steady_clock::now();
    for (int i = 0; i < kRounds && block; ++i)
        block = CImgFileTiff().Load(wideTiff.c_str(), block);
    const double tiffSeconds = Seconds(tiffStart);
    std::remove(tiffPath);
    if (!block) {
        std::fprintf(stderr, "TIFF decoding failed during the run\n");
        return 1;
    }

    BITMAPINFOHEADER outHeader;
    InitBitmapInfoHeader(&outHeader, 1280, 720);
    std::vector<BYTE> out(outHeader.biSizeImage);
    CImgResize resize;
    const auto resizeStart = std::chrono::steady_clock::now();
    const double resizeCpuStart = ProcessCpuSeconds();
    for (int i = 0; i < kRounds; ++i) {
        resize.SetClipRect(CRect(0, 0, block->biWidth, block->biHeight));
        if (!resize.Resize(DibPixels(block), out.data(), block, &outHeader)) {
            std::fprintf(stderr, "resize failed\n");
            return 1;
        }
    }
    const double resizeSeconds = Seconds(resizeStart);
    const double resizeCpuSeconds = ProcessCpuSeconds() - resizeCpuStart;
    std::free(block);
    if (generated)
        std::remove(path.c_str());

    std::printf("jpeg_decode_fps=%.1f\ntiff_decode_fps=%.1f\nresize_fps=%.1f\nresize_cpu_ms_per_frame=%.3f\n",
                kRounds / decodeSeconds, kRounds / tiffSeconds, kRounds / resizeSeconds,
                1000.0 * resizeCpuSeconds / kRounds);
    return 0;
}

#include "platform/vfw/bgr_to_yuv420.h"

#include "workers/part_pool.h"

#include <algorithm>

namespace vfw {

namespace {

// Coefficients times 2^16.
struct Matrix {
    int yr, yg, yb, yOffset;
    int ur, ug, ub;
    int vr, vg, vb;
};

constexpr Matrix kVideo = {16829, 33039, 6416, 16 << 16, -9714, -19070, 28784, 28784, -24103, -4681};

constexpr int kRound = 1 << 15;

uint8_t Clip(int v) { return static_cast<uint8_t>(std::clamp(v, 0, 255)); }

// Luma stays within its range by construction, so it needs no clipping and vectorises.
void ConvertLumaRow(const uint8_t* row, uint8_t* luma, int width, const Matrix& m)
{
    const int offset = m.yOffset + kRound;
    for (int x = 0; x < width; ++x)
        luma[x] = static_cast<uint8_t>((m.yr * row[x * 3 + 2] + m.yg * row[x * 3 + 1] + m.yb * row[x * 3] + offset) >>
                                       16);
}

void ConvertRowPairs(const uint8_t* top, int stride, int width, int height, const Matrix& m, const Yuv420Planes& out,
                     int firstPair, int endPair)
{
    const int evenWidth = width & ~1;
    for (int pair = firstPair; pair < endPair; ++pair) {
        const int y0 = pair * 2;
        const int y1 = std::min(y0 + 1, height - 1);
        const uint8_t* row0 = top + static_cast<ptrdiff_t>(stride) * y0;
        const uint8_t* row1 = top + static_cast<ptrdiff_t>(stride) * y1;
        ConvertLumaRow(row0, out.y + static_cast<ptrdiff_t>(out.yStride) * y0, width, m);
        if (y1 != y0)
            ConvertLumaRow(row1, out.y + static_cast<ptrdiff_t>(out.yStride) * y1, width, m);
        uint8_t* u = out.u + static_cast<ptrdiff_t>(out.uStride) * pair;
        uint8_t* v = out.v + static_cast<ptrdiff_t>(out.vStride) * pair;
        const auto chroma = [&](int cx, int x0, int x1) {
            const uint8_t* a = row0 + x0 * 3;
            const uint8_t* b = row0 + x1 * 3;
            const uint8_t* c = row1 + x0 * 3;
            const uint8_t* d = row1 + x1 * 3;
            const int bsum = a[0] + b[0] + c[0] + d[0];
            const int gsum = a[1] + b[1] + c[1] + d[1];
            const int rsum = a[2] + b[2] + c[2] + d[2];
            // Sums of four: shift two more.
            u[cx] = Clip((((m.ur * rsum + m.ug * gsum + m.ub * bsum) >> 2) + (128 << 16) + kRound) >> 16);
            v[cx] = Clip((((m.vr * rsum + m.vg * gsum + m.vb * bsum) >> 2) + (128 << 16) + kRound) >> 16);
        };
        for (int x = 0; x < evenWidth; x += 2)
            chroma(x / 2, x, x + 1);
        if (width & 1)
            chroma(width / 2, width - 1, width - 1);
    }
}

} // namespace

void BgrToYuv420(const uint8_t* top, int stride, int width, int height, const Yuv420Planes& out)
{
    const Matrix& m = kVideo;
    const int pairs = (height + 1) / 2;
    workers::PartPool& pool = workers::PartPool::Instance();
    // Small frames are not worth the threads.
    const int parts = std::min(pool.Threads(), std::max(1, width * height / 65536));
    if (parts == 1) {
        ConvertRowPairs(top, stride, width, height, m, out, 0, pairs);
        return;
    }
    const int per = (pairs + parts - 1) / parts;
    pool.Run(parts, [&](int part) {
        const int first = part * per;
        const int end = std::min(pairs, first + per);
        if (first < end)
            ConvertRowPairs(top, stride, width, height, m, out, first, end);
    });
}

} // namespace vfw

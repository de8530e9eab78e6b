#include "platform/vfw/bgr_to_rgb24.h"

#include <cstddef>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define TORVINA_BGR_SSSE3 1
#endif

namespace vfw {
namespace {

constexpr int kPixelBytes = 3;

void SwapPixels(const uint8_t* in, uint8_t* out, int from, int width)
{
    for (int x = from; x < width; ++x) {
        const uint8_t* p = in + static_cast<ptrdiff_t>(x) * kPixelBytes;
        uint8_t* q = out + static_cast<ptrdiff_t>(x) * kPixelBytes;
        const uint8_t blue = p[0];
        q[0] = p[2];
        q[1] = p[1];
        q[2] = blue;
    }
}

#ifdef TORVINA_BGR_SSSE3
bool HasSsse3() { return __builtin_cpu_supports("ssse3"); }

// Five pixels (15 bytes) a step from one 16-byte load; the 16th byte stored is the next pixel's
// first, unswapped, and is written again by the next step or by the scalar tail, which always
// takes at least that pixel: a step runs only while its load and store end inside the row. In
// place, that byte is stored as it was, so the next step still loads it unswapped.
__attribute__((target("ssse3"))) void SwapRowSsse3(const uint8_t* in, uint8_t* out, int width)
{
    const __m128i order = _mm_setr_epi8(2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, 14, 13, 12, 15);
    constexpr int kStepPixels = 5;
    constexpr int kLoadBytes = 16;
    const ptrdiff_t rowBytes = static_cast<ptrdiff_t>(width) * kPixelBytes;
    int x = 0;
    for (; static_cast<ptrdiff_t>(x) * kPixelBytes + kLoadBytes <= rowBytes; x += kStepPixels) {
        const ptrdiff_t at = static_cast<ptrdiff_t>(x) * kPixelBytes;
        const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + at));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + at), _mm_shuffle_epi8(pixels, order));
    }
    SwapPixels(in, out, x, width);
}
#endif

void SwapRow(const uint8_t* in, uint8_t* out, int width)
{
#ifdef TORVINA_BGR_SSSE3
    static const bool ssse3 = HasSsse3();
    if (ssse3) {
        SwapRowSsse3(in, out, width);
        return;
    }
#endif
    SwapPixels(in, out, 0, width);
}

} // namespace

void BgrToRgb24(const uint8_t* top, int stride, int width, int height, uint8_t* out, int outStride)
{
    for (int y = 0; y < height; ++y)
        SwapRow(top + static_cast<ptrdiff_t>(y) * stride, out + static_cast<ptrdiff_t>(y) * outStride, width);
}

} // namespace vfw

#include "platform/vfw/bgr_to_rgb24.h"

#include <array>
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

// Sixteen pixels (48 bytes) a step: three loads, then three stores, each store's bytes gathered
// from the loads by byte shuffles. Steps never overlap, so a row is swapped in place as well as
// into another block, and no load waits on a store just made.
constexpr int kStepPixels = 16;
constexpr int kVectorBytes = 16;

// The shuffle that gathers, from load number source, the bytes of store number store; the bytes
// that come from another load are zeroed (high bit set) and filled by its own shuffle.
constexpr std::array<int8_t, kVectorBytes> Gather(int store, int source)
{
    std::array<int8_t, kVectorBytes> mask{};
    for (int i = 0; i < kVectorBytes; ++i) {
        const int at = store * kVectorBytes + i;
        const int from = at - at % kPixelBytes + (kPixelBytes - 1 - at % kPixelBytes);
        mask[static_cast<size_t>(i)] = from / kVectorBytes == source ? static_cast<int8_t>(from % kVectorBytes) : -128;
    }
    return mask;
}

__m128i Mask(const std::array<int8_t, kVectorBytes>& bytes)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes.data()));
}

__attribute__((target("ssse3"))) void SwapRowSsse3(const uint8_t* in, uint8_t* out, int width)
{
    static constexpr auto k00 = Gather(0, 0), k01 = Gather(0, 1);
    static constexpr auto k10 = Gather(1, 0), k11 = Gather(1, 1), k12 = Gather(1, 2);
    static constexpr auto k21 = Gather(2, 1), k22 = Gather(2, 2);
    const __m128i m00 = Mask(k00), m01 = Mask(k01), m10 = Mask(k10), m11 = Mask(k11), m12 = Mask(k12);
    const __m128i m21 = Mask(k21), m22 = Mask(k22);
    int x = 0;
    for (; x + kStepPixels <= width; x += kStepPixels) {
        const ptrdiff_t at = static_cast<ptrdiff_t>(x) * kPixelBytes;
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + at));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + at + kVectorBytes));
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + at + 2 * kVectorBytes));
        const __m128i first = _mm_or_si128(_mm_shuffle_epi8(a, m00), _mm_shuffle_epi8(b, m01));
        const __m128i second = _mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(a, m10), _mm_shuffle_epi8(b, m11)),
                                            _mm_shuffle_epi8(c, m12));
        const __m128i third = _mm_or_si128(_mm_shuffle_epi8(b, m21), _mm_shuffle_epi8(c, m22));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + at), first);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + at + kVectorBytes), second);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + at + 2 * kVectorBytes), third);
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

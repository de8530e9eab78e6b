#include "image/bilinear_windows.h"

#include <algorithm>
#include <climits>
#include <cstring>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define BILINEAR_WINDOWS_X86 1
#endif

namespace {

constexpr int64_t kWindowBytes = 16;
constexpr int kSumsPerGroup = 4;
constexpr int kGroupsPerBlock = 4;
constexpr int kShuffleBytes = 16;
constexpr int kWeightsPerGroup = 2 * kSumsPerGroup;
// A shuffle index with its top bit set yields a zero byte.
constexpr int8_t kZeroByte = -128;
// Where group g of a block is stored.
constexpr int kStoredGroup[kGroupsPerBlock] = {0, 2, 1, 3};

// Sums are stored less 32768, so two weights that add up to 256 leave 32768 * 256 to add back,
// plus half of 65536 to round.
constexpr int32_t kVerticalBias = 32768 * 256 + 32768;

#if defined(BILINEAR_WINDOWS_X86)
struct PlanView {
    const int8_t* shuffles;
    const int16_t* weights;
    const int32_t* windows;
    size_t blocks;
};

__attribute__((target("sse4.1"))) __m128i Load128(const void* at)
{
    return _mm_loadu_si128(static_cast<const __m128i*>(at));
}

// Four sums as 32-bit lanes: the group's byte pairs, zero-extended, times their weights.
__attribute__((target("sse4.1"))) __m128i GroupSums(const BYTE* window, const int8_t* shuffle, const int16_t* weights)
{
    return _mm_madd_epi16(_mm_shuffle_epi8(Load128(window), Load128(shuffle)), Load128(weights));
}

// The plan is walked through local pointers: the stores may alias anything, so fields read
// through the view would be loaded again on every block. Each block touches the next row where
// it reads this one: the hardware prefetcher alone leaves the loads waiting on memory.
__attribute__((target("sse4.1"))) void HorizontalSse41(PlanView plan, const BYTE* row, int16_t* sums, const BYTE* next)
{
    const __m128i bias = _mm_set1_epi16(static_cast<short>(0x8000));
    const int8_t* shuffles = plan.shuffles;
    const int16_t* weights = plan.weights;
    const int32_t* windows = plan.windows;
    for (size_t block = 0; block < plan.blocks; ++block) {
        _mm_prefetch(reinterpret_cast<const char*>(next + windows[0]), _MM_HINT_T0);
        const __m128i sums0 = GroupSums(row + windows[0], shuffles, weights);
        const __m128i sums2 = GroupSums(row + windows[1], shuffles + kShuffleBytes, weights + kWeightsPerGroup);
        const __m128i sums1 = GroupSums(row + windows[2], shuffles + 2 * kShuffleBytes, weights + 2 * kWeightsPerGroup);
        const __m128i sums3 = GroupSums(row + windows[3], shuffles + 3 * kShuffleBytes, weights + 3 * kWeightsPerGroup);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(sums), _mm_xor_si128(_mm_packus_epi32(sums0, sums1), bias));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(sums + 8), _mm_xor_si128(_mm_packus_epi32(sums2, sums3), bias));
        shuffles += kGroupsPerBlock * kShuffleBytes;
        weights += kGroupsPerBlock * kWeightsPerGroup;
        windows += kGroupsPerBlock;
        sums += kGroupsPerBlock * kSumsPerGroup;
    }
}

__attribute__((target("avx2"))) __m256i Load256(const void* at)
{
    return _mm256_loadu_si256(static_cast<const __m256i*>(at));
}

// Eight sums as 32-bit lanes from two windows, one for each half.
__attribute__((target("avx2"))) __m256i GroupPairSums(const BYTE* low, const BYTE* high, const int8_t* shuffles,
                                                      const int16_t* weights)
{
    const __m256i windows = _mm256_inserti128_si256(_mm256_castsi128_si256(Load128(low)), Load128(high), 1);
    return _mm256_madd_epi16(_mm256_shuffle_epi8(windows, Load256(shuffles)), Load256(weights));
}

__attribute__((target("avx2"))) void HorizontalAvx2(PlanView plan, const BYTE* row, int16_t* sums, const BYTE* next)
{
    const __m256i bias = _mm256_set1_epi16(static_cast<short>(0x8000));
    const int8_t* shuffles = plan.shuffles;
    const int16_t* weights = plan.weights;
    const int32_t* windows = plan.windows;
    for (size_t block = 0; block < plan.blocks; ++block) {
        _mm_prefetch(reinterpret_cast<const char*>(next + windows[0]), _MM_HINT_T0);
        const __m256i sums02 = GroupPairSums(row + windows[0], row + windows[1], shuffles, weights);
        const __m256i sums13 = GroupPairSums(row + windows[2], row + windows[3], shuffles + 2 * kShuffleBytes,
                                             weights + 2 * kWeightsPerGroup);
        // Packing works within each half, so groups 0 and 2 with 1 and 3 come out in order.
        const __m256i packed = _mm256_packus_epi32(sums02, sums13);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(sums), _mm256_xor_si256(packed, bias));
        shuffles += kGroupsPerBlock * kShuffleBytes;
        weights += kGroupsPerBlock * kWeightsPerGroup;
        windows += kGroupsPerBlock;
        sums += kGroupsPerBlock * kSumsPerGroup;
    }
}

BYTE VerticalByte(int16_t sum0, int16_t sum1, int32_t weight0, int32_t weight1)
{
    return static_cast<BYTE>((sum0 * weight0 + sum1 * weight1 + kVerticalBias) >> 16);
}

// Eight bytes' blends as 16-bit lanes from interleaved sums.
__attribute__((target("sse4.1"))) __m128i BlendEight(__m128i sums0, __m128i sums1, __m128i weights)
{
    const __m128i bias = _mm_set1_epi32(kVerticalBias);
    const __m128i low = _mm_add_epi32(_mm_madd_epi16(_mm_unpacklo_epi16(sums0, sums1), weights), bias);
    const __m128i high = _mm_add_epi32(_mm_madd_epi16(_mm_unpackhi_epi16(sums0, sums1), weights), bias);
    return _mm_packs_epi32(_mm_srai_epi32(low, 16), _mm_srai_epi32(high, 16));
}

__attribute__((target("sse4.1"))) void VerticalSse41(const int16_t* sums0, const int16_t* sums1, int32_t weight0,
                                                     int32_t weight1, BYTE* out, size_t begin, size_t count)
{
    const __m128i weights = _mm_set1_epi32(static_cast<int32_t>(static_cast<uint32_t>(weight1) << 16) | weight0);
    size_t k = begin;
    for (; k + 16 <= count; k += 16) {
        const __m128i first = BlendEight(Load128(sums0 + k), Load128(sums1 + k), weights);
        const __m128i second = BlendEight(Load128(sums0 + k + 8), Load128(sums1 + k + 8), weights);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + k), _mm_packus_epi16(first, second));
    }
    for (; k < count; ++k)
        out[k] = VerticalByte(sums0[k], sums1[k], weight0, weight1);
}

// Sixteen bytes' blends as 16-bit lanes in order: unpacking and packing both work within each half.
__attribute__((target("avx2"))) __m256i BlendSixteen(__m256i sums0, __m256i sums1, __m256i weights)
{
    const __m256i bias = _mm256_set1_epi32(kVerticalBias);
    const __m256i low = _mm256_add_epi32(_mm256_madd_epi16(_mm256_unpacklo_epi16(sums0, sums1), weights), bias);
    const __m256i high = _mm256_add_epi32(_mm256_madd_epi16(_mm256_unpackhi_epi16(sums0, sums1), weights), bias);
    return _mm256_packs_epi32(_mm256_srai_epi32(low, 16), _mm256_srai_epi32(high, 16));
}

__attribute__((target("avx2"))) void VerticalAvx2(const int16_t* sums0, const int16_t* sums1, int32_t weight0,
                                                  int32_t weight1, BYTE* out, size_t count)
{
    const __m256i weights = _mm256_set1_epi32(static_cast<int32_t>(static_cast<uint32_t>(weight1) << 16) | weight0);
    size_t k = 0;
    for (; k + 32 <= count; k += 32) {
        const __m256i first = BlendSixteen(Load256(sums0 + k), Load256(sums1 + k), weights);
        const __m256i second = BlendSixteen(Load256(sums0 + k + 16), Load256(sums1 + k + 16), weights);
        // The byte pack interleaves the halves' quarters; put them back in order.
        const __m256i bytes = _mm256_permute4x64_epi64(_mm256_packus_epi16(first, second), 0xD8);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + k), bytes);
    }
    VerticalSse41(sums0, sums1, weight0, weight1, out, k, count);
}
#endif

} // namespace

std::optional<BilinearWindows::Isa> BilinearWindows::Fastest()
{
#if defined(BILINEAR_WINDOWS_X86)
    if (__builtin_cpu_supports("avx2"))
        return Isa::Avx2;
    if (__builtin_cpu_supports("sse4.1"))
        return Isa::Sse41;
#endif
    return std::nullopt;
}

bool BilinearWindows::Plan(const unsigned int* columns, int outWidth, int sourceWidth)
{
    // A run of frames of one size plans once.
    const size_t columnBytes = 2 * sizeof(unsigned int) * static_cast<size_t>(std::max(outWidth, 0));
    if (sourceWidth == m_plannedSourceWidth && outWidth > 0 && m_plannedColumns.GetCount() == 2 * outWidth &&
        std::memcmp(columns, m_plannedColumns.GetData(), columnBytes) == 0)
        return m_rowLength != 0;
    m_plannedSourceWidth = 0;
    m_rowLength = LayOut(columns, outWidth, sourceWidth);
    if (outWidth > 0 && m_plannedColumns.Alloc(2 * outWidth)) {
        std::memcpy(m_plannedColumns.GetData(), columns, columnBytes);
        m_plannedSourceWidth = sourceWidth;
    }
    return m_rowLength != 0;
}

size_t BilinearWindows::LayOut(const unsigned int* columns, int outWidth, int sourceWidth)
{
    const int64_t rowBytes = 3 * static_cast<int64_t>(sourceWidth);
    const int64_t sumCount = 3 * static_cast<int64_t>(outWidth);
    constexpr int64_t kBlockSums = kSumsPerGroup * kGroupsPerBlock;
    const int64_t groups = (sumCount + kBlockSums - 1) / kBlockSums * kGroupsPerBlock;
    if (outWidth <= 0 || rowBytes < kWindowBytes || groups > INT_MAX / kShuffleBytes)
        return 0;
    int8_t* shuffles = m_shuffles.Alloc(static_cast<int>(kShuffleBytes * groups));
    int16_t* weights = m_weights.Alloc(static_cast<int>(kWeightsPerGroup * groups));
    int32_t* windows = m_windows.Alloc(static_cast<int>(groups));
    if (!shuffles || !weights || !windows)
        return 0;
    for (int64_t group = 0; group < groups; ++group) {
        const int64_t stored = group - group % kGroupsPerBlock + kStoredGroup[group % kGroupsPerBlock];
        const int64_t first = kSumsPerGroup * group;
        const int64_t end = std::min(first + kSumsPerGroup, sumCount);
        // Widening repeats a pixel, so the lowest byte read need not be the group's first.
        int64_t window = rowBytes - kWindowBytes;
        for (int64_t k = first; k < end; ++k)
            window = std::min(window, 3 * static_cast<int64_t>(columns[2 * (k / 3)]) + k % 3);
        windows[stored] = static_cast<int32_t>(window);
        for (int64_t slot = 0; slot < kSumsPerGroup; ++slot) {
            int8_t* shuffle = shuffles + kShuffleBytes * stored + 4 * slot;
            int16_t* weight = weights + kWeightsPerGroup * stored + 2 * slot;
            const int64_t k = first + slot;
            if (k >= sumCount) {
                std::fill_n(shuffle, 4, kZeroByte);
                weight[0] = weight[1] = 0;
                continue;
            }
            const int64_t left = columns[2 * (k / 3)];
            const unsigned int wx = columns[2 * (k / 3) + 1];
            if (left >= sourceWidth || wx > 255)
                return 0;
            const int64_t at0 = 3 * left + k % 3 - window;
            const int64_t at1 = 3 * std::min<int64_t>(left + 1, sourceWidth - 1) + k % 3 - window;
            if (at1 >= kWindowBytes)
                return 0;
            shuffle[0] = static_cast<int8_t>(at0);
            shuffle[1] = kZeroByte;
            shuffle[2] = static_cast<int8_t>(at1);
            shuffle[3] = kZeroByte;
            weight[0] = static_cast<int16_t>(256 - wx);
            weight[1] = static_cast<int16_t>(wx);
        }
    }
    return static_cast<size_t>(kSumsPerGroup * groups);
}

void BilinearWindows::Horizontal(Isa isa, const BYTE* row, int16_t* sums, const BYTE* next) const
{
#if defined(BILINEAR_WINDOWS_X86)
    const PlanView plan{m_shuffles.GetData(), m_weights.GetData(), m_windows.GetData(),
                        m_rowLength / (kSumsPerGroup * kGroupsPerBlock)};
    if (isa == Isa::Avx2)
        HorizontalAvx2(plan, row, sums, next);
    else
        HorizontalSse41(plan, row, sums, next);
#else
    (void)isa;
    (void)row;
    (void)sums;
    (void)next;
#endif
}

void BilinearWindows::Vertical(Isa isa, const int16_t* sums0, const int16_t* sums1, unsigned int wy, BYTE* out,
                               size_t count)
{
    const auto weight1 = static_cast<int32_t>(wy);
#if defined(BILINEAR_WINDOWS_X86)
    if (isa == Isa::Avx2)
        VerticalAvx2(sums0, sums1, 256 - weight1, weight1, out, count);
    else
        VerticalSse41(sums0, sums1, 256 - weight1, weight1, out, 0, count);
#else
    (void)isa;
    (void)sums0;
    (void)sums1;
    (void)out;
    (void)count;
    (void)weight1;
#endif
}

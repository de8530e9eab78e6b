#include "app/frame_loader.h"

#include "image/dib_depth.h"
#include "image/res_img_file.h"
#include "workers/part_pool.h"

#include <algorithm>
#include <cstring>

namespace {

// Below this a band's copy costs less than handing it to another thread.
constexpr uint64_t kCopyBandBytes = uint64_t{1} << 20;

} // namespace

CFrameLoader::~CFrameLoader() { Release(); }

BITMAPINFOHEADER* CFrameLoader::Load(LPCWSTR path)
{
    CResImgFile reader;
    m_decoded = reader.Load(path, m_decoded);
    if (m_decoded && m_decoded->biBitCount == 48) {
        m_shown = ConvertDib48To24(m_decoded, m_shown);
        if (!m_shown)
            Release();
    } else {
        std::free(m_shown);
        m_shown = nullptr;
        if (!m_decoded)
            Release();
    }
    return Frame();
}

bool CFrameLoader::Expect(const BITMAPINFOHEADER& like)
{
    if (m_decoded && m_decoded->biWidth == like.biWidth && m_decoded->biHeight == like.biHeight &&
        m_decoded->biBitCount == like.biBitCount)
        return true;
    Release();
    m_decoded = AcquireFrameBlock(nullptr, like.biWidth, like.biHeight, like.biBitCount);
    return m_decoded != nullptr;
}

BITMAPINFOHEADER* CFrameLoader::CopyFrame(const CFrameLoader& source)
{
    const BITMAPINFOHEADER* from = source.Frame();
    BITMAPINFOHEADER* to = Frame();
    if (!from || !to || from->biBitCount != 24 || to->biBitCount != 24 || from->biWidth != to->biWidth ||
        from->biHeight != to->biHeight)
        return nullptr;
    // Split over the pool: a large frame's copy is a good part of the main thread's share of a
    // frame, and threads that are not decoding can take bands of it.
    const uint64_t area = DibPixelAreaBytes(to->biWidth, to->biHeight);
    const uint64_t stride = DibRowStride(static_cast<uint64_t>(to->biWidth));
    const int rows = to->biHeight;
    workers::PartPool& pool = workers::PartPool::Instance();
    const int bands = static_cast<int>(
        std::clamp<uint64_t>(area / kCopyBandBytes, 1, static_cast<uint64_t>(pool.Threads())));
    const BYTE* pixels = reinterpret_cast<const BYTE*>(from) + sizeof(BITMAPINFOHEADER);
    BYTE* target = DibPixels(to);
    pool.Run(bands, [&](int band) {
        const uint64_t first = static_cast<uint64_t>(rows) * band / bands;
        const uint64_t last = static_cast<uint64_t>(rows) * (band + 1) / bands;
        std::memcpy(target + first * stride, pixels + first * stride, (last - first) * stride);
    });
    return to;
}

void CFrameLoader::Release()
{
    std::free(m_decoded);
    std::free(m_shown);
    m_decoded = nullptr;
    m_shown = nullptr;
}

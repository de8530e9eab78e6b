#include "app/frame_loader.h"

#include "image/dib_depth.h"
#include "image/res_img_file.h"

#include <utility>

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

BITMAPINFOHEADER* CFrameLoader::SwapFrame(CFrameLoader& source)
{
    const BITMAPINFOHEADER* from = source.Frame();
    const BITMAPINFOHEADER* to = Frame();
    if (!from || !to || from->biBitCount != 24 || to->biBitCount != 24 || from->biWidth != to->biWidth ||
        from->biHeight != to->biHeight || (m_shown == nullptr) != (source.m_shown == nullptr))
        return nullptr;
    // A 48-bit frame's decoded block stays where it is: only the 24-bit blocks change hands.
    std::swap(m_shown ? m_shown : m_decoded, source.m_shown ? source.m_shown : source.m_decoded);
    return Frame();
}

void CFrameLoader::Release()
{
    std::free(m_decoded);
    std::free(m_shown);
    m_decoded = nullptr;
    m_shown = nullptr;
}

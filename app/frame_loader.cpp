#include "app/frame_loader.h"

#include "image/dib_depth.h"
#include "image/res_img_file.h"

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

void CFrameLoader::Release()
{
    std::free(m_decoded);
    std::free(m_shown);
    m_decoded = nullptr;
    m_shown = nullptr;
}

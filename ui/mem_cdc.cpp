#include "ui/mem_cdc.h"

CMemCDC::~CMemCDC() { Release(); }

void CMemCDC::Release()
{
    if (m_pOldBitmap)
        SelectObject(m_pOldBitmap);
    m_pOldBitmap = nullptr;
    DeleteBitmap();
    if (m_hDC)
        DeleteDC();
}

void CMemCDC::CreateMono(CDC* pDC, int cx, int cy)
{
    Release();
    CreateCompatibleDC(pDC);
    m_bitmap.CreateBitmap(cx, cy, 1, 1, nullptr);
    m_pOldBitmap = SelectObject(&m_bitmap);
}

void CMemCDC::CreateCompatible(CDC* pDC, int cx, int cy)
{
    Release();
    CreateCompatibleDC(pDC);
    m_bitmap.CreateCompatibleBitmap(pDC, cx, cy);
    m_pOldBitmap = SelectObject(&m_bitmap);
}

void CMemCDC::StretchFrom(CDC* pSrc, CRect rcDst, CRect rcSrc, DWORD dwRop)
{
    SetStretchBltMode(COLORONCOLOR);
    StretchBlt(rcDst.left, rcDst.top, rcDst.Width(), rcDst.Height(), pSrc, rcSrc.left, rcSrc.top, rcSrc.Width(),
               rcSrc.Height(), dwRop);
}

void CMemCDC::StretchTo(CDC* pDst, CRect rcDst, CRect rcSrc, DWORD dwRop)
{
    pDst->SetStretchBltMode(COLORONCOLOR);
    pDst->StretchBlt(rcDst.left, rcDst.top, rcDst.Width(), rcDst.Height(), this, rcSrc.left, rcSrc.top, rcSrc.Width(),
                     rcSrc.Height(), dwRop);
}

void CMemCDC::DeleteBitmap()
{
    if (m_bitmap.m_hObject)
        m_bitmap.DeleteObject();
}

// An off-screen device context that owns one bitmap, with stretching copies in and out.
#pragma once

#include "image/dib.h"
#include "platform/afx/cdc.h"

class CMemCDC : public CDC {
public:
    CMemCDC() = default;
    ~CMemCDC() override;

    virtual void CreateMono(CDC* pDC, int cx, int cy);
    virtual void StretchFrom(CDC* pSrc, CRect rcDst, CRect rcSrc, DWORD dwRop);
    virtual void StretchTo(CDC* pDst, CRect rcDst, CRect rcSrc, DWORD dwRop);
    virtual void CreateCompatible(CDC* pDC, int cx, int cy);
    virtual void DeleteBitmap();

private:
    // Old bitmap back, bitmap deleted, DC deleted.
    void Release();

    CDib m_bitmap;
    CBitmap* m_pOldBitmap = nullptr;
};

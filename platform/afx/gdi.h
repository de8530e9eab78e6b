// GDI objects: pens, brushes, fonts, bitmaps and regions.
#pragma once

#include "platform/afx/cobject.h"
#include "platform/afx/cstring.h"
#include "platform/afx/geometry.h"

class CDC;

class CGdiObject : public CObject {
public:
    CGdiObject() = default;
    ~CGdiObject() override;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ m_hObject = nullptr;
    operator HGDIOBJ() const { return m_hObject; }
    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    BOOL Attach(HGDIOBJ hObject);
    HGDIOBJ Detach();
    BOOL DeleteObject();
    int GetObject(int nCount, LPVOID lpObject) const;
    // A wrapper of a handle this program does not own (the previous selection of a DC).
    static CGdiObject* FromHandle(HGDIOBJ hObject);

private:
    friend struct GdiObjectData;
    bool m_bTemporary = false;
};

class CPen : public CGdiObject {
public:
    CPen() = default;
};

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF crColor) { CreateSolidBrush(crColor); }
    BOOL CreateSolidBrush(COLORREF crColor);
    static CBrush* FromHandle(HBRUSH hBrush) { return static_cast<CBrush*>(CGdiObject::FromHandle(hBrush)); }
};

class CFont : public CGdiObject {
public:
    BOOL CreateFontIndirect(const LOGFONTW* lpLogFont);
    static CFont* FromHandle(HFONT hFont) { return static_cast<CFont*>(CGdiObject::FromHandle(hFont)); }
};

class CBitmap : public CGdiObject {
public:
    BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits);
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
    int GetBitmap(BITMAP* pBitMap) const;
    static CBitmap* FromHandle(HBITMAP hBitmap) { return static_cast<CBitmap*>(CGdiObject::FromHandle(hBitmap)); }
};

class CRgn : public CGdiObject {
public:
    BOOL CreateRectRgn(int x1, int y1, int x2, int y2);
    BOOL CreateEllipticRgn(int x1, int y1, int x2, int y2);
};

HGDIOBJ GetStockObject(int nIndex);
BOOL DeleteObject(HGDIOBJ hObject);
int GetObjectW(HGDIOBJ hObject, int nCount, LPVOID lpObject);
HBRUSH CreateSolidBrush(COLORREF crColor);
COLORREF GetSysColor(int index);
HBRUSH GetSysColorBrush(int nIndex);
HFONT CreateFontIndirectW(const LOGFONTW* lpLogFont);
HBITMAP CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const void* lpBits);
HBITMAP CreateCompatibleBitmap(HDC hdc, int nWidth, int nHeight);
// 24-bit bottom-up sections only; *ppvBits receives the section's rows.
HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* pbmi, UINT usage, void** ppvBits, HANDLE hSection, DWORD offset);
HRGN CreateRectRgn(int x1, int y1, int x2, int y2);
HRGN CreateEllipticRgn(int x1, int y1, int x2, int y2);

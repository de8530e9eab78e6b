// Device contexts: drawing into a window's retained image, a bitmap or a copy of the screen.
#pragma once

#include "platform/afx/gdi.h"

class CWnd;

class CDC : public CObject {
public:
    CDC() = default;
    ~CDC() override;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC = nullptr;
    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }
    static CDC* FromHandle(HDC hDC);
    BOOL Attach(HDC hDC);
    HDC Detach();

    BOOL CreateCompatibleDC(CDC* pDC);
    BOOL DeleteDC();

    CGdiObject* SelectStockObject(int nIndex);
    CFont* SelectObject(CFont* pFont);
    CBitmap* SelectObject(CBitmap* pBitmap);
    CGdiObject* SelectObject(CGdiObject* pObject);
    int SelectClipRgn(CRgn* pRgn);

    COLORREF SetTextColor(COLORREF crColor);
    COLORREF GetTextColor() const;
    COLORREF SetBkColor(COLORREF crColor);
    COLORREF GetBkColor() const;
    int SetBkMode(int nBkMode);
    int GetBkMode() const;
    int SetStretchBltMode(int nStretchMode);
    int GetStretchBltMode() const;

    void FillSolidRect(LPCRECT lpRect, COLORREF clr);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF clr);
    void FillRect(LPCRECT lpRect, CBrush* pBrush);
    BOOL Rectangle(int x1, int y1, int x2, int y2);
    CPoint MoveTo(int x, int y);
    BOOL LineTo(int x, int y);
    COLORREF SetPixel(int x, int y, COLORREF crColor);
    COLORREF GetPixel(int x, int y) const;

    int DrawText(const CString& str, LPRECT lpRect, UINT nFormat);
    CSize GetTextExtent(const CString& str) const;
    CSize GetTextExtent(LPCTSTR lpszString, int nCount) const;

    BOOL DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags);
    void DrawFocusRect(LPCRECT lpRect);
    BOOL DrawIcon(int x, int y, HICON hIcon);

    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop);
    BOOL StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                    int nSrcHeight, DWORD dwRop);
    int GetDeviceCaps(int nIndex) const;
};

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

private:
    HWND m_hWnd;
};

class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

private:
    HWND m_hWnd;
};

// With no window, a DC over a copy of the whole screen (where the platform allows one).
class CWindowDC : public CDC {
public:
    explicit CWindowDC(CWnd* pWnd);
    ~CWindowDC() override;

private:
    HWND m_hWnd;
};

HDC GetDC(HWND hWnd);
int ReleaseDC(HWND hWnd, HDC hDC);
HDC CreateCompatibleDC(HDC hdc);
BOOL DeleteDC(HDC hdc);
int SetStretchBltMode(HDC hdc, int mode);
// Our blitter: 24-bit bottom-up BGR (BI_RGB) with nearest-neighbour stretching; every other
// format, a source outside the DIB or a non-positive size is refused with 0.
int StretchDIBits(HDC hdc, int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc, int srcWidth,
                  int srcHeight, const void* bits, const BITMAPINFO* bmi, UINT usage, DWORD rop);

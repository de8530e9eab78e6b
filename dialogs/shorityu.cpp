#include "dialogs/shorityu.h"

#include "platform/afx/cdc.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CShorityu, CBaseWnd)
    ON_WM_PAINT()
    ON_WM_CLOSE()
END_MESSAGE_MAP()

CShorityu::CShorityu(const BYTE* pBits, BITMAPINFOHEADER bih, UINT nCloseCmd)
    : m_pBits(pBits), m_bih(bih), m_nCloseCmd(nCloseCmd)
{
}

CSize CShorityu::ClientSize() const
{
    return CSize(std::max<LONG>(0, m_bih.biWidth), std::max<LONG>(0, m_bih.biHeight));
}

BOOL CShorityu::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.lpszName = u"Zarn Viewer";
    // A top-level window is created with its client size.
    const CSize size = ClientSize();
    cs.cx = size.cx;
    cs.cy = size.cy;
    return CBaseWnd::PreCreateWindow(cs);
}

bool CShorityu::HasDrawableFrame() const
{
    // A 48-bit frame has another row layout; its pixels are never read as 24-bit rows.
    return m_pBits && m_bih.biBitCount == 24 && m_bih.biCompression == BI_RGB && m_bih.biWidth > 0 &&
           m_bih.biHeight > 0;
}

void CShorityu::SetFrame(const BYTE* pBits, const BITMAPINFOHEADER& bih)
{
    const CSize before = ClientSize();
    m_pBits = pBits;
    m_bih = bih;
    if (!m_hWnd)
        return;
    const CSize after = ClientSize();
    if (HasDrawableFrame() && !(after == before)) {
        // Grown or shrunk by the frame's change, whatever the window manager adds around it.
        CRect rc;
        GetWindowRect(&rc);
        MoveWindow(rc.left, rc.top, rc.Width() + after.cx - before.cx, rc.Height() + after.cy - before.cy, FALSE);
    }
    Invalidate(TRUE);
    UpdateWindow();
}

void CShorityu::DrawImage()
{
    if (!m_hWnd)
        return;
    CDC* dc = GetDC();
    if (!dc)
        return;
    PaintOn(*dc);
    ReleaseDC(dc);
}

void CShorityu::PaintOn(CDC& dc)
{
    CRect client;
    GetClientRect(&client);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    if (!HasDrawableFrame()) {
        // Without a frame the window is blank, not a picture of a frame that is gone.
        dc.FillSolidRect(&client, face);
        return;
    }
    // Beside and below the frame, where a larger frame may have stood before.
    dc.FillSolidRect(m_bih.biWidth, 0, std::max(0, client.right - m_bih.biWidth), client.bottom, face);
    dc.FillSolidRect(0, m_bih.biHeight, client.right, std::max(0, client.bottom - m_bih.biHeight), face);
    dc.SetStretchBltMode(COLORONCOLOR);
    BITMAPINFO info{};
    info.bmiHeader = m_bih;
    StretchDIBits(dc.m_hDC, 0, 0, m_bih.biWidth, m_bih.biHeight, 0, 0, m_bih.biWidth, m_bih.biHeight, m_pBits, &info,
                  DIB_RGB_COLORS, SRCCOPY);
}

void CShorityu::OnPaint()
{
    CPaintDC dc(this);
    PaintOn(dc);
}

void CShorityu::OnClose()
{
    // The window stays until the owner destroys the viewer, which it may do inside this send.
    if (m_pOwner && IsWindow(m_pOwner->m_hWnd))
        m_pOwner->SendMessage(WM_COMMAND, m_nCloseCmd, 0);
}

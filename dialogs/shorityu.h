// The source-image viewer: a top-level window showing the current source frame one to one.
#pragma once

#include "ui/base_wnd.h"

class CDC;

class CShorityu : public CBaseWnd {
public:
    // The frame is not owned: the owner hands a new one (or none) whenever its frame block changes.
    CShorityu(const BYTE* pBits, BITMAPINFOHEADER bih, UINT nCloseCmd);
    ~CShorityu() override = default;

    // Takes the owner's current frame, or no frame with null pixels, and shows it; a frame of
    // another size resizes the window.
    void SetFrame(const BYTE* pBits, const BITMAPINFOHEADER& bih);
    // The owner's frame moved to another block of the same size: the pixels are read from there
    // on, and drawn when the owner next asks (DrawImage) or the window is painted.
    void MoveFrame(const BYTE* pBits) { m_pBits = pBits; }
    // Only 24-bit bottom-up frames with their pixels are drawn; anything else draws nothing.
    bool HasDrawableFrame() const;
    virtual void DrawImage();

    DECLARE_MESSAGE_MAP()

public:
    void OnPaint();
    void OnClose();

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

private:
    // The client size for the stored frame: the picture itself. The border and caption that the
    // window once added around it are the window manager's here.
    CSize ClientSize() const;
    void PaintOn(CDC& dc);

    const BYTE* m_pBits;
    BITMAPINFOHEADER m_bih;
    UINT m_nCloseCmd;
};

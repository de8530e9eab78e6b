// The About box: an elliptic box with the program's icon, name and version, the project's notice
// and a link to its web page; it can be dragged by its body, and OK closes it with a short
// animation of the box swelling and bouncing back.
#pragma once

#include "ui/base_color_dialog.h"
#include "ui/link_button.h"

#include <vector>

// One frame of the closing animation, in the coordinates of a canvas three times the box's size
// whose top-left lies half a box left of and above the box.
struct AboutAnimationFrame {
    CRect shadow;
    CRect picture;
};
// The 63 frames for a box of this window size.
std::vector<AboutAnimationFrame> AboutCloseAnimation(int width, int height);

class CMyAboutDlg : public CBaseColorDialog {
public:
    CMyAboutDlg(COLORREF crBackground, COLORREF crText, CWnd* pParent);
    ~CMyAboutDlg() override;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    CLinkButton m_btnLink;
    CPoint m_ptDrag;
    CIconButton m_btnOK;

    DECLARE_MESSAGE_MAP()

public:
    void OnLink();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnPaint();

private:
    void PlayClosingAnimation();
};

// Shows the About box modally on a white background with black text.
void ShowAboutBox();

// The project's web page the link opens.
extern const WCHAR kProjectAddress[];

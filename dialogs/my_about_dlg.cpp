#include "dialogs/my_about_dlg.h"

#include "foundation/file_path.h"
#include "foundation/module_version.h"
#include "foundation/shell_open.h"
#include "platform/afx/cdc.h"
#include "platform/afx/cwinapp.h"
#include "platform/afx/ddx.h"
#include "platform/afx/gdi.h"
#include "platform/afx/icon.h"
#include "platform/afx/window_widget.h"
#include "resources/app_dialog_ids.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QThread>
#include <QWindow>

#include <cstdlib>

const WCHAR kProjectAddress[] = u"https://torvina.example.org/";

namespace {

constexpr COLORREF kLinkText = 0xFF0000;
constexpr COLORREF kDisabledText = 0x808080;
constexpr COLORREF kHoverText = 0xFF00FF;
constexpr UINT kAppIcon = 128;
constexpr int kExposureWaitMs = 1000;

// The X server maps and exposes a new window some time after show(), and what is painted before
// that never reaches the screen: waits for the exposure, handling no user input meanwhile.
void WaitUntilExposed(QWidget& window)
{
    QElapsedTimer clock;
    clock.start();
    while (window.windowHandle() && !window.windowHandle()->isExposed() && clock.elapsed() < kExposureWaitMs) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(1);
    }
}

} // namespace

std::vector<AboutAnimationFrame> AboutCloseAnimation(int width, int height)
{
    std::vector<AboutAnimationFrame> frames;
    for (int n = 100; n > 0; n /= 3) {
        for (int i = -n; i <= n; i += 5) {
            const int k = n - std::abs(i);
            const int dx = width * k / 100;
            const int dy = height * k / 100;
            AboutAnimationFrame f;
            f.shadow = CRect(width / 2 + dx, height / 2 + dy, width / 2 + dx + width, height / 2 + dy + height);
            f.picture = CRect(width / 2 - dx / 2, height / 2 - dy / 2, (3 * width + dx) / 2, (3 * height + dy) / 2);
            frames.push_back(f);
        }
    }
    return frames;
}

BEGIN_MESSAGE_MAP(CMyAboutDlg, CBaseColorDialog)
    ON_BN_CLICKED(IDC_LINK, OnLink)
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CMyAboutDlg::CMyAboutDlg(COLORREF crBackground, COLORREF crText, CWnd* pParent)
    : CBaseColorDialog(IDD_ABOUTBOX, pParent, crBackground, crText, FALSE, FALSE),
      m_btnLink(crBackground, kLinkText, kDisabledText, kHoverText),
      m_btnOK(AfxLoadIcon(IDI_ABOUT_OK), nullptr, crBackground, crText, kDisabledText, kHoverText, 0)
{
}

CMyAboutDlg::~CMyAboutDlg() = default;

void CMyAboutDlg::DoDataExchange(CDataExchange* pDX)
{
    CBaseColorDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LINK, m_btnLink);
    DDX_Control(pDX, IDOK, m_btnOK);
}

BOOL CMyAboutDlg::OnInitDialog()
{
    CBaseColorDialog::OnInitDialog();
    m_btnLink.ModifyStyle(0, BS_LEFT);
    ModifyStyle(WS_CAPTION | WS_THICKFRAME, 0);
    CRect client;
    GetClientRect(&client);
    CRgn region;
    region.CreateEllipticRgn(2, 0, client.Width(), client.Height());
    SetWindowRgn(static_cast<HRGN>(region.Detach()), TRUE);
    const CString module = GetModulePath();
    SetDlgItemText(IDC_VERSION, GetPathBaseName(module) + u" Version " + GetModuleVersion(module));
    return TRUE;
}

void CMyAboutDlg::OnPaint()
{
    CPaintDC dc(this);
    if (CWnd* place = GetDlgItem(IDC_APP_ICON)) {
        place->ShowWindow(SW_HIDE);
        CRect rc;
        place->GetWindowRect(&rc);
        ScreenToClient(&rc);
        dc.DrawIcon(rc.left, rc.top, AfxLoadIcon(kAppIcon));
    }
}

void CMyAboutDlg::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_ptDrag = point;
    CBaseColorDialog::OnLButtonDown(nFlags, point);
}

void CMyAboutDlg::OnMouseMove(UINT nFlags, CPoint point)
{
    if (nFlags == MK_LBUTTON) {
        const CPoint offset(point.x - m_ptDrag.x, point.y - m_ptDrag.y);
        if (offset.x != 0 || offset.y != 0) {
            CRect rc;
            GetWindowRect(&rc);
            rc.OffsetRect(offset.x, offset.y);
            MoveWindow(&rc, TRUE);
        }
    }
    CBaseColorDialog::OnMouseMove(nFlags, point);
}

void CMyAboutDlg::OnLink() { ShellOpenAsync(kProjectAddress); }

void CMyAboutDlg::OnOK()
{
    PlayClosingAnimation();
    EndDialog(IDOK);
}

// Over a copy of the screen where the platform allows one (X11); elsewhere the box fades.
void CMyAboutDlg::PlayClosingAnimation()
{
    QWidget* box = WindowWidget(*this);
    if (!box || !box->isVisible())
        return;
    const QRect area = box->frameGeometry();
    const int w = area.width(), h = area.height();
    QScreen* screen = box->screen();
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !screen || w <= 0 || h <= 0) {
        for (int step = 10; step >= 0; --step) {
            box->setWindowOpacity(step / 10.0);
            box->repaint();
            QThread::msleep(15);
        }
        return;
    }
    const QPoint origin(area.left() - w / 2, area.top() - h / 2);
    const QPixmap background = screen->grabWindow(0, origin.x(), origin.y(), 3 * w, 3 * h);
    const QPixmap picture = screen->grabWindow(0, area.left(), area.top(), w, h);
    QLabel stage;
    stage.setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    stage.setGeometry(origin.x(), origin.y(), 3 * w, 3 * h);
    // The screen as it is, so the stage's first exposure shows no empty window.
    stage.setPixmap(background);
    stage.show();
    WaitUntilExposed(stage);
    QImage canvas(3 * w, 3 * h, QImage::Format_RGB32);
    for (const AboutAnimationFrame& f : AboutCloseAnimation(w, h)) {
        QPainter p(&canvas);
        p.drawPixmap(0, 0, background);
        p.fillRect(QRect(f.shadow.left, f.shadow.top, f.shadow.Width(), f.shadow.Height()), Qt::black);
        p.drawPixmap(QRect(f.picture.left, f.picture.top, f.picture.Width(), f.picture.Height()), picture);
        p.end();
        stage.setPixmap(QPixmap::fromImage(canvas));
        stage.repaint();
        // Sends the frame to the X server now, not after the whole animation.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(1);
    }
}

void ShowAboutBox()
{
    CMyAboutDlg dlg(0xFFFFFF, 0, nullptr);
    dlg.DoModal();
}

#include "app/torvina_view.h"

#include "app/main_frame.h"
#include "app/player_layout.h"
#include "app/run_schedule.h"
#include "app/run_state.h"
#include "app/torvina_doc.h"
#include "dialogs/avi_set_dlg.h"
#include "dialogs/output_dlg.h"
#include "dialogs/resize_dlg.h"
#include "dialogs/shorityu.h"
#include "dialogs/wmv_set_dlg.h"
#include "foundation/do_events.h"
#include "foundation/file_path.h"
#include "foundation/folder_listing.h"
#include "foundation/localized_string.h"
#include "foundation/status_text.h"
#include "platform/afx/cfiledialog.h"
#include "platform/afx/cframewnd.h"
#include "platform/afx/cmenu.h"
#include "platform/afx/cwinapp.h"
#include "platform/afx/ddx.h"
#include "platform/afx/message_box.h"
#include "platform/win/clock.h"
#include "resources/resource_ids.h"
#include "ui/browse.h"
#include "ui/draw_helpers.h"

IMPLEMENT_DYNCREATE(CTorvinaView, CBaseView)

BEGIN_MESSAGE_MAP(CTorvinaView, CBaseView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_HSCROLL()
    ON_WM_MOUSEWHEEL()
    ON_WM_CONTEXTMENU()
    ON_COMMAND(ID_OPEN_FOLDER, OnOpenFolder)
    ON_UPDATE_COMMAND_UI(ID_OPEN_FOLDER, OnUpdateOpenFolder)
    ON_COMMAND_RANGE(ID_INPUT_JPG, ID_INPUT_PNG, OnInputType)
    ON_UPDATE_COMMAND_UI(ID_INPUT_JPG, OnUpdateInputType)
    ON_UPDATE_COMMAND_UI(ID_INPUT_BMP, OnUpdateInputType)
    ON_UPDATE_COMMAND_UI(ID_INPUT_TIF, OnUpdateInputType)
    ON_UPDATE_COMMAND_UI(ID_INPUT_PNG, OnUpdateInputType)
    ON_COMMAND_RANGE(ID_ZOOM_25, ID_ZOOM_400, OnZoom)
    ON_UPDATE_COMMAND_UI(ID_ZOOM_25, OnUpdateZoom)
    ON_UPDATE_COMMAND_UI(ID_ZOOM_50, OnUpdateZoom)
    ON_UPDATE_COMMAND_UI(ID_ZOOM_100, OnUpdateZoom)
    ON_UPDATE_COMMAND_UI(ID_ZOOM_150, OnUpdateZoom)
    ON_UPDATE_COMMAND_UI(ID_ZOOM_200, OnUpdateZoom)
    ON_UPDATE_COMMAND_UI(ID_ZOOM_400, OnUpdateZoom)
    ON_COMMAND(ID_MOVE_FIRST, OnMoveFirst)
    ON_UPDATE_COMMAND_UI(ID_MOVE_FIRST, OnUpdateMovePrev)
    ON_COMMAND(ID_MOVE_PREV, OnMovePrev)
    ON_UPDATE_COMMAND_UI(ID_MOVE_PREV, OnUpdateMovePrev)
    ON_COMMAND(ID_MOVE_NEXT, OnMoveNext)
    ON_UPDATE_COMMAND_UI(ID_MOVE_NEXT, OnUpdateMoveNext)
    ON_COMMAND(ID_MOVE_LAST, OnMoveLast)
    ON_UPDATE_COMMAND_UI(ID_MOVE_LAST, OnUpdateMoveNext)
    ON_COMMAND(ID_CLIP_RESIZE, OnClipResize)
    ON_UPDATE_COMMAND_UI(ID_CLIP_RESIZE, OnUpdateClipResize)
    ON_COMMAND(ID_RESIZE, OnClipResize)
    ON_COMMAND(ID_DISPLAY, OnDisplay)
    ON_COMMAND(ID_SHOW_SOURCE, OnShowSource)
    ON_UPDATE_COMMAND_UI(ID_SHOW_SOURCE, OnUpdateShowSource)
    ON_COMMAND(ID_VIEWER, OnViewerClosed)
    ON_COMMAND(ID_PLAY, OnPlay)
    ON_UPDATE_COMMAND_UI(ID_PLAY, OnUpdatePlay)
    ON_COMMAND(ID_PAUSE, OnPause)
    ON_UPDATE_COMMAND_UI(ID_PAUSE, OnUpdatePause)
    ON_COMMAND(ID_STOP, OnStop)
    ON_UPDATE_COMMAND_UI(ID_STOP, OnUpdateStop)
    ON_COMMAND(ID_OUTPUT_SETTING, OnOutputSetting)
END_MESSAGE_MAP()

namespace {

constexpr COLORREF kBackground = 0x808080;
constexpr COLORREF kFrameBoxColour = 0x00FF00;
constexpr int kSliderHeight = 30;
constexpr RECT kStateBox{10, 3, 150, 22};
constexpr RECT kFrameBox{160, 3, 360, 22};
constexpr RECT kTimeBox{370, 3, 560, 22};
constexpr UINT kTextFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
constexpr const char16_t* kPatterns[] = {u"/*.jpg", u"/*.bmp", u"/*.tif", u"/*.png"};

// Draws through a device context of the window, released however the drawing ends.
class WindowDC {
public:
    explicit WindowDC(CWnd* wnd) : m_wnd(wnd), m_dc(wnd->GetDC()) {}
    ~WindowDC() { m_wnd->ReleaseDC(m_dc); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    CDC* get() const { return m_dc; }

private:
    CWnd* m_wnd;
    CDC* m_dc;
};

} // namespace

CTorvinaView::CTorvinaView() = default;

CTorvinaView::~CTorvinaView()
{
    m_viewer.Release();
    m_resizeDlg.Release();
    m_pBits = nullptr;
    m_run.ReleaseFrames();
    m_images.RemoveAll();
}

CTorvinaDoc* CTorvinaView::GetDocument() const { return static_cast<CTorvinaDoc*>(m_pDocument); }

CMainFrame* CTorvinaView::MainFrame() const { return dynamic_cast<CMainFrame*>(AfxGetMainWnd()); }

bool CTorvinaView::IsIdle() { return GetDocument()->IsIdle(); }

int CTorvinaView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CBaseView::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_slider.Create(u"msctls_trackbar32", nullptr, WS_CHILD | TBS_AUTOTICKS | TBS_ENABLESELRANGE, CRect(0, 0, 0, 0),
                    this, IDC_SLIDER);
    return 0;
}

void CTorvinaView::OnSize(UINT, int, int) { LayoutSlider(); }

void CTorvinaView::OnDraw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    FillRectColor(pDC, client, kBackground);
    if (m_pBits) {
        DrawFrameOn(pDC);
        DrawStatusOn(pDC);
    }
}

void CTorvinaView::OnDropPath(CString path)
{
    if (AcceptsDroppedPath(GetDocument()->m_nRunState, m_run.InProgress()))
        SetInputFolder(path);
}

void CTorvinaView::OnOpenFolder()
{
    CBrowse browse;
    const CString folder = browse.Browse(m_strFolder, this);
    if (!folder.IsEmpty())
        SetInputFolder(folder);
}

void CTorvinaView::OnUpdateOpenFolder(CCmdUI* pCmdUI) { pCmdUI->Enable(IsIdle()); }

void CTorvinaView::SetInputFolder(CString path)
{
    m_strFolder = path;
    ReloadFolder();
    if (m_images.GetSize() == 0)
        return;
    CString input;
    input.Format(u"Input : %s", static_cast<LPCWSTR>(m_strFolder));
    if (CWnd* main = AfxGetMainWnd())
        main->SetWindowText(CString(u"Torvina - ") + input);
    GetDocument()->m_strAviPath = m_strFolder + u"/Enc.avi";
    GetDocument()->m_strWmvPath = m_strFolder + u"/Enc.wmv";
    Invalidate(TRUE);
}

void CTorvinaView::ReloadFolder()
{
    if (CMainFrame* frame = MainFrame())
        frame->SetStatusText(u"FileName");
    m_run.ReleaseFrames();
    m_pBits = nullptr;
    HandViewerTheFrame();
    m_resizeDlg.Release();
    m_nIndex = 0;
    ScanFolder();
    LayoutSlider();
    Invalidate(TRUE);
    if (m_images.GetSize() == 0)
        return;
    if (!LoadFrame()) {
        ReportError(kErrorFirstPictureLoad);
        return;
    }
    CTorvinaDoc* doc = GetDocument();
    const BITMAPINFOHEADER* frame = m_run.Frame();
    doc->m_bihSource = *frame;
    m_pBits = reinterpret_cast<const BYTE*>(frame) + sizeof(BITMAPINFOHEADER);
    doc->m_rcClip = RECT{0, 0, frame->biWidth, frame->biHeight};
    doc->m_bihOutput = doc->m_bihSource;
    HandViewerTheFrame();
    DrawFrame();
    DrawStatus();
}

int CTorvinaView::ScanFolder()
{
    const int type = GetDocument()->m_nInputType;
    const CString pattern = kPatterns[type >= 0 && type < 4 ? type : 0];
    m_images.RemoveAll();
    CArray<CFileData> files;
    CStringArray folders;
    EnumerateFolder(files, folders, m_strFolder, pattern);
    for (int i = 0; i < files.GetSize(); ++i)
        m_images.Add(files[i].path);
    m_images.BubbleSort();
    return m_images.GetSize();
}

void CTorvinaView::LayoutSlider()
{
    if (!m_slider.m_hWnd)
        return;
    CRect client;
    GetClientRect(&client);
    const CRect strip(client.left, client.bottom - kSliderHeight, client.right, client.bottom);
    m_slider.MoveWindow(strip.left, strip.top, strip.Width(), kSliderHeight, TRUE);
    m_slider.ShowWindow(SW_SHOW);
    const int count = m_images.GetSize();
    m_slider.SetRange(0, count - 1, FALSE);
    m_slider.SetPos(m_nIndex);
    m_slider.SetTicFreq(SliderTickFrequency(count));
    m_slider.SetSelection(0, count - 1);
    m_slider.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    InvalidateRect(&strip, TRUE);
}

BOOL CTorvinaView::LoadFrame()
{
    if (m_nIndex < 0 || m_nIndex >= m_images.GetSize())
        return m_run.Frame() != nullptr;
    const BITMAPINFOHEADER* frame = m_run.LoadFrame(m_images, m_nIndex);
    FollowFrame(frame);
    return frame != nullptr;
}

void CTorvinaView::ShowFrame(const BITMAPINFOHEADER* frame)
{
    FollowFrame(frame);
    if (frame)
        RedrawViewer();
}

void CTorvinaView::FollowFrame(const BITMAPINFOHEADER* frame)
{
    // A frame read ahead comes in its own block: the view and the viewer follow it before any
    // drawing, as the block they held is read into by the next read.
    if (frame && m_pBits)
        ShowBlockOf(frame);
    // The failed load released the block: neither the viewer nor the view's own painting, which
    // the error box lets through, may draw from it.
    if (!frame && m_pBits)
        ClearBits();
    if (m_slider.m_hWnd)
        m_slider.SetPos(m_nIndex);
    ShowFileName();
}

void CTorvinaView::ReportError(int code) { m_run.ReportError(code, GetDocument()->m_info); }

BOOL CTorvinaView::IsSourceSize()
{
    const CTorvinaDoc* doc = GetDocument();
    return ::IsSourceSize(doc->m_bihSource, doc->m_bihOutput, doc->m_rcClip);
}

void CTorvinaView::ShowFileName()
{
    if (CMainFrame* frame = MainFrame(); frame && m_nIndex >= 0 && m_nIndex < m_images.GetSize())
        frame->SetStatusText(GetPathFileName(m_images[m_nIndex]));
}

void CTorvinaView::ClearBits()
{
    m_pBits = nullptr;
    HandViewerTheFrame();
}

void CTorvinaView::ShowBlockOf(const BITMAPINFOHEADER* frame)
{
    const BYTE* bits = reinterpret_cast<const BYTE*>(frame) + sizeof(BITMAPINFOHEADER);
    if (bits == m_pBits)
        return;
    m_pBits = bits;
    if (m_viewer.m_pObject)
        m_viewer.m_pObject->MoveFrame(m_pBits);
}

void CTorvinaView::HandViewerTheFrame()
{
    if (m_viewer.m_pObject)
        m_viewer.m_pObject->SetFrame(m_pBits, GetDocument()->m_bihSource);
}

void CTorvinaView::DrawFrame()
{
    if (!m_pBits || !m_hWnd)
        return;
    WindowDC dc(this);
    DrawFrameOn(dc.get());
}

void CTorvinaView::DrawStatus()
{
    if (!m_hWnd)
        return;
    WindowDC dc(this);
    DrawStatusOn(dc.get());
}

void CTorvinaView::DrawFrameOn(CDC* pDC)
{
    CTorvinaDoc* doc = GetDocument();
    if (!m_pBits)
        return;
    CRect client;
    GetClientRect(&client);
    PreviewBlit blit{};
    if (!ComputePreviewBlit(doc->m_bihSource, doc->m_bihOutput, doc->m_rcClip, m_dZoom,
                            SIZE{client.Width(), client.Height()}, blit))
        return;
    pDC->SetStretchBltMode(COLORONCOLOR);
    BITMAPINFO info{};
    info.bmiHeader = doc->m_bihSource;
    StretchDIBits(pDC->m_hDC, blit.xDest, blit.yDest, blit.destWidth, blit.destHeight, blit.xSrc, blit.ySrc,
                  blit.srcWidth, blit.srcHeight, m_pBits, &info, DIB_RGB_COLORS, SRCCOPY);
}

void CTorvinaView::DrawStatusOn(CDC* pDC)
{
    CTorvinaDoc* doc = GetDocument();
    const int count = m_images.GetSize();
    if (m_pBits) {
        FillRectColor(pDC, kFrameBox, kFrameBoxColour);
        DrawTextColor(pDC, FormatFrameBox(m_nIndex, count), kFrameBox, 0, kTextFormat, nullptr);
    }
    const bool outputOn = doc->m_bMakeAvi || doc->m_bMakeWmv;
    const StateLook look = StateBoxLook(doc->m_nRunState, outputOn, m_run.IsFirstOfTwoPasses());
    if (m_pBits) {
        FillRectColor(pDC, kStateBox, look.colour);
        DrawTextColor(pDC, look.text, kStateBox, 0, kTextFormat, nullptr);
    }
    if (doc->m_nRunState != RunState::Stopped) {
        FillRectColor(pDC, kTimeBox, look.colour);
        const PassTimes times = ComputePassTimes(m_run.Timer().GetTotal(), m_nIndex, count);
        DrawTextColor(pDC, FormatTimeBox(times), kTimeBox, 0, kTextFormat, nullptr);
    }
}

void CTorvinaView::UpdateOutputImageSize()
{
    BITMAPINFOHEADER& output = GetDocument()->m_bihOutput;
    output.biSizeImage = static_cast<DWORD>(OutputFrameBytes(output));
}

void CTorvinaView::OnZoom(UINT nID)
{
    m_dZoom = ZoomOfCommand(nID);
    Invalidate(TRUE);
    UpdateOutputImageSize();
}

void CTorvinaView::OnUpdateZoom(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_dZoom == ZoomOfCommand(pCmdUI->m_nID) ? 1 : 0); }

BOOL CTorvinaView::OnMouseWheel(UINT, short zDelta, CPoint)
{
    m_dZoom = WheelZoom(m_dZoom, zDelta);
    Invalidate(FALSE);
    return TRUE;
}

void CTorvinaView::OnDisplay()
{
    Invalidate(TRUE);
    UpdateOutputImageSize();
}

void CTorvinaView::OnInputType(UINT nID)
{
    GetDocument()->m_nInputType = static_cast<int>(nID - ID_INPUT_JPG);
    ReloadFolder();
}

void CTorvinaView::OnUpdateInputType(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(static_cast<int>(pCmdUI->m_nID - ID_INPUT_JPG) == GetDocument()->m_nInputType ? 1 : 0);
    pCmdUI->Enable(IsIdle());
}

void CTorvinaView::ShowIndex(int index)
{
    m_nIndex = index;
    ShowSliderFrame();
    Invalidate(TRUE);
}

void CTorvinaView::OnMoveFirst() { ShowIndex(0); }
void CTorvinaView::OnMovePrev() { ShowIndex(m_nIndex - 1); }
void CTorvinaView::OnMoveNext() { ShowIndex(m_nIndex + 1); }
void CTorvinaView::OnMoveLast() { ShowIndex(m_images.GetSize() - 1); }

void CTorvinaView::OnUpdateMovePrev(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(IsIdle() && m_images.GetSize() > 0 && m_nIndex != 0);
}

void CTorvinaView::OnUpdateMoveNext(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(IsIdle() && m_images.GetSize() > 0 && m_nIndex != m_images.GetSize() - 1);
}

void CTorvinaView::ShowSliderFrame()
{
    if (!LoadFrame()) {
        ReportError(kErrorPictureLoad);
        ClearBits();
    }
    RedrawViewer();
}

void CTorvinaView::OnHScroll(UINT, UINT, CScrollBar*)
{
    if (!IsIdle() || m_images.GetSize() == 0) {
        // No seeking while a run is in progress or unwinds: the slider springs back.
        m_slider.SetPos(m_nIndex);
        return;
    }
    if (GetAsyncKeyState(VK_LBUTTON) == 0)
        return;
    m_nIndex = m_slider.SetPosFromCursor();
    ShowSliderFrame();
    Invalidate(TRUE);
    SetFocus();
}

void CTorvinaView::OnClipResize()
{
    if (m_resizeDlg.m_pObject) {
        m_resizeDlg.Release();
        return;
    }
    CTorvinaDoc* doc = GetDocument();
    auto* dialog = new CResizeDlg(this, doc->m_bihSource, &doc->m_bihOutput, &doc->m_rcClip, ID_DISPLAY, ID_RESIZE);
    m_resizeDlg.Attach(dialog);
    dialog->Open();
}

void CTorvinaView::OnUpdateClipResize(CCmdUI* pCmdUI)
{
    CTorvinaDoc* doc = GetDocument();
    pCmdUI->SetCheck(IsSourceSize() ? 0 : 1);
    // Also before the frames (the output buffer is sized) and after them, while the run unwinds.
    const bool runWithOutput = !IsIdle() && (doc->m_bMakeAvi || doc->m_bMakeWmv);
    pCmdUI->Enable(m_images.GetSize() > 0 && !runWithOutput);
}

void CTorvinaView::OnShowSource()
{
    if (m_viewer.m_pObject) {
        m_viewer.Release();
        return;
    }
    auto* viewer = new CShorityu(m_pBits, GetDocument()->m_bihSource, ID_VIEWER);
    m_viewer.Attach(viewer);
    viewer->CreatePopup(this, WS_VISIBLE | WS_SYSMENU);
}

void CTorvinaView::OnUpdateShowSource(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_viewer.m_pObject ? 1 : 0);
    pCmdUI->Enable(m_images.GetSize() > 0);
}

void CTorvinaView::OnViewerClosed() { m_viewer.Release(); }

void CTorvinaView::OnContextMenu(CWnd*, CPoint point)
{
    CMenu menu;
    if (!menu.LoadMenu(IsJapaneseSystem() ? IDR_CONTEXT_JAPANESE : IDR_CONTEXT_ENGLISH))
        return;
    CMenu* popup = menu.GetSubMenu(0);
    if (!popup)
        return;
    CWnd* main = AfxGetMainWnd();
    const UINT chosen = static_cast<UINT>(
        popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RETURNCMD, point.x, point.y, main ? main : this));
    if (chosen > 0 && main)
        main->PostMessage(WM_COMMAND, chosen, 0);
}

RunInputs CTorvinaView::Inputs()
{
    CTorvinaDoc* doc = GetDocument();
    RunInputs inputs;
    inputs.folder = m_strFolder;
    inputs.images = m_images;
    inputs.frameShown = m_pBits != nullptr;
    inputs.makeAvi = doc->m_bMakeAvi;
    inputs.makeWmv = doc->m_bMakeWmv;
    inputs.aviPath = doc->m_strAviPath;
    inputs.wmvPath = doc->m_strWmvPath;
    inputs.source = doc->m_bihSource;
    inputs.output = doc->m_bihOutput;
    inputs.clip = doc->m_rcClip;
    inputs.settings = &doc->m_info;
    inputs.displayRate = &doc->m_nDispRate;
    return inputs;
}

void CTorvinaView::OnPlay() { m_run.Play(Inputs()); }

void CTorvinaView::OnUpdatePlay(CCmdUI* pCmdUI) { pCmdUI->Enable(m_run.CanPlay(m_images.GetSize())); }

void CTorvinaView::OnPause() { m_run.Pause(); }

void CTorvinaView::OnUpdatePause(CCmdUI* pCmdUI)
{
    const RunState state = GetDocument()->m_nRunState;
    pCmdUI->Enable(state == RunState::Running || state == RunState::Paused);
    pCmdUI->SetCheck(state == RunState::Paused ? 1 : 0);
}

void CTorvinaView::OnStop() { m_run.Stop(); }

void CTorvinaView::OnUpdateStop(CCmdUI* pCmdUI)
{
    const RunState state = GetDocument()->m_nRunState;
    pCmdUI->Enable(state == RunState::Running || state == RunState::Paused);
}

BOOL CTorvinaView::AskSavePath(LPCTSTR defaultExt, LPCTSTR filter, CString& path)
{
    CFileDialog dialog(FALSE, defaultExt, path, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter);
    if (dialog.DoModal() == IDCANCEL)
        return FALSE;
    path = dialog.GetPathName();
    return TRUE;
}

// The document keeps the chosen path: the next run's dialog starts from it.
BOOL CTorvinaView::AskAviPath(CString& path)
{
    if (!AskSavePath(u"AVI", u"AVI (*.AVI)|*.avi|", path))
        return FALSE;
    GetDocument()->m_strAviPath = path;
    return TRUE;
}

BOOL CTorvinaView::AskWmvPath(CString& path)
{
    if (!AskSavePath(u"WMV", u"WMV (*.WMV)|*.wmv|", path))
        return FALSE;
    GetDocument()->m_strWmvPath = path;
    return TRUE;
}

BOOL CTorvinaView::AskOutputPath(Output output, CString& path)
{
    return output == Output::Avi ? AskAviPath(path) : AskWmvPath(path);
}

RunState CTorvinaView::GetRunState() { return GetDocument()->m_nRunState; }
void CTorvinaView::SetRunState(RunState state) { GetDocument()->m_nRunState = state; }
void CTorvinaView::SetModified(BOOL modified) { GetDocument()->SetModifiedFlag(modified); }

void CTorvinaView::CloseResizeDialog() { m_resizeDlg.Release(); }

void CTorvinaView::RedrawViewer()
{
    if (m_viewer.m_pObject)
        m_viewer.m_pObject->DrawImage();
}

int CTorvinaView::EditAviSettings(const BITMAPINFOHEADER& output, CEncAVISetting* setting)
{
    return ::EditAviSettings(&output, setting, AfxGetMainWnd());
}

int CTorvinaView::EditWmvSettings(CInfo& info) { return ::EditWmvSettings(&info, this); }

void CTorvinaView::ShowErrorBox(const CString& text, const CString& caption)
{
    MessageBox(m_hWnd, text, caption, MB_OK | MB_ICONERROR);
}

void CTorvinaView::ShowSavedBox(const CString& text) { AfxMessageBox(text, MB_OK); }

BOOL CTorvinaView::ConfirmStop()
{
    return MessageBox(m_hWnd, GetStopPromptText(), u"STOP", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void CTorvinaView::Beep() { MessageBeep(MB_OK); }

void CTorvinaView::PumpMessages() { DoEvents(); }

void CTorvinaView::Sleep(DWORD ms) { ::Sleep(ms); }

// Available at any time, also during a run: a new rate changes only the following frames' silence.
void CTorvinaView::OnOutputSetting() { EditOutputSetting(GetDocument()->m_info, AfxGetMainWnd()); }

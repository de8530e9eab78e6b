// The player view: lists the images of one type in the chosen folder, shows the current one at a
// zoom with a status strip above and a seek slider below, moves through the list, opens the
// clip-and-resize dialog and the source-image viewer, and runs the conversion on Play.
#pragma once

#include "app/conversion_run.h"
#include "foundation/string_array_data.h"
#include "ui/base_view.h"
#include "ui/slider_select.h"

class CResizeDlg;
class CShorityu;
class CTorvinaDoc;
class CMainFrame;

class CTorvinaView : public CBaseView, private RunView {
    DECLARE_DYNCREATE(CTorvinaView)

public:
    CTorvinaView();
    ~CTorvinaView() override;

    CTorvinaDoc* GetDocument() const;
    void OnDraw(CDC* pDC) override;
    void OnDropPath(CString path) override;

    void SetInputFolder(CString path);
    // Lists the folder anew for the input type and shows its first image.
    void ReloadFolder();
    int ScanFolder();
    void LayoutSlider();
    void ShowSliderFrame();
    void DrawFrame() override;
    void DrawStatus() override;
    // Loads the image at the index into the frame block; FALSE when it did not load.
    BOOL LoadFrame();
    void ShowFileName();
    void ReportError(int code);
    BOOL IsSourceSize();
    BOOL AskAviPath(CString& path);
    BOOL AskWmvPath(CString& path);

    const CStringArrayData& GetImages() const { return m_images; }
    int GetIndex() const { return m_nIndex; }
    double GetZoom() const { return m_dZoom; }
    CSliderSelect& GetSlider() { return m_slider; }
    CConversionRun& GetRun() { return m_run; }
    bool IsViewerOpen() const { return m_viewer.m_pObject != nullptr; }
    bool IsResizeDialogOpen() const { return m_resizeDlg.m_pObject != nullptr; }

    DECLARE_MESSAGE_MAP()

public:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    void OnContextMenu(CWnd* pWnd, CPoint point);
    void OnOpenFolder();
    void OnUpdateOpenFolder(CCmdUI* pCmdUI);
    void OnInputType(UINT nID);
    void OnUpdateInputType(CCmdUI* pCmdUI);
    void OnZoom(UINT nID);
    void OnUpdateZoom(CCmdUI* pCmdUI);
    void OnMoveFirst();
    void OnMovePrev();
    void OnMoveNext();
    void OnMoveLast();
    void OnUpdateMovePrev(CCmdUI* pCmdUI);
    void OnUpdateMoveNext(CCmdUI* pCmdUI);
    void OnClipResize();
    void OnUpdateClipResize(CCmdUI* pCmdUI);
    void OnDisplay();
    void OnShowSource();
    void OnUpdateShowSource(CCmdUI* pCmdUI);
    void OnViewerClosed();
    void OnPlay();
    void OnUpdatePlay(CCmdUI* pCmdUI);
    void OnPause();
    void OnUpdatePause(CCmdUI* pCmdUI);
    void OnStop();
    void OnUpdateStop(CCmdUI* pCmdUI);
    void OnOutputSetting();

private:
    // What the run shows and asks.
    RunState GetRunState() override;
    void SetRunState(RunState state) override;
    void SetModified(BOOL modified) override;
    void SetIndex(int index) override { m_nIndex = index; }
    void ShowFrame(const BITMAPINFOHEADER* frame) override;
    void CloseResizeDialog() override;
    void InvalidateView() override { Invalidate(TRUE); }
    BOOL AskOutputPath(Output output, CString& path) override;
    int EditAviSettings(const BITMAPINFOHEADER& output, CEncAVISetting* setting) override;
    int EditWmvSettings(CInfo& info) override;
    void ShowErrorBox(const CString& text, const CString& caption) override;
    void ShowSavedBox(const CString& text) override;
    BOOL ConfirmStop() override;
    void Beep() override;
    void PumpMessages() override;
    void Sleep(DWORD ms) override;

    // What Play hands the run: the document's outputs, formats and settings, and the list.
    RunInputs Inputs();
    CMainFrame* MainFrame() const;
    // After a load: the view and the viewer follow the frame's block, or show none when it failed;
    // the slider and the status bar name the image at the index.
    void FollowFrame(const BITMAPINFOHEADER* frame);
    void ClearBits();
    void RedrawViewer();
    bool IsIdle();
    // The viewer follows the frame block, so it never draws from one that is gone.
    void HandViewerTheFrame();
    // The shown frame, of the folder's size, is now in frame's block.
    void ShowBlockOf(const BITMAPINFOHEADER* frame);
    // After a navigation: load, report a failure, let the viewer repaint, repaint the view.
    void ShowIndex(int index);
    void UpdateOutputImageSize();
    void DrawFrameOn(CDC* pDC);
    void DrawStatusOn(CDC* pDC);
    BOOL AskSavePath(LPCTSTR defaultExt, LPCTSTR filter, CString& path);

    // The run owns the pipeline, the writers, the silence and output buffers, the stopwatch and
    // the frame block with the frames read ahead.
    CConversionRun m_run{*this};
    CMemBuffClassBase<CResizeDlg> m_resizeDlg;
    CMemBuffClassBase<CShorityu> m_viewer;
    CSliderSelect m_slider;
    CString m_strFolder;
    CStringArrayData m_images;
    double m_dZoom = 1.0;
    const BYTE* m_pBits = nullptr;
    int m_nIndex = 0;
};

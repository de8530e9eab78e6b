// The modeless clip-and-resize dialog: edits the owner's output frame size and clip rectangle in
// place, tells the owner after every change, and stores the six values when closed.
#pragma once

#include "platform/afx/controls.h"
#include "ui/base_dialog.h"

class CResizeDlg : public CBaseDialog {
public:
    // Applies the stored size and clip to *pbihOutput and *prcClip at once.
    CResizeDlg(CWnd* pOwner, BITMAPINFOHEADER bihSource, BITMAPINFOHEADER* pbihOutput, RECT* prcClip, UINT nPreviewCmd,
               UINT nDoneCmd);
    ~CResizeDlg() override;

    BOOL Open();
    // Stores the six values, then sends the done command; the owner may delete the dialog in it.
    virtual void SaveSettings();
    void UpdateSize();

    DECLARE_MESSAGE_MAP()

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

public:
    void OnChangeWidth();
    void OnChangeHeight();
    void OnChangeClipTop();
    void OnChangeClipLeft();
    void OnChangeClipRight();
    void OnChangeClipBottom();
    void OnClear();
    void OnSave();
    void OnClose();
    void OnPreset160x120();
    void OnPreset176x144();
    void OnPreset320x240();
    void OnPreset480x360();
    void OnPreset512x288();
    void OnPreset640x360();
    void OnPreset720x480();
    void OnPreset640x480();

private:
    void SendToOwner(UINT nCmd);
    // The typed value of an edit, or nothing before initialisation attached its spin.
    bool ReadEdit(const CSpinButtonCtrl& spin, int nID, int& value) const;
    void FollowClip();
    void SetPreset(int width, int height);

    BITMAPINFOHEADER m_bihSource;
    BITMAPINFOHEADER* m_pbihOutput;
    RECT* m_prcClip;
    UINT m_nPreviewCmd;
    UINT m_nDoneCmd;
    CSpinButtonCtrl m_spinWidth;
    CSpinButtonCtrl m_spinHeight;
    CSpinButtonCtrl m_spinBottom;
    CSpinButtonCtrl m_spinRight;
    CSpinButtonCtrl m_spinLeft;
    CSpinButtonCtrl m_spinTop;
    // What the edits show; the output header gets the size clamped to a valid one.
    int m_nWidth;
    int m_nHeight;
    int m_nClipBottom;
    int m_nClipLeft;
    int m_nClipRight;
    int m_nClipTop;
};

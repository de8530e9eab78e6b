#include "dialogs/bat_encode_dlg.h"

#include "dialogs/list_rows.h"
#include "foundation/localized_string.h"
#include "foundation/power_action.h"
#include "foundation/profile_access.h"
#include "platform/afx/cfiledialog.h"
#include "platform/afx/cwinapp.h"
#include "platform/afx/ddx.h"
#include "resources/aux_dialog_ids.h"
#include "resources/string_ids.h"
#include "ui/dialog_texts.h"

namespace {

constexpr UINT_PTR kTrayTimer = 1;
constexpr UINT kTrayTimerMs = 5000;
constexpr LPCWSTR kSection = u"data";
constexpr LPCWSTR kEndActionKey = u"ShutDown";

// A row for each of kBatchEndValues.
constexpr std::array<UINT, kBatchEndValues.size()> kEndActionTexts = {
    strings::kBatchEndNothing, strings::kBatchEndShutdown, strings::kBatchEndSuspend, strings::kBatchEndHibernate,
    strings::kBatchEndExit};

HICON ApplicationIcon()
{
    CWinApp* app = AfxGetApp();
    return app ? app->LoadIcon(IDR_MAINFRAME) : AfxLoadIcon(IDR_MAINFRAME);
}

constexpr DialogText kTexts[] = {
    {IDC_BAT_INSTRUCTION, strings::kBatchInstruction},
    {IDC_BAT_ADD, strings::kBatchAdd},
    {IDC_BAT_DELETE, strings::kBatchDelete},
    {IDC_BAT_TRAY, strings::kBatchTray},
    {IDC_BAT_START, strings::kBatchStart},
    {IDC_BAT_STOP, strings::kBatchStop},
    {IDC_BAT_END_LABEL, strings::kBatchEndLabel},
};

} // namespace

BatchEnd BatchEndOf(int row)
{
    if (row < 0 || row >= static_cast<int>(kBatchEndValues.size()))
        return {};
    if (row == kBatchEndExitRow)
        return {BatchEndKind::ExitProgram, 0};
    const int value = kBatchEndValues[static_cast<size_t>(row)];
    return value == -5 ? BatchEnd{} : BatchEnd{BatchEndKind::Power, value};
}

BEGIN_MESSAGE_MAP(CBatEncodeDlg, CBaseDialog)
    ON_BN_CLICKED(IDC_BAT_START, OnBatStart)
    ON_BN_CLICKED(IDC_BAT_STOP, OnBatStop)
    ON_BN_CLICKED(IDC_BAT_DELETE, OnFileDelete)
    ON_BN_CLICKED(IDC_BAT_ADD, OnFileAdd)
    ON_BN_CLICKED(IDC_BAT_TRAY, OnTaskTray)
    ON_WM_TIMER()
    ON_WM_CLOSE()
    ON_REGISTERED_MESSAGE(WM_TRAYNOTIFY, OnTrayNotify)
END_MESSAGE_MAP()

CBatEncodeDlg::CBatEncodeDlg(CWnd* pOwner, UINT encodeMessage, UINT stopMessage)
    : CBaseDialog(IDD_BATENCODE, pOwner, FALSE, FALSE), m_nEncodeMessage(encodeMessage), m_nStopMessage(stopMessage)
{
}

void CBatEncodeDlg::DoDataExchange(CDataExchange* pDX)
{
    CBaseDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BAT_LIST, m_list);
}

BOOL CBatEncodeDlg::OnInitDialog()
{
    CBaseDialog::OnInitDialog();
    SetDialogTexts(*this, kTexts);
    SetWindowText(LoadLocalizedString(strings::kBatchCaption));
    auto* endAction = static_cast<CComboBox*>(GetDlgItem(IDC_BAT_END_ACTION));
    for (UINT text : kEndActionTexts)
        endAction->AddString(LoadLocalizedString(text));
    endAction->SetCurSel(GetAppProfileInt(kSection, kEndActionKey, 0));
    for (int row = 0; row < static_cast<int>(kBatchEndValues.size()); ++row)
        endAction->SetItemData(row, static_cast<DWORD_PTR>(kBatchEndValues[static_cast<size_t>(row)]));
    return TRUE;
}

void CBatEncodeDlg::EnableForRun(BOOL running)
{
    m_bRunning = running;
    GetDlgItem(IDC_BAT_STOP)->EnableWindow(running);
    GetDlgItem(IDC_BAT_START)->EnableWindow(!running);
    // The list stays as it is while a batch runs: no project is lost or run twice.
    for (int id : {IDC_BAT_ADD, IDC_BAT_DELETE, IDC_BAT_LIST})
        GetDlgItem(id)->EnableWindow(!running);
}

void CBatEncodeDlg::OnBatStart()
{
    // An empty list is no batch: nothing to run and no end action.
    if (m_bRunning || m_list.GetCount() == 0)
        return;
    m_nStop = 0;
    EnableForRun(TRUE);
    const HWND self = m_hWnd;
    while (IsWindow(self) && m_list.GetCount() > 0 && m_nStop == 0) {
        CString path;
        m_list.GetText(0, path);
        m_list.SetCurSel(0);
        if (m_pOwner && IsWindow(m_pOwner->m_hWnd))
            m_pOwner->SendMessage(m_nEncodeMessage, reinterpret_cast<WPARAM>(path.GetString()), 0);
        if (IsWindow(self))
            m_list.DeleteItem(0);
    }
    if (!IsWindow(self))
        return;
    EnableForRun(FALSE);
    UpdateData(TRUE);
    if (m_nStop != 0 || m_bClosed)
        return;
    RunEndAction();
}

void CBatEncodeDlg::RunEndAction()
{
    const int stored = GetAppProfileInt(kSection, kEndActionKey, 0);
    const int selected = static_cast<int>(GetDlgItem(IDC_BAT_END_ACTION)->SendMessage(CB_GETCURSEL));
    WriteAppProfileInt(kSection, kEndActionKey,
                       RowValueOnOk(selected, static_cast<int>(kBatchEndValues.size()), stored));
    const BatchEnd end = BatchEndOf(selected);
    if (end.kind == BatchEndKind::Power) {
        PowerAction(end.powerAction);
    } else if (end.kind == BatchEndKind::ExitProgram) {
        if (CWnd* main = AfxGetMainWnd(); main && IsWindow(main->m_hWnd))
            main->PostMessage(WM_CLOSE);
        CBaseDialog::OnClose();
    }
}

void CBatEncodeDlg::OnBatStop()
{
    m_nStop = 1;
    if (m_pOwner && IsWindow(m_pOwner->m_hWnd))
        m_pOwner->SendMessage(m_nStopMessage, 0, 0);
}

void CBatEncodeDlg::OnClose()
{
    // Closing during a batch stops it; no end action follows a closed dialog.
    if (m_bRunning) {
        m_bClosed = TRUE;
        OnBatStop();
    }
    CBaseDialog::OnClose();
}

void CBatEncodeDlg::OnFileDelete()
{
    if (!m_bRunning)
        m_list.DeleteSelected();
}

void CBatEncodeDlg::OnFileAdd()
{
    if (m_bRunning)
        return;
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       u"ProjectFile(*.INI)|*.ini|", nullptr, 0, TRUE);
    if (dialog.DoModal() != IDOK)
        return;
    for (const CString& path : dialog.GetPathNames()) {
        const int selected = m_list.GetCurSel();
        m_list.InsertItem(selected == LB_ERR ? -1 : selected, path);
    }
}

void CBatEncodeDlg::OnTaskTray()
{
    AddTrayIcon(WM_TRAYNOTIFY, u"BatEncode", ApplicationIcon());
    // Without a notification area nothing could bring the windows back: they stay.
    if (!TrayIcon().IsAdded())
        return;
    ShowWindow(SW_HIDE);
    if (CWnd* main = AfxGetMainWnd(); main && IsWindow(main->m_hWnd))
        main->ShowWindow(SW_HIDE);
    SetTimer(kTrayTimer, kTrayTimerMs, nullptr);
}

void CBatEncodeDlg::OnTimer(UINT_PTR nIDEvent)
{
    AddTrayIcon(WM_TRAYNOTIFY, u"BatEncode", ApplicationIcon());
    CBaseDialog::OnTimer(nIDEvent);
}

LRESULT CBatEncodeDlg::OnTrayNotify(WPARAM, LPARAM lParam)
{
    if (static_cast<UINT>(lParam) != WM_LBUTTONDOWN)
        return 0;
    if (CWnd* main = AfxGetMainWnd(); main && IsWindow(main->m_hWnd))
        main->ShowWindow(SW_SHOWNORMAL);
    ShowWindow(SW_SHOWNORMAL);
    DeleteTrayIcon();
    KillTimer(kTrayTimer);
    return 0;
}

#include "dialogs/vob_list_dlg.h"

#include "foundation/folder_listing.h"
#include "foundation/localized_string.h"
#include "foundation/string_array_data.h"
#include "platform/afx/cfiledialog.h"
#include "platform/afx/ddx.h"
#include "resources/aux_dialog_ids.h"
#include "resources/string_ids.h"
#include "ui/browse.h"
#include "ui/dialog_texts.h"

namespace {

constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kRepeatTimerMs = 150;
// Ticks an arrow button is held before it starts repeating.
constexpr int kRepeatAfterTicks = 3;

constexpr DialogText kTexts[] = {
    {IDC_VOB_INSTRUCTION, strings::kVobInstruction},
    {IDC_VOB_ADD, strings::kVobAdd},
    {IDC_VOB_DELETE, strings::kVobDelete},
    {IDC_VOB_UP, strings::kVobUp},
    {IDC_VOB_DOWN, strings::kVobDown},
    {IDC_VOB_FOLDER, strings::kVobFolder},
    {IDC_VOB_RESET, strings::kVobReset},
};

} // namespace

CStringArray ListVobFiles(CString folder)
{
    CArray<CFileData> files;
    CStringArray folders;
    EnumerateFolder(files, folders, folder, u"/*.VOB");
    CStringArrayData paths;
    for (INT_PTR i = 0; i < files.GetSize(); ++i)
        paths.Add(files[i].path);
    paths.BubbleSort();
    CStringArray sorted;
    for (INT_PTR i = 0; i < paths.GetSize(); ++i)
        sorted.Add(paths[i]);
    return sorted;
}

BEGIN_MESSAGE_MAP(CVobListDlg, CBaseDialog)
    ON_BN_CLICKED(IDC_VOB_ADD, OnFileAdd)
    ON_BN_CLICKED(IDC_VOB_DELETE, OnFileDelete)
    ON_BN_CLICKED(IDC_VOB_UP, OnUp)
    ON_BN_CLICKED(IDC_VOB_DOWN, OnDown)
    ON_BN_CLICKED(IDC_VOB_FOLDER, OnFolder)
    ON_BN_CLICKED(IDC_VOB_RESET, OnReset)
    ON_WM_TIMER()
END_MESSAGE_MAP()

CVobListDlg::CVobListDlg(CWnd* pOwner, const CStringArray& files, CString folder)
    : CBaseDialog(IDD_VOBLIST, pOwner, FALSE, FALSE), m_strFolder(folder)
{
    for (INT_PTR i = 0; i < files.GetSize(); ++i)
        m_files.Add(files[i]);
}

void CVobListDlg::DoDataExchange(CDataExchange* pDX)
{
    CBaseDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_VOB_LIST, m_list);
}

BOOL CVobListDlg::OnInitDialog()
{
    CBaseDialog::OnInitDialog();
    SetDialogTexts(*this, kTexts);
    SetWindowText(LoadLocalizedString(strings::kVobCaption));
    for (INT_PTR i = 0; i < m_files.GetSize(); ++i)
        m_list.InsertItem(static_cast<int>(i), m_files[i]);
    SetTimer(kRepeatTimer, kRepeatTimerMs, nullptr);
    return TRUE;
}

void CVobListDlg::CollectFiles()
{
    m_files.RemoveAll();
    for (int i = 0; i < m_list.GetCount(); ++i) {
        CString path;
        m_list.GetText(i, path);
        m_files.Add(path);
    }
}

void CVobListDlg::OnOK()
{
    CollectFiles();
    EndDialog(IDOK);
}

void CVobListDlg::OnCancel() { EndDialog(IDCANCEL); }

void CVobListDlg::OnFileAdd()
{
    CString filter = u"MPEG-2 (*.VOB;*.mpg;*.mpeg)|*.VOB;*.MPG;*.MPEG|";
    filter += LoadLocalizedString(strings::kVobAllFilesFilter);
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter,
                       nullptr, 0, TRUE);
    if (dialog.DoModal() != IDOK)
        return;
    for (const CString& path : dialog.GetPathNames()) {
        const int selected = m_list.GetCurSel();
        m_list.InsertItem(selected == LB_ERR ? -1 : selected, path);
    }
}

void CVobListDlg::OnFileDelete() { m_list.DeleteSelected(); }

void CVobListDlg::OnUp() { m_list.MoveUp(); }

void CVobListDlg::OnDown() { m_list.MoveDown(); }

void CVobListDlg::OnReset() { m_list.ClearItems(); }

void CVobListDlg::OnFolder()
{
    // A cancelled picker leaves the list as edited.
    CBrowse browse;
    if (!browse.Choose(m_strFolder, this, m_strFolder) || m_strFolder.IsEmpty())
        return;
    const CStringArray files = ListVobFiles(m_strFolder);
    m_list.ClearItems();
    for (INT_PTR i = 0; i < files.GetSize(); ++i)
        m_list.InsertItem(static_cast<int>(i), files[i]);
}

BOOL CVobListDlg::RepeatTick(int buttonId)
{
    ++m_nRepeat;
    if (m_nRepeat < kRepeatAfterTicks)
        return FALSE;
    CWnd* button = GetDlgItem(buttonId);
    POINT cursor{};
    GetCursorPos(&cursor);
    CRect rc;
    button->GetWindowRect(&rc);
    return rc.PtInRect(cursor) && GetAsyncKeyState(VK_LBUTTON) != 0;
}

void CVobListDlg::OnTimer(UINT_PTR nIDEvent)
{
    CWnd* captured = CWnd::GetCapture();
    const int capturedId = captured ? captured->GetDlgCtrlID() : 0;
    if (capturedId == IDC_VOB_UP) {
        if (RepeatTick(IDC_VOB_UP))
            m_list.MoveUp();
    } else if (capturedId == IDC_VOB_DOWN) {
        if (RepeatTick(IDC_VOB_DOWN))
            m_list.MoveDown();
    } else {
        CBaseDialog::OnTimer(nIDEvent);
        m_nRepeat = 0;
    }
}

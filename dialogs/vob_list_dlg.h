// An ordered list of MPEG-2 files (the pieces of one recording split over several ".VOB" files),
// filled by the file dialog, by dropped files or from a folder, and reordered by hand.
#pragma once

#include "platform/afx/carray.h"
#include "ui/base_dialog.h"
#include "ui/drag_list_box_ex.h"

// The folder's ".VOB" files (any case, no sub-folders), all of them, ordered by path with the
// letters A to Z folded, as the main image list is.
CStringArray ListVobFiles(CString folder);

class CVobListDlg : public CBaseDialog {
public:
    // files is the list the dialog opens with; folder is where "Folder" starts.
    CVobListDlg(CWnd* pOwner, const CStringArray& files, CString folder);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    // After IDOK the list top to bottom; otherwise the list the dialog opened with.
    const CStringArray& Files() const { return m_files; }
    const CString& Folder() const { return m_strFolder; }
    CDragListBoxEx& FileList() { return m_list; }

    DECLARE_MESSAGE_MAP()

public:
    void OnFileAdd();
    void OnFileDelete();
    void OnUp();
    void OnDown();
    void OnFolder();
    void OnReset();
    void OnTimer(UINT_PTR nIDEvent);

private:
    void CollectFiles();
    // While an arrow button is held: TRUE when this tick should move the row once more.
    BOOL RepeatTick(int buttonId);

    CDragListBoxEx m_list;
    CStringArray m_files;
    int m_nRepeat = 0;
    CString m_strFolder;
};

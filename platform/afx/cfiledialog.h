// The class library's file dialog for opening and saving, on the toolkit's own file dialog.
#pragma once

#include "platform/afx/cstring.h"
#include "platform/win/ui_types.h"

#include <QStringList>

#include <vector>

class CWnd;

constexpr DWORD OFN_READONLY = 0x1, OFN_OVERWRITEPROMPT = 0x2, OFN_HIDEREADONLY = 0x4, OFN_ALLOWMULTISELECT = 0x200,
                OFN_PATHMUSTEXIST = 0x800, OFN_FILEMUSTEXIST = 0x1000, OFN_EXPLORER = 0x80000;

class CFileDialog {
public:
    // filter: "Name|pattern;pattern|Name|pattern|", patterns matched without regard to case.
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr, DWORD dwSize = 0, BOOL bVistaStyle = TRUE);
    virtual ~CFileDialog() = default;

    // IDOK with the chosen path, or IDCANCEL.
    virtual INT_PTR DoModal();
    CString GetPathName() const { return m_pathName; }
    // Every chosen path in the order the dialog gives them (one without OFN_ALLOWMULTISELECT).
    const std::vector<CString>& GetPathNames() const { return m_pathNames; }

private:
    BOOL m_bOpen;
    CString m_defExt;
    CString m_fileName;
    DWORD m_flags;
    CString m_filter;
    CWnd* m_pParent;
    CString m_pathName;
    std::vector<CString> m_pathNames;
};

// The toolkit's name filters for a filter string: "PRX (*.PRX)|*.PRX|" gives "PRX (*.PRX)".
QStringList FileDialogNameFilters(const CString& filter);
// What the dialog shows of each filter: its description exactly as the filter string gives it,
// "MPEG-2 (*.VOB;*.mpg;*.mpeg)|*.VOB;*.MPG;*.MPEG|" shows "MPEG-2 (*.VOB;*.mpg;*.mpeg)".
QStringList FileDialogFilterLabels(const CString& filter);

// The class library's folder search: FindFile starts it, each FindNextFile moves to the next
// match and says whether another follows.
#pragma once

#include "platform/afx/cobject.h"
#include "platform/afx/cstring.h"
#include "platform/win/file.h"

class CFileFind : public CObject {
    DECLARE_DYNAMIC(CFileFind)

public:
    CFileFind() = default;
    ~CFileFind() override;
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;

    // A null name searches "*" in the current folder.
    virtual BOOL FindFile(LPCWSTR name = nullptr, DWORD flags = 0);
    virtual BOOL FindNextFile();
    void Close();

    ULONGLONG GetLength() const;
    virtual CString GetFileName() const;
    virtual CString GetFilePath() const;
    CString GetRoot() const { return m_root; }

    BOOL MatchesMask(DWORD mask) const { return (m_found.dwFileAttributes & mask) ? TRUE : FALSE; }
    BOOL IsDirectory() const { return MatchesMask(FILE_ATTRIBUTE_DIRECTORY); }
    BOOL IsReadOnly() const { return MatchesMask(FILE_ATTRIBUTE_READONLY); }
    BOOL IsHidden() const { return MatchesMask(FILE_ATTRIBUTE_HIDDEN); }
    BOOL IsDots() const;

private:
    HANDLE m_search = INVALID_HANDLE_VALUE;
    bool m_hasNext = false;
    WIN32_FIND_DATAW m_found{};
    WIN32_FIND_DATAW m_next{};
    CString m_root;
};

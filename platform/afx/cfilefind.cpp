#include "platform/afx/cfilefind.h"

IMPLEMENT_DYNAMIC(CFileFind, CObject)

CFileFind::~CFileFind() { Close(); }

BOOL CFileFind::FindFile(LPCWSTR name, DWORD)
{
    Close();
    const CString pattern = (name && *name) ? CString(name) : CString(u"*");
    m_search = FindFirstFileW(pattern, &m_next);
    if (m_search == INVALID_HANDLE_VALUE)
        return FALSE;
    m_hasNext = true;
    const int slash = pattern.ReverseFind(u'/');
    m_root = slash < 0 ? CString(u".") : (slash == 0 ? CString(u"/") : pattern.Left(slash));
    return TRUE;
}

BOOL CFileFind::FindNextFile()
{
    if (m_search == INVALID_HANDLE_VALUE || !m_hasNext)
        return FALSE;
    m_found = m_next;
    m_hasNext = FindNextFileW(m_search, &m_next) != FALSE;
    return m_hasNext ? TRUE : FALSE;
}

void CFileFind::Close()
{
    if (m_search != INVALID_HANDLE_VALUE)
        FindClose(m_search);
    m_search = INVALID_HANDLE_VALUE;
    m_hasNext = false;
    m_found = WIN32_FIND_DATAW{};
    m_root.Empty();
}

ULONGLONG CFileFind::GetLength() const
{
    return (static_cast<ULONGLONG>(m_found.nFileSizeHigh) << 32) | m_found.nFileSizeLow;
}

CString CFileFind::GetFileName() const { return CString(m_found.cFileName); }

CString CFileFind::GetFilePath() const
{
    CString path = m_root;
    if (!path.IsEmpty() && path[path.GetLength() - 1] != u'/')
        path += u'/';
    return path + GetFileName();
}

BOOL CFileFind::IsDots() const
{
    const std::u16string_view name(m_found.cFileName);
    return (IsDirectory() && (name == u"." || name == u"..")) ? TRUE : FALSE;
}

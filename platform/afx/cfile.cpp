#include "platform/afx/cfile.h"

#include "platform/win/error_codes.h"
#include "platform/win/file.h"

IMPLEMENT_DYNAMIC(CFile, CObject)

BOOL CFile::GetStatus(LPCWSTR fileName, CFileStatus& status)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(fileName, GetFileExInfoStandard, &data))
        return FALSE;
    status.m_size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    status.m_attribute = static_cast<BYTE>(data.dwFileAttributes & 0xFF);
    status.m_szFullName = fileName;
    return TRUE;
}

void CFile::SetStatus(LPCWSTR fileName, const CFileStatus& status)
{
    if (!SetFileAttributesW(fileName, status.m_attribute))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), fileName);
}

void CFile::Remove(LPCWSTR fileName)
{
    if (!DeleteFileW(fileName))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), fileName);
}

// The class library's file class, as far as the program uses it: status and removal by name.
#pragma once

#include "platform/afx/cexception.h"
#include "platform/afx/cobject.h"
#include "platform/afx/cstring.h"

struct CFileStatus {
    ULONGLONG m_size = 0;
    BYTE m_attribute = 0; // FILE_ATTRIBUTE_* bits of the low byte
    CString m_szFullName;
};

class CFile : public CObject {
    DECLARE_DYNAMIC(CFile)

public:
    // FALSE when the file or folder cannot be found.
    static BOOL GetStatus(LPCWSTR fileName, CFileStatus& status);
    // Both throw CFileException* on failure.
    static void SetStatus(LPCWSTR fileName, const CFileStatus& status);
    static void Remove(LPCWSTR fileName);
};

// An ini file addressed by path; every call goes to the private-profile functions.
#pragma once

#include "platform/afx/cstring.h"

class CIniCreate {
public:
    CIniCreate() = default;
    virtual ~CIniCreate() = default;

    // Stores the path and deletes an existing file (read-only or not); the next write recreates it.
    virtual void Create(LPCWSTR path);
    virtual void WriteInt(LPCWSTR section, LPCWSTR key, int value);
    virtual BOOL WriteString(LPCWSTR section, LPCWSTR key, LPCWSTR value);
    // Stores the path; the file is neither tested nor changed.
    virtual void Open(LPCWSTR path);
    virtual int GetInt(LPCWSTR section, LPCWSTR key, int defaultValue);
    // At most 519 characters come back.
    virtual CString GetString(LPCWSTR section, LPCWSTR key, LPCWSTR defaultValue);

private:
    CString m_path;
};

// A read-only walk over the values of one registry key.
#pragma once

#include "platform/afx/cstring.h"
#include "platform/win/registry.h"

class CRegUtil {
public:
    CRegUtil() = default;
    virtual ~CRegUtil();
    CRegUtil(const CRegUtil&) = delete;
    CRegUtil& operator=(const CRegUtil&) = delete;

    // The number of values of the opened key; 0 when it cannot be opened.
    virtual int Open(HKEY root, LPCWSTR subKey);
    // Name (up to 511 characters) and data (up to 256 characters, read as raw bytes) of the value
    // at index; both keep what they held when there is no such value.
    virtual void EnumValue(int index, CString& name, CString& data);
    void Close();

private:
    HKEY m_key = nullptr;
};

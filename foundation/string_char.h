// Owned plain-character copies of a wide text, for interfaces that want a character pointer.
#pragma once

#include "foundation/mem_buff.h"

// Converts text to the ANSI code page into out, terminator included; out is empty on failure.
void ConvertWideToAnsi(LPCWSTR text, CMemBuffBase<char>& out);

class CStringChar {
public:
    explicit CStringChar(LPCWSTR text);
    virtual ~CStringChar() = default;
    CStringChar(const CStringChar&) = delete;
    CStringChar& operator=(const CStringChar&) = delete;

    void Set(LPCWSTR text);
    char* GetString() const { return m_buffer.GetData(); }

private:
    CMemBuffBase<char> m_buffer;
};

class CStringCharW {
public:
    explicit CStringCharW(LPCWSTR text);
    virtual ~CStringCharW() = default;
    CStringCharW(const CStringCharW&) = delete;
    CStringCharW& operator=(const CStringCharW&) = delete;

    void Set(LPCWSTR text);
    WCHAR* GetString() const { return m_buffer.GetData(); }

private:
    CMemBuffBase<WCHAR> m_buffer;
};

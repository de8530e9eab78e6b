// The class library's string on UTF-16.
#pragma once

#include "platform/win/types.h"

#include <cstdarg>
#include <string>
#include <string_view>

class CString {
public:
    CString() = default;
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString(LPCWSTR text);
    CString(LPCWSTR text, int length);
    CString(WCHAR ch, int repeat = 1);
    explicit CString(std::u16string_view text);
    // Narrow text is in the "ANSI code page", which is UTF-8 here.
    CString(const char* text);

    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(LPCWSTR text);

    operator LPCWSTR() const { return m_text.c_str(); }
    LPCWSTR GetString() const { return m_text.c_str(); }
    std::u16string_view View() const { return m_text; }

    int GetLength() const { return static_cast<int>(m_text.size()); }
    BOOL IsEmpty() const { return m_text.empty() ? TRUE : FALSE; }
    void Empty() { m_text.clear(); }

    WCHAR GetAt(int index) const;
    WCHAR operator[](int index) const { return GetAt(index); }

    CString& operator+=(const CString& other);
    CString& operator+=(LPCWSTR text);
    CString& operator+=(WCHAR ch);

    int Compare(LPCWSTR text) const;
    // Folds the letters A to Z only; everything else compares by UTF-16 code unit.
    int CompareNoCase(LPCWSTR text) const;

    CString& MakeLower();
    CString& MakeUpper();

    CString Left(int count) const;
    CString Right(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;

    int Find(WCHAR ch, int start = 0) const;
    int Find(LPCWSTR text, int start = 0) const;
    int ReverseFind(WCHAR ch) const;
    int FindOneOf(LPCWSTR characters) const;

    int Replace(LPCWSTR oldText, LPCWSTR newText);
    int Remove(WCHAR ch);
    int Insert(int index, LPCWSTR text);
    int Delete(int index, int count = 1);

    CString& Trim();
    CString& TrimLeft();
    CString& TrimRight();
    CString& TrimLeft(WCHAR ch);
    CString& TrimRight(WCHAR ch);
    CString& TrimLeft(LPCWSTR characters);
    CString& TrimRight(LPCWSTR characters);

    // printf-style with the class library's rules: %s is a wide string, %S and %hs narrow.
    void Format(LPCWSTR format, ...);
    void FormatV(LPCWSTR format, va_list args);

    // Looks the identifier up in the program's string table; FALSE and empty when absent.
    BOOL LoadString(UINT id);

    // A writable buffer of at least minLength characters plus terminator; ReleaseBuffer(-1)
    // takes the length up to the first zero.
    LPWSTR GetBuffer(int minLength = 0);
    void ReleaseBuffer(int newLength = -1);

private:
    std::u16string m_text;
};

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, LPCWSTR b);
CString operator+(const CString& a, WCHAR b);

bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, LPCWSTR b);

// Wide printf with the class library's conversions, for callers that format into a CString.
CString FormatString(LPCWSTR format, va_list args);

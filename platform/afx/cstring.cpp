#include "platform/afx/cstring.h"

#include "platform/win/ascii_case.h"
#include "platform/win/string_resource.h"
#include "platform/win/text.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

bool IsSpace(WCHAR ch) { return ch == u' ' || (ch >= u'\t' && ch <= u'\r'); }

std::u16string_view ViewOf(LPCWSTR text)
{
    return text ? std::u16string_view(text, WideLength(text)) : std::u16string_view();
}

int Sign(int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

int CompareUnits(std::u16string_view a, std::u16string_view b, bool foldCase)
{
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const int ca = foldCase ? AsciiLower(a[i]) : a[i];
        const int cb = foldCase ? AsciiLower(b[i]) : b[i];
        if (ca != cb)
            return Sign(ca - cb);
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

// One conversion specification of a format string.
struct FormatSpec {
    std::string flags;
    int width = -1;
    int precision = -1;
    enum class Size { Default, Short, Long, LongLong } size = Size::Default;
    bool narrowString = false;
    bool wideString = false;
    char conversion = 0;
};

void AppendPadded(std::u16string& out, std::u16string_view text, const FormatSpec& spec)
{
    if (spec.precision >= 0 && static_cast<size_t>(spec.precision) < text.size())
        text = text.substr(0, static_cast<size_t>(spec.precision));
    const size_t width = spec.width > 0 ? static_cast<size_t>(spec.width) : 0;
    const size_t pad = width > text.size() ? width - text.size() : 0;
    const bool left = spec.flags.find('-') != std::string::npos;
    const WCHAR fill = (!left && spec.flags.find('0') != std::string::npos) ? u'0' : u' ';
    if (!left)
        out.append(pad, fill);
    out.append(text);
    if (left)
        out.append(pad, u' ');
}

std::string NarrowSpec(const FormatSpec& spec, const char* sizePrefix, char conversion)
{
    std::string s = "%" + spec.flags;
    if (spec.width >= 0)
        s += std::to_string(spec.width);
    if (spec.precision >= 0)
        s += "." + std::to_string(spec.precision);
    s += sizePrefix;
    s += conversion;
    return s;
}

template <typename T>
void AppendNumber(std::u16string& out, const FormatSpec& spec, const char* sizePrefix, T value)
{
    const std::string narrowFormat = NarrowSpec(spec, sizePrefix, spec.conversion);
    const int needed = std::snprintf(nullptr, 0, narrowFormat.c_str(), value);
    if (needed <= 0)
        return;
    std::string buffer(static_cast<size_t>(needed) + 1, '\0');
    std::snprintf(buffer.data(), buffer.size(), narrowFormat.c_str(), value);
    buffer.resize(static_cast<size_t>(needed));
    out.append(Utf8ToUtf16(buffer));
}

void AppendInteger(std::u16string& out, const FormatSpec& spec, va_list& args)
{
    const bool isSigned = spec.conversion == 'd' || spec.conversion == 'i';
    // On the original platform long is 32 bits: %ld and %lu take a 32-bit argument.
    switch (spec.size) {
    case FormatSpec::Size::LongLong:
        if (isSigned)
            AppendNumber(out, spec, "ll", va_arg(args, long long));
        else
            AppendNumber(out, spec, "ll", va_arg(args, unsigned long long));
        break;
    case FormatSpec::Size::Short:
        if (isSigned)
            AppendNumber(out, spec, "", static_cast<int>(static_cast<short>(va_arg(args, int))));
        else
            AppendNumber(out, spec, "", static_cast<unsigned>(static_cast<unsigned short>(va_arg(args, unsigned))));
        break;
    default:
        if (isSigned)
            AppendNumber(out, spec, "", va_arg(args, int));
        else
            AppendNumber(out, spec, "", va_arg(args, unsigned));
        break;
    }
}

// Parses "%[flags][width][.precision][size]conversion" starting after '%'; returns the position
// after it, or npos when the conversion is malformed.
size_t ParseSpec(std::u16string_view format, size_t i, FormatSpec& spec, va_list& args)
{
    while (i < format.size() && std::u16string_view(u"-+ #0").find(format[i]) != std::u16string_view::npos)
        spec.flags.push_back(static_cast<char>(format[i++]));
    if (i < format.size() && format[i] == u'*') {
        spec.width = va_arg(args, int);
        if (spec.width < 0) {
            spec.flags.push_back('-');
            spec.width = -spec.width;
        }
        ++i;
    } else {
        while (i < format.size() && format[i] >= u'0' && format[i] <= u'9') {
            spec.width = std::max(spec.width, 0);
            spec.width = std::min(spec.width * 10 + (format[i++] - u'0'), 1 << 20);
        }
    }
    if (i < format.size() && format[i] == u'.') {
        ++i;
        spec.precision = 0;
        if (i < format.size() && format[i] == u'*') {
            spec.precision = va_arg(args, int);
            ++i;
        } else {
            while (i < format.size() && format[i] >= u'0' && format[i] <= u'9')
                spec.precision = std::min(spec.precision * 10 + (format[i++] - u'0'), 1 << 20);
        }
    }
    const std::u16string_view rest = format.substr(i);
    if (rest.starts_with(u"I64") || rest.starts_with(u"ll")) {
        spec.size = FormatSpec::Size::LongLong;
        i += rest.starts_with(u"I64") ? 3 : 2;
    } else if (rest.starts_with(u"I32")) {
        i += 3;
    } else if (rest.starts_with(u"h")) {
        spec.size = FormatSpec::Size::Short;
        spec.narrowString = true;
        ++i;
    } else if (rest.starts_with(u"l") || rest.starts_with(u"w")) {
        spec.size = FormatSpec::Size::Long;
        spec.wideString = true;
        ++i;
    }
    if (i >= format.size())
        return std::u16string_view::npos;
    spec.conversion = static_cast<char>(format[i]);
    return i + 1;
}

} // namespace

CString FormatString(LPCWSTR format, va_list incoming)
{
    // A local copy, so the helpers can advance it by reference on every ABI.
    va_list args;
    va_copy(args, incoming);
    const std::u16string_view fmt = ViewOf(format);
    std::u16string out;
    out.reserve(fmt.size() + 16);
    size_t i = 0;
    while (i < fmt.size()) {
        if (fmt[i] != u'%') {
            out.push_back(fmt[i++]);
            continue;
        }
        if (i + 1 < fmt.size() && fmt[i + 1] == u'%') {
            out.push_back(u'%');
            i += 2;
            continue;
        }
        FormatSpec spec;
        const size_t next = ParseSpec(fmt, i + 1, spec, args);
        if (next == std::u16string_view::npos)
            break;
        i = next;
        switch (spec.conversion) {
        case 'd':
        case 'i':
        case 'u':
        case 'x':
        case 'X':
        case 'o': AppendInteger(out, spec, args); break;
        case 'f':
        case 'F':
        case 'e':
        case 'E':
        case 'g':
        case 'G':
        case 'a':
        case 'A': AppendNumber(out, spec, "", va_arg(args, double)); break;
        case 'p': AppendNumber(out, spec, "", va_arg(args, void*)); break;
        case 'c':
        case 'C': {
            const WCHAR ch = static_cast<WCHAR>(va_arg(args, int));
            AppendPadded(out, std::u16string_view(&ch, 1), spec);
            break;
        }
        case 's':
        case 'S': {
            const bool narrow = spec.narrowString || (spec.conversion == 'S' && !spec.wideString);
            if (narrow) {
                const char* text = va_arg(args, const char*);
                AppendPadded(out, Utf8ToUtf16(text ? text : "(null)"), spec);
            } else {
                LPCWSTR text = va_arg(args, LPCWSTR);
                AppendPadded(out, text ? ViewOf(text) : std::u16string_view(u"(null)"), spec);
            }
            break;
        }
        default:
            // Unknown conversions (and %n) are written out as they stand.
            out.push_back(u'%');
            out.push_back(static_cast<WCHAR>(spec.conversion));
            break;
        }
    }
    va_end(args);
    return CString(std::u16string_view(out));
}

CString::CString(LPCWSTR text) : m_text(ViewOf(text)) {}

CString::CString(LPCWSTR text, int length)
{
    if (text && length > 0)
        m_text.assign(text, static_cast<size_t>(length));
}

CString::CString(WCHAR ch, int repeat)
{
    if (repeat > 0)
        m_text.assign(static_cast<size_t>(repeat), ch);
}

CString::CString(std::u16string_view text) : m_text(text) {}

CString::CString(const char* text)
{
    if (text)
        m_text = Utf8ToUtf16(text);
}

CString& CString::operator=(LPCWSTR text)
{
    m_text = std::u16string(ViewOf(text));
    return *this;
}

WCHAR CString::GetAt(int index) const
{
    return (index >= 0 && index < GetLength()) ? m_text[static_cast<size_t>(index)] : WCHAR(0);
}

CString& CString::operator+=(const CString& other)
{
    m_text += other.m_text;
    return *this;
}

CString& CString::operator+=(LPCWSTR text)
{
    m_text += ViewOf(text);
    return *this;
}

CString& CString::operator+=(WCHAR ch)
{
    m_text.push_back(ch);
    return *this;
}

int CString::Compare(LPCWSTR text) const { return CompareUnits(m_text, ViewOf(text), false); }

int CString::CompareNoCase(LPCWSTR text) const { return CompareUnits(m_text, ViewOf(text), true); }

CString& CString::MakeLower()
{
    std::transform(m_text.begin(), m_text.end(), m_text.begin(), AsciiLower<WCHAR>);
    return *this;
}

CString& CString::MakeUpper()
{
    std::transform(m_text.begin(), m_text.end(), m_text.begin(), AsciiUpper<WCHAR>);
    return *this;
}

CString CString::Left(int count) const { return Mid(0, count); }

CString CString::Right(int count) const
{
    count = std::clamp(count, 0, GetLength());
    return CString(std::u16string_view(m_text).substr(m_text.size() - static_cast<size_t>(count)));
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const
{
    first = std::clamp(first, 0, GetLength());
    count = std::clamp(count, 0, GetLength() - first);
    return CString(std::u16string_view(m_text).substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

int CString::Find(WCHAR ch, int start) const
{
    if (start < 0 || start >= GetLength())
        return -1;
    const size_t pos = m_text.find(ch, static_cast<size_t>(start));
    return pos == std::u16string::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(LPCWSTR text, int start) const
{
    if (start < 0 || start > GetLength() || !text)
        return -1;
    const size_t pos = m_text.find(ViewOf(text), static_cast<size_t>(start));
    return pos == std::u16string::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(WCHAR ch) const
{
    const size_t pos = m_text.rfind(ch);
    return pos == std::u16string::npos ? -1 : static_cast<int>(pos);
}

int CString::FindOneOf(LPCWSTR characters) const
{
    const size_t pos = m_text.find_first_of(ViewOf(characters));
    return pos == std::u16string::npos ? -1 : static_cast<int>(pos);
}

int CString::Replace(LPCWSTR oldText, LPCWSTR newText)
{
    const std::u16string_view from = ViewOf(oldText);
    if (from.empty())
        return 0;
    const std::u16string_view to = ViewOf(newText);
    std::u16string result;
    int count = 0;
    size_t pos = 0;
    for (;;) {
        const size_t hit = m_text.find(from, pos);
        if (hit == std::u16string::npos)
            break;
        result.append(m_text, pos, hit - pos);
        result.append(to);
        pos = hit + from.size();
        ++count;
    }
    if (count > 0) {
        result.append(m_text, pos, std::u16string::npos);
        m_text.swap(result);
    }
    return count;
}

int CString::Remove(WCHAR ch)
{
    const size_t before = m_text.size();
    std::erase(m_text, ch);
    return static_cast<int>(before - m_text.size());
}

int CString::Insert(int index, LPCWSTR text)
{
    index = std::clamp(index, 0, GetLength());
    m_text.insert(static_cast<size_t>(index), ViewOf(text));
    return GetLength();
}

int CString::Delete(int index, int count)
{
    index = std::max(index, 0);
    if (count > 0 && index < GetLength())
        m_text.erase(static_cast<size_t>(index), static_cast<size_t>(std::min(count, GetLength() - index)));
    return GetLength();
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }

CString& CString::TrimLeft()
{
    size_t n = 0;
    while (n < m_text.size() && IsSpace(m_text[n]))
        ++n;
    m_text.erase(0, n);
    return *this;
}

CString& CString::TrimRight()
{
    while (!m_text.empty() && IsSpace(m_text.back()))
        m_text.pop_back();
    return *this;
}

CString& CString::TrimLeft(WCHAR ch)
{
    const WCHAR set[2] = {ch, 0};
    return TrimLeft(set);
}

CString& CString::TrimRight(WCHAR ch)
{
    const WCHAR set[2] = {ch, 0};
    return TrimRight(set);
}

CString& CString::TrimLeft(LPCWSTR characters)
{
    const size_t n = m_text.find_first_not_of(ViewOf(characters));
    m_text.erase(0, n == std::u16string::npos ? m_text.size() : n);
    return *this;
}

CString& CString::TrimRight(LPCWSTR characters)
{
    const size_t n = m_text.find_last_not_of(ViewOf(characters));
    m_text.erase(n == std::u16string::npos ? 0 : n + 1);
    return *this;
}

void CString::Format(LPCWSTR format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::FormatV(LPCWSTR format, va_list args)
{
    va_list copy;
    va_copy(copy, args);
    *this = FormatString(format, copy);
    va_end(copy);
}

BOOL CString::LoadString(UINT id)
{
    LPCWSTR text = FindResourceString(id);
    *this = text;
    return text ? TRUE : FALSE;
}

LPWSTR CString::GetBuffer(int minLength)
{
    if (minLength > GetLength())
        m_text.resize(static_cast<size_t>(minLength));
    return m_text.data();
}

void CString::ReleaseBuffer(int newLength)
{
    if (newLength < 0)
        m_text.resize(WideLength(m_text.c_str()));
    else if (static_cast<size_t>(newLength) <= m_text.size())
        m_text.resize(static_cast<size_t>(newLength));
}

CString operator+(const CString& a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(const CString& a, LPCWSTR b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(const CString& a, WCHAR b)
{
    CString r(a);
    r += b;
    return r;
}

bool operator==(const CString& a, const CString& b) { return a.View() == b.View(); }

bool operator==(const CString& a, LPCWSTR b) { return a.View() == ViewOf(b); }

#include "platform/win/text.h"

#include <cstring>
#include <limits>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

void AppendUtf16(std::u16string& out, char32_t cp)
{
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
    } else {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    }
}

// Bytes that are not UTF-8 (file names from other systems) travel as the lone surrogates
// U+DC80..U+DCFF and come back as the same bytes, so every name survives the round trip.
constexpr char32_t kEscapeBase = 0xDC00;

bool IsEscapedByte(char32_t unit) { return unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF; }

// Decodes one UTF-8 sequence at text[i], advancing i; a malformed sequence yields its lead byte
// escaped and decoding resumes at the byte after it.
char32_t DecodeUtf8(std::string_view text, size_t& i)
{
    const size_t start = i;
    const auto lead = static_cast<unsigned char>(text[i++]);
    if (lead < 0x80)
        return lead;
    const char32_t escaped = kEscapeBase + lead;
    int extra = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
        minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
        minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
        minimum = 0x10000;
    } else {
        return escaped;
    }
    for (int k = 0; k < extra; ++k) {
        if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            i = start + 1;
            return escaped;
        }
        cp = (cp << 6) | (static_cast<unsigned char>(text[i++]) & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        i = start + 1;
        return escaped;
    }
    return cp;
}

bool SupportedCodePage(UINT codePage) { return codePage == CP_ACP || codePage == CP_UTF8; }

} // namespace

size_t WideLength(LPCWSTR text)
{
    if (!text)
        return 0;
    size_t n = 0;
    while (text[n])
        ++n;
    return n;
}

std::string Utf16ToUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (IsEscapedByte(cp)) {
            out.push_back(static_cast<char>(cp - kEscapeBase));
            continue;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = kReplacement;
        }
        AppendUtf8(out, cp);
    }
    return out;
}

std::u16string Utf8ToUtf16(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size())
        AppendUtf16(out, DecodeUtf8(text, i));
    return out;
}

namespace {

// The Win32 size-query convention shared by both directions: outSize 0 asks for the size needed,
// a buffer too small gets nothing.
template <typename Converted, typename Out>
int DeliverConverted(const Converted& converted, Out* out, int outSize)
{
    if (converted.size() > static_cast<size_t>(std::numeric_limits<int>::max()))
        return 0;
    const int needed = static_cast<int>(converted.size());
    if (outSize == 0)
        return needed;
    if (!out || outSize < needed)
        return 0;
    std::memcpy(out, converted.data(), converted.size() * sizeof(Out));
    return needed;
}

bool ValidRequest(const void* source, UINT codePage, int sourceLength, int outSize)
{
    return source && SupportedCodePage(codePage) && outSize >= 0 && sourceLength >= -1 && sourceLength != 0;
}

} // namespace

int WideCharToMultiByte(UINT codePage, DWORD, LPCWSTR source, int sourceLength, LPSTR out, int outSize, LPCSTR,
                        BOOL* usedDefaultChar)
{
    if (usedDefaultChar)
        *usedDefaultChar = FALSE;
    if (!ValidRequest(source, codePage, sourceLength, outSize))
        return 0;
    const size_t length = sourceLength == -1 ? WideLength(source) + 1 : static_cast<size_t>(sourceLength);
    return DeliverConverted(Utf16ToUtf8(std::u16string_view(source, length)), out, outSize);
}

int MultiByteToWideChar(UINT codePage, DWORD, LPCSTR source, int sourceLength, LPWSTR out, int outSize)
{
    if (!ValidRequest(source, codePage, sourceLength, outSize))
        return 0;
    const size_t length = sourceLength == -1 ? std::strlen(source) + 1 : static_cast<size_t>(sourceLength);
    return DeliverConverted(Utf8ToUtf16(std::string_view(source, length)), out, outSize);
}

// Code-page conversions. The "ANSI code page" is UTF-8 on Linux, so no text is lost.
#pragma once

#include "platform/win/types.h"

#include <string>
#include <string_view>

constexpr UINT CP_ACP = 0;
constexpr UINT CP_UTF8 = 65001;

// Win32 calling conventions: a source length of -1 includes the terminator; an output size of 0
// asks for the size needed. Returns 0 on failure.
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR source, int sourceLength, LPSTR out, int outSize,
                        LPCSTR defaultChar, BOOL* usedDefaultChar);
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR source, int sourceLength, LPWSTR out, int outSize);

// Bytes that are not UTF-8 become U+DC80..U+DCFF and turn back into the same bytes, so file names
// from other systems survive a round trip.
std::string Utf16ToUtf8(std::u16string_view text);
std::u16string Utf8ToUtf16(std::string_view text);

size_t WideLength(LPCWSTR text);

// Language identifiers and the system's default language.
#pragma once

#include "platform/win/types.h"

constexpr WORD LANG_NEUTRAL = 0x00;
constexpr WORD LANG_ENGLISH = 0x09;
constexpr WORD LANG_JAPANESE = 0x11;
constexpr WORD SUBLANG_DEFAULT = 0x01;

constexpr LANGID MAKELANGID(WORD primary, WORD sub) { return static_cast<LANGID>((sub << 10) | primary); }
constexpr WORD PRIMARYLANGID(LANGID id) { return static_cast<WORD>(id & 0x3FF); }
constexpr WORD SUBLANGID(LANGID id) { return static_cast<WORD>(id >> 10); }

// From the first non-empty of LC_ALL, LC_MESSAGES and LANG, read on every call: a locale
// starting with "ja" is Japanese (0x0411), anything else English, United States (0x0409).
LANGID GetSystemDefaultLangID();

// Sets the locale variables for one test and restores them afterwards. The system language is
// read on every call, so changing the environment switches it.
#pragma once

#include "tests/support/test_support.h"

class ScopedLocale {
public:
    // Only LANG set, as a shell would start the program with LANG=...
    explicit ScopedLocale(const char* lang) : ScopedLocale(nullptr, nullptr, lang) {}

    ScopedLocale(const char* lcAll, const char* lcMessages, const char* lang)
        : m_all("LC_ALL", lcAll), m_messages("LC_MESSAGES", lcMessages), m_lang("LANG", lang)
    {
    }

private:
    ScopedEnv m_all;
    ScopedEnv m_messages;
    ScopedEnv m_lang;
};

constexpr const char* kJapaneseLocale = "ja_JP.UTF-8";
constexpr const char* kEnglishLocale = "C";

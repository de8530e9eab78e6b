// Sets the locale variables for one test and restores them afterwards. The system language is
// read on every call, so changing the environment switches it.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

class ScopedLocale {
public:
    // Only LANG set, as a shell would start the program with LANG=...
    explicit ScopedLocale(const char* lang) : ScopedLocale(nullptr, nullptr, lang) {}

    ScopedLocale(const char* lcAll, const char* lcMessages, const char* lang)
    {
        Set("LC_ALL", lcAll);
        Set("LC_MESSAGES", lcMessages);
        Set("LANG", lang);
    }

    ~ScopedLocale()
    {
        Restore("LC_ALL", m_saved[0]);
        Restore("LC_MESSAGES", m_saved[1]);
        Restore("LANG", m_saved[2]);
    }

    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;

private:
    void Set(const char* name, const char* value)
    {
        const char* old = std::getenv(name);
        m_saved[m_next++] = old ? std::optional<std::string>(old) : std::nullopt;
        Restore(name, value ? std::optional<std::string>(value) : std::nullopt);
    }

    static void Restore(const char* name, const std::optional<std::string>& value)
    {
        if (value)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }

    std::optional<std::string> m_saved[3];
    int m_next = 0;
};

constexpr const char* kJapaneseLocale = "ja_JP.UTF-8";
constexpr const char* kEnglishLocale = "C";

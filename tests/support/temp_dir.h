// A fresh folder for one test, removed with everything in it afterwards.
#pragma once

#include "platform/afx/cstring.h"
#include "platform/win/text.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

class TempDir {
public:
    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "torvina-test-XXXXXX").string();
        if (mkdtemp(pattern.data()))
            m_path = pattern;
    }

    ~TempDir()
    {
        if (m_path.empty())
            return;
        std::error_code ignored;
        // Read-only entries made by a test must not keep it from being removed.
        for (const auto& entry : std::filesystem::recursive_directory_iterator(m_path, ignored))
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(m_path, ignored);
    }

    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    bool Valid() const { return !m_path.empty(); }
    const std::string& Native() const { return m_path; }
    // The folder as the program sees it, without a trailing '/'.
    CString Path() const { return CString(Utf8ToUtf16(m_path)); }
    CString Path(const char16_t* relative) const { return Path() + u"/" + relative; }

    // Writes a file of the given size below the folder (relative path, UTF-8).
    void WriteFile(const std::u16string& relative, size_t bytes = 0) const
    {
        std::ofstream out(m_path + "/" + Utf16ToUtf8(relative), std::ios::binary);
        out << std::string(bytes, 'x');
    }

    void MakeFolder(const std::u16string& relative) const
    {
        std::filesystem::create_directories(m_path + "/" + Utf16ToUtf8(relative));
    }

private:
    std::string m_path;
};

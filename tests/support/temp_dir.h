// A temporary folder seen through UTF-16 paths, as the program names files.
#pragma once

#include "platform/afx/cstring.h"
#include "platform/win/text.h"
#include "tests/support/test_support.h"

#include <filesystem>
#include <fstream>
#include <string>

class TempDir {
public:
    bool Valid() const { return !m_folder.Path().empty(); }
    const std::string& Native() const { return m_folder.Path(); }
    // The folder without a trailing '/'.
    CString Path() const { return CString(Utf8ToUtf16(Native())); }
    CString Path(const char16_t* relative) const { return Path() + u"/" + relative; }

    // Writes a file of the given size below the folder.
    void WriteFile(const std::u16string& relative, size_t bytes = 0) const
    {
        std::ofstream out(Native() + "/" + Utf16ToUtf8(relative), std::ios::binary);
        out << std::string(bytes, 'x');
    }

    void MakeFolder(const std::u16string& relative) const
    {
        std::filesystem::create_directories(Native() + "/" + Utf16ToUtf8(relative));
    }

private:
    TempFolder m_folder;
};

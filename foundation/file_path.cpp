#include "foundation/file_path.h"

#include "platform/win/file.h"

#include <vector>

namespace {

constexpr WCHAR kSeparator = u'/';

// The position just after the last separator: where the name begins.
int NameStart(const CString& path) { return path.ReverseFind(kSeparator) + 1; }

// The position of the extension's dot within the name, or the path's length when none.
int ExtensionStart(const CString& path)
{
    const int dot = path.ReverseFind(u'.');
    return dot >= NameStart(path) ? dot : path.GetLength();
}

} // namespace

CString GetPathDrive(CString) { return CString(); }

CString GetPathDirectory(CString path) { return path.Left(NameStart(path)); }

CString GetPathBaseName(CString path)
{
    const int start = NameStart(path);
    return path.Mid(start, ExtensionStart(path) - start);
}

CString GetPathExtension(CString path)
{
    CString extension = path.Mid(ExtensionStart(path));
    extension.MakeLower();
    return extension;
}

CString GetPathFolder(CString path) { return GetPathDrive(path) + GetPathDirectory(path); }

CString GetPathFileName(CString path) { return GetPathBaseName(path) + GetPathExtension(path); }

CString TrimTrailingBackslash(CString path)
{
    int length = path.GetLength();
    while (length > 1 && path[length - 1] == kSeparator)
        --length;
    return path.Left(length);
}

CString GetModulePath()
{
    // Grows until the whole path fits: the executable's path is never cut.
    std::vector<WCHAR> buffer(520);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return CString();
        if (length < buffer.size())
            return TrimTrailingBackslash(CString(buffer.data(), static_cast<int>(length)));
        buffer.resize(buffer.size() * 2);
    }
}

CString GetModuleFolder() { return GetPathFolder(GetModulePath()); }

void CopyToString(LPCWSTR text, CString& out) { out = text; }

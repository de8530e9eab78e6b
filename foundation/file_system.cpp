#include "foundation/file_system.h"

#include "platform/afx/cfile.h"
#include "platform/win/file.h"

#include <vector>

BOOL FileExists(CString path) { return PathFileExistsW(path); }

BOOL FolderExists(CString path)
{
    WIN32_FIND_DATAW data{};
    const HANDLE search = FindFirstFileW(path, &data);
    if (search == INVALID_HANDLE_VALUE)
        return FALSE;
    FindClose(search);
    return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? TRUE : FALSE;
}

int DeleteExistingFile(CString path)
{
    if (!FileExists(path))
        return 0;
    try {
        CFileStatus status;
        if (CFile::GetStatus(path, status)) {
            status.m_attribute = FILE_ATTRIBUTE_ARCHIVE;
            CFile::SetStatus(path, status);
        }
        CFile::Remove(path);
    } catch (CFileException* e) {
        e->Delete();
        return 1;
    }
    return 0;
}

BOOL CreateFolderPath(CString path)
{
    // The missing folders from the path up to the first existing ancestor, created top down;
    // a loop, not recursion, so a path of any depth is safe.
    std::vector<CString> missing{path};
    for (CString current = path;;) {
        const int slash = current.ReverseFind(u'/');
        if (slash < 0)
            break;
        current = current.Left(slash);
        if (FileExists(current))
            break;
        missing.push_back(current);
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it)
        CreateDirectoryW(*it, nullptr);
    return FileExists(path);
}

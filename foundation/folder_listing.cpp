#include "foundation/folder_listing.h"

#include "foundation/file_path.h"
#include "platform/afx/cfilefind.h"

namespace {

// Joins without doubling the separator when the folder is the root "/".
CString Join(const CString& folder, const CString& rest)
{
    const bool folderEnds = !folder.IsEmpty() && folder[folder.GetLength() - 1] == u'/';
    const bool restStarts = !rest.IsEmpty() && rest[0] == u'/';
    if (folderEnds && restStarts)
        return folder + rest.Mid(1);
    if (!folderEnds && !restStarts)
        return folder + u'/' + rest;
    return folder + rest;
}

} // namespace

void EnumerateFolder(CArray<CFileData>& files, CStringArray& folders, CString folder, CString pattern)
{
    files.RemoveAll();
    folders.RemoveAll();
    folder = TrimTrailingBackslash(folder);

    CFileFind finder;
    BOOL more = finder.FindFile(Join(folder, pattern));
    while (more) {
        more = finder.FindNextFile();
        const CString path = Join(folder, finder.GetFileName());
        if (finder.IsDirectory()) {
            if (!finder.IsDots())
                folders.Add(path);
        } else {
            files.Add(CFileData{path, finder.GetLength()});
        }
    }
}

// Listing one folder's entries that match a wildcard pattern.
#pragma once

#include "platform/afx/carray.h"
#include "platform/afx/cstring.h"

struct CFileData {
    CString path;
    ULONGLONG length = 0;
};

// Files go to files and sub-folders (not the dot entries) to folders, in the order the system
// reports them; both arrays are emptied first. The pattern has its own leading '/' ("/*.jpg")
// and ignores case. A missing or unreadable folder gives two empty arrays.
void EnumerateFolder(CArray<CFileData>& files, CStringArray& folders, CString folder, CString pattern);

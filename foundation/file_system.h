// Existence tests, deletion before rewriting, and creation of a folder path.
#pragma once

#include "platform/afx/cstring.h"

// TRUE for an existing file or folder.
BOOL FileExists(CString path);
// TRUE only for an existing folder named without a trailing '/'.
BOOL FolderExists(CString path);
// Clears read-only and deletes the file when it exists. 1 when that failed (the file stays),
// otherwise 0; nothing is shown.
int DeleteExistingFile(CString path);
// Creates the folder and every missing folder above it; TRUE when it exists afterwards.
BOOL CreateFolderPath(CString path);

// Splitting paths, the executable's own path, and copying a wide text. '/' is the separator;
// there are no drive letters, so the drive part is always empty. Nothing is cut to a length.
#pragma once

#include "platform/afx/cstring.h"

CString GetPathDrive(CString path);
// Up to and including the last '/'.
CString GetPathDirectory(CString path);
// The name after the last '/' without its extension.
CString GetPathBaseName(CString path);
// From the last dot of the name, the letters A to Z lower-cased; empty when the name has none.
CString GetPathExtension(CString path);
// The folder with its trailing '/'.
CString GetPathFolder(CString path);
// Base name and lower-cased extension.
CString GetPathFileName(CString path);
// Removes a trailing run of '/', but keeps the root "/" itself.
CString TrimTrailingBackslash(CString path);

CString GetModulePath();
// The executable's folder, ending with '/'.
CString GetModuleFolder();

void CopyToString(LPCWSTR text, CString& out);

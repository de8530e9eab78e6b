// Output paths that would destroy the user's files: an output over one of the listed input
// images, or the AVI and WMV outputs on one file. Open files can be unlinked on Linux, so the
// writers would not be stopped by the files being in use.
#pragma once

#include "foundation/error_numbers.h"
#include "platform/afx/cstring.h"

class CStringArray;

// Whether two paths name one file, also through links and "." or ".." steps; a path that does
// not exist yet is compared by the file it would create.
bool IsSameFile(const CString& a, const CString& b);

// 0, or the error number that refuses path as an output; other is the output chosen before it
// (empty when there is none).
int CheckOutputPath(const CString& path, const CStringArray& inputs, const CString& other);

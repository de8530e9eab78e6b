// Output paths that would destroy the user's files: an output over one of the listed input
// images, or the AVI and WMV outputs on one file. Open files can be unlinked on Linux, so the
// writers would not be stopped by the files being in use.
#pragma once

#include "foundation/error_numbers.h"
#include "platform/afx/cstring.h"

class CStringArray;

// 0, or the error number that refuses path as an output: when it names one of the inputs or the
// output chosen before it (other; empty when there is none), also through links and "." or ".."
// steps. A path that does not exist yet is compared by the file it would create.
int CheckOutputPath(const CString& path, const CStringArray& inputs, const CString& other);

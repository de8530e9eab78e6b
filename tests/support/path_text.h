// A test's file path (UTF-8) as the program's file functions take it.
#pragma once

#include "platform/afx/cstring.h"
#include "platform/win/text.h"

#include <string>

inline CString PathOf(const std::string& path) { return CString(Utf8ToUtf16(path).c_str()); }

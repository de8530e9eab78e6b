// Lets GoogleTest print CStrings readably in failure messages.
#pragma once

#include "platform/afx/cstring.h"
#include "platform/win/text.h"

#include <ostream>

inline void PrintTo(const CString& text, std::ostream* os) { *os << '"' << Utf16ToUtf8(text.View()) << '"'; }

// Lets GoogleTest print CStrings readably in failure messages, and compare them as standard strings.
#pragma once

#include "platform/afx/cstring.h"
#include "platform/win/text.h"

#include <ostream>
#include <string>

inline void PrintTo(const CString& text, std::ostream* os) { *os << '"' << Utf16ToUtf8(text.View()) << '"'; }

inline std::u16string Text(const CString& s) { return std::u16string(s.View()); }

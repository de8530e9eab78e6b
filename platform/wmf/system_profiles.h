// The built-in system profiles of format versions 4, 7 and 8, as profile documents.
#pragma once

#include "platform/wmf/wm_types.h"

#include <optional>
#include <string>

namespace wmf {

// 0 for a version without system profiles.
DWORD SystemProfileCount(WMT_VERSION version);

// The document of the 0-based index, in the same XML form as a profile file.
std::optional<std::u16string> SystemProfileDocument(WMT_VERSION version, DWORD index);

} // namespace wmf

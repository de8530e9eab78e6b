#include "resources/string_table.h"

#include <array>

namespace {

constexpr std::array kStatus = {
    StringResource{43041, u"【一時停止中】"},
    StringResource{43042, u"[Pause]"},
};

} // namespace

std::span<const StringResource> StatusStrings() { return kStatus; }

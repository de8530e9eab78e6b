#include "foundation/string_to_int.h"

#include <cstdint>
#include <limits>

namespace {
bool IsSpace(WCHAR c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }
} // namespace

int StringToInt(const WCHAR* text)
{
    if (!text)
        return 0;
    while (IsSpace(*text))
        ++text;
    bool negative = false;
    if (*text == u'+' || *text == u'-')
        negative = *text++ == u'-';
    // The magnitude is kept within the 64-bit range: past it the result saturates.
    const uint64_t limit = negative ? static_cast<uint64_t>(std::numeric_limits<int64_t>::max()) + 1
                                    : static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
    uint64_t magnitude = 0;
    for (; *text >= u'0' && *text <= u'9'; ++text) {
        const auto digit = static_cast<uint64_t>(*text - u'0');
        magnitude = magnitude > (limit - digit) / 10 ? limit : magnitude * 10 + digit;
    }
    const uint64_t bits = negative ? 0 - magnitude : magnitude;
    return static_cast<int>(static_cast<uint32_t>(bits));
}

// Any bytes, read as UTF-16 text, through the profile-file parser.
#include "platform/wmf/profile_parser.h"
#include "tests/fuzz/fuzz_support.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::u16string text(size / 2, u'\0');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
    // The profile files' reader drops a byte-order mark before parsing.
    if (!text.empty() && text.front() == u'\uFEFF')
        text.erase(0, 1);
    const auto profile = wmf::ParseProfile(text);
    if (profile)
        fuzz::Check(wmf::ParseProfile(text).has_value(), "a profile parses the same twice");
    return 0;
}

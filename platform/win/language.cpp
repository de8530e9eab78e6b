#include "platform/win/language.h"

#include <cstdlib>
#include <string_view>

namespace {

std::string_view MessagesLocale()
{
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return value;
    }
    return {};
}

} // namespace

LANGID GetSystemDefaultLangID()
{
    if (MessagesLocale().starts_with("ja"))
        return MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
    return MAKELANGID(LANG_ENGLISH, SUBLANG_DEFAULT);
}

#include "platform/win/config_folder.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace {

std::string HomeFolder()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    return "/";
}

} // namespace

std::string UserConfigFolder()
{
    std::string base;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && config[0] == '/')
        base = config;
    else
        base = HomeFolder() + "/.config";
    return base + "/torvina";
}

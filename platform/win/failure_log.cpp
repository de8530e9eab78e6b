#include "platform/win/failure_log.h"

#include <cstdio>
#include <string>
#include <system_error>

void LogFailure(std::string_view what, std::string_view cause)
{
    // One write per line, so lines of two threads do not interleave.
    const std::string line = "torvina: " + std::string(what) + ": " + std::string(cause) + "\n";
    std::fputs(line.c_str(), stderr);
}

void LogSystemFailure(std::string_view what, int error)
{
    LogFailure(what, std::error_code(error, std::generic_category()).message());
}

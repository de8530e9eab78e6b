// One line on stderr for a failure that reaches the user as an error number, so the number in a
// box has its cause in the log. Called where a library or system call failed, never on success.
#pragma once

#include <string_view>

void LogFailure(std::string_view what, std::string_view cause);
// The cause is the text of an errno value.
void LogSystemFailure(std::string_view what, int error);

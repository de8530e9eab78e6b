// The user's settings folder of the program: $XDG_CONFIG_HOME/torvina, or ~/.config/torvina when
// the variable is unset or not an absolute path. Read from the environment on every call.
#pragma once

#include <string>

std::string UserConfigFolder();

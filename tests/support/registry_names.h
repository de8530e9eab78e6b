// Reads back which values the program stored under a key of the current user's registry.
#pragma once

#include <string>
#include <vector>

// Names of the key's values in the order they were first written; none when the key is missing.
std::vector<std::u16string> RegistryValueNames(const char16_t* subKey);

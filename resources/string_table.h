// The program's single string table: both texts of every language pair and the one-language texts.
#pragma once

#include "platform/win/types.h"

#include <span>

struct StringResource {
    UINT id;
    LPCWSTR text;
};

// The entry with this identifier, or null when the table has none.
LPCWSTR FindResourceString(UINT id);

// Each group of the table lives in a file of its own; sorted by identifier within itself.
std::span<const StringResource> StatusStrings();
std::span<const StringResource> ErrorStrings();

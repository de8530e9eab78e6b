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

// Each group of the table lives in a file of its own; sorted by identifier within itself. No
// identifier stands in two groups.
using StringGroup = std::span<const StringResource> (*)();
std::span<const StringGroup> StringTableGroups();

std::span<const StringResource> StatusStrings();
std::span<const StringResource> ErrorStrings();

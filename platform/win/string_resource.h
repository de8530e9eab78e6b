// Entries of the program's string table, found by identifier through the resource provider.
#pragma once

#include "platform/win/types.h"

struct StringResource {
    UINT id;
    LPCWSTR text;
};

// The entry with this identifier, or null when the table has none.
LPCWSTR FindResourceString(UINT id);

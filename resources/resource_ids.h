// Identifiers of the program's resources that code names. Strings and dialog templates are
// numbered where their tables stand.
#pragma once

#include "platform/win/types.h"

// The main frame's Japanese menu, accelerator table, toolbar and icon; the icon is the
// application's icon on every window.
constexpr UINT IDR_MAINFRAME = 128;
// The main frame's English menu and icon.
constexpr UINT IDR_MAINFRAME_ENGLISH = 129;

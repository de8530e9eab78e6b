// The description of the default interface font, for controls that build their own copy of it.
#pragma once

#include "platform/win/ui_types.h"

void GetDefaultGuiFont(LOGFONTW* out);

// Edit-field text to an integer.
#pragma once

#include "platform/win/types.h"

// The text as a decimal number (leading white space, optional sign, digits up to the first other
// character, 0 without digits), saturated at the 64-bit limits; the low 32 bits as a signed int.
int StringToInt(const WCHAR* text);

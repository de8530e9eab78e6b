// How the auxiliary dialogs map stored values to list and radio rows and back.
#pragma once

#include "platform/afx/cstring.h"

#include <span>

// The first row whose value equals value, or -1 when none does.
int RowOfValue(std::span<const int> values, int value);
// The value OK stores: the selected row's value, or the stored value when no row is selected
// (a stored value that matches no row is kept, never replaced by the list's -1).
int ValueOnOk(std::span<const int> values, int selectedRow, int storedValue);
// The same for lists whose row index is the value.
int RowValueOnOk(int selectedRow, int rowCount, int storedValue);
// The value of the first ticked row, or current when none is ticked.
int FirstTickedValue(std::span<const bool> ticked, std::span<const int> values, int current);
// A bit-rate row: the number and "kbps" right-aligned to seven characters ("  8kbps").
CString RateRowText(int kbps);

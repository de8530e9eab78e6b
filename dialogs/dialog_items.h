// Switching groups of a dialog's controls on and off together.
#pragma once

#include "platform/afx/cwnd.h"

#include <initializer_list>

// Enables or disables each of the dialog's controls in ids; ids with no control are passed over.
void EnableDlgItems(const CWnd& dialog, std::initializer_list<int> ids, bool on);

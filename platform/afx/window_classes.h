// The registry of window classes our own windows are created with.
#pragma once

#include "platform/afx/cstring.h"
#include "platform/win/ui_types.h"

// The background brush of a class AfxRegisterWndClass handed out, or null for any other name.
HBRUSH RegisteredClassBackground(const CString& className);

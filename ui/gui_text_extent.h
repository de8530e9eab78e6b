// Text measured in the default interface font, whatever the window's own font.
#pragma once

#include "platform/afx/cwnd.h"

CSize GetGuiTextExtent(CWnd* pWnd, const CString& text);

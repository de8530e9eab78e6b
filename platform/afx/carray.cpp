#include "platform/afx/carray.h"

IMPLEMENT_DYNAMIC(CStringArray, CObject)

// COM initialisation. Nothing here needs an apartment; the calls stay for their balance.
#pragma once

#include "platform/win/types.h"

HRESULT CoInitialize(LPVOID pvReserved);
void CoUninitialize();

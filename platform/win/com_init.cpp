#include "platform/win/com_init.h"

HRESULT CoInitialize(LPVOID) { return S_OK; }
void CoUninitialize() {}

// The creation record CreateEx hands to PreCreateWindow, filled from CreateEx's arguments.
#pragma once

#include "platform/win/ui_types.h"

inline CREATESTRUCT CreateStructOf(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x,
                                   int y, int nWidth, int nHeight, HWND hWndParent, UINT nID, LPVOID lpParam)
{
    CREATESTRUCT cs{};
    cs.lpCreateParams = lpParam;
    cs.hMenu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID));
    cs.hwndParent = hWndParent;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.style = static_cast<LONG>(dwStyle);
    cs.lpszName = lpszWindowName;
    cs.lpszClass = lpszClassName;
    cs.dwExStyle = dwExStyle;
    return cs;
}

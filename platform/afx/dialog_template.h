// Dialog templates as C++ tables: positions and sizes in dialog units. The program's templates
// come from the resource provider.
#pragma once

#include "platform/win/types.h"

#include <span>

struct DialogItemTemplate {
    int id;
    LPCWSTR windowClass; // u"BUTTON", u"EDIT", u"STATIC", u"COMBOBOX", u"LISTBOX", u"msctls_trackbar32", ...
    DWORD style;
    DWORD exStyle;
    short x;
    short y;
    short cx;
    short cy;
    LPCWSTR text;
};

struct DialogTemplate {
    UINT id;
    DWORD style;
    DWORD exStyle;
    short x;
    short y;
    short cx;
    short cy;
    LPCWSTR caption;
    LPCWSTR fontName;
    WORD pointSize;
    std::span<const DialogItemTemplate> items;
};

// The program's template with this identifier, or null.
const DialogTemplate* FindDialogTemplate(UINT id);

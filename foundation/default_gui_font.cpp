#include "foundation/default_gui_font.h"

#include "platform/afx/gdi.h"

void GetDefaultGuiFont(LOGFONTW* out)
{
    if (out)
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(LOGFONTW), out);
}

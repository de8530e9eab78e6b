// The main window's menus (128 Japanese, 129 English), the view's context menus (140, 141),
// accelerator table 128 and tool bar 128.
#pragma once

#include "platform/win/menu_resource.h"

const MenuResource* FindProgramMenu(UINT id);
const AcceleratorTableResource* FindProgramAccelerators(UINT id);
const ToolBarResource* FindProgramToolBar(UINT id);

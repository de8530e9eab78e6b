// Menus, accelerator tables and tool bars as the program's resources describe them.
#pragma once

#include "platform/win/types.h"

#include <cstddef>
#include <span>

// One item: a command (id and text), a separator (MF_SEPARATOR) or a popup (MF_POPUP) whose items
// follow in popup/popupCount.
struct MenuItemResource {
    UINT flags;
    UINT id;
    LPCWSTR text;
    const MenuItemResource* popup = nullptr;
    std::size_t popupCount = 0;

    std::span<const MenuItemResource> Items() const { return {popup, popupCount}; }
};

struct MenuResource {
    UINT id;
    std::span<const MenuItemResource> items;
};

// Accelerator flags: the key is a virtual-key code, with these modifiers.
constexpr BYTE FVIRTKEY = 0x01, FSHIFT = 0x04, FCONTROL = 0x08, FALT = 0x10;

struct AcceleratorResource {
    BYTE fVirt;
    WORD key;
    WORD cmd;
};

struct AcceleratorTableResource {
    UINT id;
    std::span<const AcceleratorResource> entries;
};

// Buttons in order; 0 stands for a separator. Each button's image is drawn by the provider.
struct ToolBarResource {
    UINT id;
    int buttonWidth;
    int buttonHeight;
    std::span<const UINT> buttons;
};

// The menu, accelerator table, tool bar or icon resource kinds that share an id.
std::span<const MenuItemResource> FindMenuItems(UINT id);
const AcceleratorTableResource* FindAcceleratorTable(UINT id);
const ToolBarResource* FindToolBarResource(UINT id);

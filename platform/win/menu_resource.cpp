#include "platform/win/menu_resource.h"

#include "platform/win/resource_provider.h"

std::span<const MenuItemResource> FindMenuItems(UINT id)
{
    const ResourceProvider* provider = InstalledResourceProvider();
    const MenuResource* menu = provider ? provider->FindMenu(id) : nullptr;
    return menu ? menu->items : std::span<const MenuItemResource>();
}

const AcceleratorTableResource* FindAcceleratorTable(UINT id)
{
    const ResourceProvider* provider = InstalledResourceProvider();
    return provider ? provider->FindAccelerators(id) : nullptr;
}

const ToolBarResource* FindToolBarResource(UINT id)
{
    const ResourceProvider* provider = InstalledResourceProvider();
    return provider ? provider->FindToolBar(id) : nullptr;
}

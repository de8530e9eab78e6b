// The program's resources as the platform reads them. The resources belong to the program, which
// installs its provider at start-up; until then every lookup finds nothing.
#pragma once

#include "platform/win/types.h"

#include <span>

struct StringResource;
struct DialogTemplate;
struct MenuResource;
struct AcceleratorTableResource;
struct ToolBarResource;
struct DataResource;
class QIcon;

class ResourceProvider {
public:
    virtual ~ResourceProvider() = default;

    // Every string entry, sorted by identifier, no identifier twice.
    virtual std::span<const StringResource> Strings() const = 0;
    virtual std::span<const DialogTemplate* const> DialogTemplates() const = 0;
    // The icon with this id at every size it comes in, or a null icon.
    virtual QIcon DrawIcon(UINT id) const = 0;
    // The version record: a version resource block with the fixed file information at byte 40.
    virtual std::span<const BYTE> VersionRecord() const = 0;
    // Menus, accelerator tables and tool bars by id, or null.
    virtual const MenuResource* FindMenu(UINT id) const = 0;
    virtual const AcceleratorTableResource* FindAccelerators(UINT id) const = 0;
    virtual const ToolBarResource* FindToolBar(UINT id) const = 0;
    // The image of one tool bar button (buttonWidth x buttonHeight), or a null icon.
    virtual QIcon DrawToolBarButton(UINT toolBarId, UINT commandId) const = 0;
    // Pictures and bitmaps by type and id (platform/win/module.h); none unless a provider has any.
    virtual std::span<const DataResource> DataResources() const { return {}; }
};

// The provider must outlive every lookup; null uninstalls.
void InstallResourceProvider(const ResourceProvider* provider);
// The installed provider, or null.
const ResourceProvider* InstalledResourceProvider();

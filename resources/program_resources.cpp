#include "resources/program_resources.h"

#include "resources/dialog_table.h"
#include "resources/icons.h"
#include "resources/menus.h"
#include "resources/string_table.h"
#include "resources/toolbar_images.h"
#include "resources/version_info.h"

namespace {

class ProgramResourceProvider final : public ResourceProvider {
public:
    std::span<const StringResource> Strings() const override { return StringTableEntries(); }
    std::span<const DialogTemplate* const> DialogTemplates() const override { return ::DialogTemplates(); }
    QIcon DrawIcon(UINT id) const override { return DrawIconResource(id); }
    std::span<const BYTE> VersionRecord() const override { return VersionResourceBlock(); }
    const MenuResource* FindMenu(UINT id) const override { return FindProgramMenu(id); }
    const AcceleratorTableResource* FindAccelerators(UINT id) const override { return FindProgramAccelerators(id); }
    const ToolBarResource* FindToolBar(UINT id) const override { return FindProgramToolBar(id); }
    QIcon DrawToolBarButton(UINT toolBarId, UINT commandId) const override
    {
        return FindProgramToolBar(toolBarId) ? DrawToolBarImage(commandId) : QIcon();
    }
};

} // namespace

const ResourceProvider& ProgramResources()
{
    static const ProgramResourceProvider provider;
    return provider;
}

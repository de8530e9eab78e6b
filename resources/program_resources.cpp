#include "resources/program_resources.h"

#include "resources/dialog_table.h"
#include "resources/icons.h"
#include "resources/string_table.h"
#include "resources/version_info.h"

namespace {

class ProgramResourceProvider final : public ResourceProvider {
public:
    std::span<const StringResource> Strings() const override { return StringTableEntries(); }
    std::span<const DialogTemplate* const> DialogTemplates() const override { return ::DialogTemplates(); }
    QIcon DrawIcon(UINT id) const override { return DrawIconResource(id); }
    std::span<const BYTE> VersionRecord() const override { return VersionResourceBlock(); }
};

} // namespace

const ResourceProvider& ProgramResources()
{
    static const ProgramResourceProvider provider;
    return provider;
}

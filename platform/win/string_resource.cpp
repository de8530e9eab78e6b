#include "platform/win/string_resource.h"

#include "platform/win/resource_provider.h"

#include <algorithm>

LPCWSTR FindResourceString(UINT id)
{
    const ResourceProvider* provider = InstalledResourceProvider();
    if (!provider)
        return nullptr;
    const std::span<const StringResource> strings = provider->Strings();
    const auto it = std::lower_bound(strings.begin(), strings.end(), id,
                                     [](const StringResource& e, UINT key) { return e.id < key; });
    return it != strings.end() && it->id == id ? it->text : nullptr;
}

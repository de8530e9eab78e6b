#include "resources/string_table.h"

#include <array>
#include <map>

namespace {

constexpr auto kGroups = std::to_array<StringGroup>({
    &StatusStrings,
    &ErrorStrings,
});

const std::map<UINT, LPCWSTR>& Table()
{
    static const std::map<UINT, LPCWSTR> table = [] {
        std::map<UINT, LPCWSTR> t;
        for (StringGroup group : kGroups)
            for (const StringResource& entry : group())
                t.emplace(entry.id, entry.text);
        return t;
    }();
    return table;
}

} // namespace

std::span<const StringGroup> StringTableGroups() { return kGroups; }

LPCWSTR FindResourceString(UINT id)
{
    const auto& table = Table();
    const auto it = table.find(id);
    return it == table.end() ? nullptr : it->second;
}

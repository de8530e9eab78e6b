#include "resources/string_table.h"

#include <array>
#include <map>

namespace {

using Group = std::span<const StringResource> (*)();

constexpr std::array kGroups = {
    &StatusStrings,
    &ErrorStrings,
};

const std::map<UINT, LPCWSTR>& Table()
{
    static const std::map<UINT, LPCWSTR> table = [] {
        std::map<UINT, LPCWSTR> t;
        for (Group group : kGroups)
            for (const StringResource& entry : group())
                t.emplace(entry.id, entry.text);
        return t;
    }();
    return table;
}

} // namespace

LPCWSTR FindResourceString(UINT id)
{
    const auto& table = Table();
    const auto it = table.find(id);
    return it == table.end() ? nullptr : it->second;
}

#include "resources/string_table.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

// A new group: a file of its own (strings_<name>.cpp), its function declared in string_table.h
// and one line here.
constexpr auto kGroups = std::to_array<StringGroup>({
    &StatusStrings,
    &ErrorStrings,
    &AuxDialogStrings,
    &EncoderSettingsStrings,
    &FrameStrings,
    &ClipResizeStrings,
    &DialogBaseStrings,
});

std::vector<StringResource> SortedEntries()
{
    std::vector<StringResource> entries;
    for (StringGroup group : kGroups)
        entries.insert(entries.end(), group().begin(), group().end());
    // Should an identifier stand twice, the first group's text is the one found.
    std::stable_sort(entries.begin(), entries.end(),
                     [](const StringResource& a, const StringResource& b) { return a.id < b.id; });
    const auto duplicates = std::unique(entries.begin(), entries.end(),
                                        [](const StringResource& a, const StringResource& b) { return a.id == b.id; });
    entries.erase(duplicates, entries.end());
    return entries;
}

} // namespace

std::span<const StringGroup> StringTableGroups() { return kGroups; }

std::span<const StringResource> StringTableEntries()
{
    static const std::vector<StringResource> entries = SortedEntries();
    return entries;
}

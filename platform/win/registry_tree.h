// The registry's keys and typed values in memory, and their REGEDIT4-style text form.
#pragma once

#include "platform/win/types.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_EXPAND_SZ = 2;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;

namespace win {

struct RegistryValue {
    std::u16string name; // empty for the key's default value
    DWORD type = REG_NONE;
    std::vector<BYTE> data;

    bool operator==(const RegistryValue&) const = default;
};

struct RegistryKey {
    std::u16string path; // as first spelt, components joined by '\'
    std::vector<RegistryValue> values; // in the order they were first set

    const RegistryValue* FindValue(std::u16string_view name) const;
    bool operator==(const RegistryKey&) const = default;
};

// Names compare without regard to case (A to Z) and keep the spelling they were created with.
class RegistryTree {
public:
    const RegistryKey* FindKey(std::u16string_view path) const;
    // Creates the key and every missing level above it; false when it existed already.
    bool CreateKey(std::u16string_view path);
    // Sets a value, creating its key; false when the key already held exactly this value.
    bool SetValue(std::u16string_view path, const RegistryValue& value);
    DWORD CountSubKeys(std::u16string_view path) const;

    const std::map<std::u16string, RegistryKey>& Keys() const { return m_keys; }
    bool operator==(const RegistryTree&) const = default;

private:
    std::map<std::u16string, RegistryKey> m_keys; // by folded path
};

std::u16string FoldRegistryName(std::u16string_view name);
// A path is one or more non-empty components separated by single '\', free of control characters.
bool IsValidRegistryPath(std::u16string_view path);
bool IsValidValueName(std::u16string_view name);

std::string SerializeRegistry(const RegistryTree& tree);
// Empty when the text is not a complete file as SerializeRegistry writes it.
std::optional<RegistryTree> ParseRegistry(std::string_view text);

struct SalvagedRegistry {
    RegistryTree tree;
    size_t droppedLines = 0;
};
// Every key and value of a damaged file that still reads, with the count of lines left out.
SalvagedRegistry SalvageRegistry(std::string_view text);

} // namespace win

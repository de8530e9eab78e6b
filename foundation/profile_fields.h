// A settings record's keys written once: one row per value, and reading and writing walk the same
// rows in the same order, so a key cannot be spelled one way when read and another when written.
#pragma once

#include "foundation/profile_access.h"

#include <optional>
#include <span>
#include <type_traits>
#include <variant>

template <class Record>
struct ProfileField {
    LPCWSTR key;
    std::variant<int Record::*, CString Record::*> value;
    // A number read with this default when the key is missing, instead of the record's current value.
    std::optional<int> missingDefault = std::nullopt;
};

template <class Record>
void LoadProfileFields(LPCWSTR section, std::type_identity_t<std::span<const ProfileField<Record>>> fields,
                       Record& record)
{
    for (const ProfileField<Record>& field : fields) {
        if (const auto* number = std::get_if<int Record::*>(&field.value)) {
            int& target = record.**number;
            target = GetAppProfileInt(section, field.key, field.missingDefault.value_or(target));
        } else {
            CString& target = record.*std::get<CString Record::*>(field.value);
            target = GetAppProfileString(section, field.key, target);
        }
    }
}

template <class Record>
void SaveProfileFields(LPCWSTR section, std::type_identity_t<std::span<const ProfileField<Record>>> fields,
                       const Record& record)
{
    for (const ProfileField<Record>& field : fields) {
        if (const auto* number = std::get_if<int Record::*>(&field.value))
            WriteAppProfileInt(section, field.key, record.**number);
        else
            WriteAppProfileString(section, field.key, record.*std::get<CString Record::*>(field.value));
    }
}

// The program's single string table: both texts of every language pair and the one-language texts.
#pragma once

#include "platform/win/string_resource.h"

#include <span>

// Every entry of every group, sorted by identifier.
std::span<const StringResource> StringTableEntries();

// Each group of the table lives in a file of its own; sorted by identifier within itself. No
// identifier stands in two groups.
using StringGroup = std::span<const StringResource> (*)();
std::span<const StringGroup> StringTableGroups();

std::span<const StringResource> StatusStrings();
std::span<const StringResource> ErrorStrings();
std::span<const StringResource> AuxDialogStrings();
std::span<const StringResource> EncoderSettingsStrings();
std::span<const StringResource> FrameStrings();
std::span<const StringResource> ClipResizeStrings();
std::span<const StringResource> DialogBaseStrings();

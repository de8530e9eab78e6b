// Reads a profile document (UTF-16 XML) into a ProfileDescription.
#pragma once

#include "platform/wmf/profile_description.h"

#include <optional>
#include <string_view>

namespace wmf {

// Longest profile document accepted, in characters; real ones are a few kilobytes.
constexpr size_t kMaxProfileChars = 512 * 1024;

// Empty when the text is not a well-formed profile or asks for values out of range. Inputs of a
// type other than audio and video are kept (the writer refuses them); a second stream of the same
// audio or video type is refused, as only one bit rate per type can be encoded.
std::optional<ProfileDescription> ParseProfile(std::u16string_view text);

} // namespace wmf

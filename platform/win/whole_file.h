// Small files read and written whole. Reads never wait: a named pipe, a device or a folder where
// a settings file belongs is refused at once instead of blocking the program in open() or read().
// Writes replace the file atomically and only with every byte.
#pragma once

#include <string>
#include <string_view>

namespace win {

enum class WholeFileRead { Read, Missing, NotRegular, TooLarge, Failed };

// The bytes of the regular file at path, when it holds at most maxBytes (also when it grows
// while being read); errno tells why a Failed read failed.
WholeFileRead ReadWholeRegularFile(const std::string& path, long long maxBytes, std::string& bytes);

// Replaces the file at path by one holding exactly the bytes, or leaves it as it was and says why.
bool ReplaceWholeFile(const std::string& path, std::string_view bytes, std::string& error);

} // namespace win

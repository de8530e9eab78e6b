// Small files read whole, never waiting: a named pipe, a device or a folder where a settings file
// belongs is refused at once instead of blocking the program in open() or read().
#pragma once

#include <string>

namespace win {

enum class WholeFileRead { Read, Missing, NotRegular, TooLarge, Failed };

// The bytes of the regular file at path, when it holds at most maxBytes (also when it grows
// while being read); errno tells why a Failed read failed.
WholeFileRead ReadWholeRegularFile(const std::string& path, long long maxBytes, std::string& bytes);

} // namespace win

// Shared by the fuzz harnesses: a scratch folder of their own, files written into it, and a
// check that stops the run with a message when a behaviour is broken.
#pragma once

#include "platform/win/heap.h"
#include "platform/win/types.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fuzz {

// A folder made for this process on first use and removed when it ends.
const std::string& ScratchFolder();

// Writes the bytes to name inside the scratch folder; returns the file's UTF-16 path.
std::u16string WriteScratchFile(const std::string& name, const uint8_t* data, size_t size);
std::vector<uint8_t> ReadScratchFile(const std::string& name);

// A movable global block holding the bytes; null for none.
HGLOBAL GlobalBlockOf(const uint8_t* data, size_t size);

// Reports what broke and aborts, so the fuzzer keeps the input.
[[noreturn]] void Fail(const char* what);
inline void Check(bool holds, const char* what)
{
    if (!holds)
        Fail(what);
}

// Silences the libraries' own warnings so the run's output stays readable.
void QuietLibraries();

} // namespace fuzz

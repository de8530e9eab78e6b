// The checks every image reader's harness makes of one input.
#pragma once

#include "image/packed_dib.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz {

// Loads the bytes as a file named "input" + extension. A picture that loads must load again into
// its own block, which comes back as itself with the same bytes; a block of another size is
// released. Returns the first load's block, or null.
DibPtr CheckImageReader(CImgFile& reader, const std::string& extension, const uint8_t* data, size_t size);

// The bytes a loaded block holds: header and pixel area.
size_t BlockBytes(const BITMAPINFOHEADER* dib);

} // namespace fuzz

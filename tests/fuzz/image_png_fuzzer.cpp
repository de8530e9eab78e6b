// Any bytes as a .png file through the png reader. Every whole chunk gets its right CRC before the
// file is written: with a wrong one libpng stops at the check and the decoder is never reached.
#include "image/png_file.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/fuzz/image_reader_checks.h"

#include <zlib.h>

#include <vector>

namespace {

constexpr size_t kSignatureBytes = 8;

uint32_t BigEndian32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 | static_cast<uint32_t>(p[2]) << 8 |
           p[3];
}

void RepairChunkCrcs(std::vector<uint8_t>& file)
{
    size_t at = kSignatureBytes;
    while (at + 12 <= file.size()) {
        const size_t length = BigEndian32(&file[at]);
        if (length > file.size() - at - 12)
            return;
        const uint8_t* typeAndData = &file[at + 4];
        const uLong crc = crc32(crc32(0L, Z_NULL, 0), typeAndData, static_cast<uInt>(length + 4));
        uint8_t* stored = &file[at + 8 + length];
        stored[0] = static_cast<uint8_t>(crc >> 24);
        stored[1] = static_cast<uint8_t>(crc >> 16);
        stored[2] = static_cast<uint8_t>(crc >> 8);
        stored[3] = static_cast<uint8_t>(crc);
        at += length + 12;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool quiet = (fuzz::QuietLibraries(), true);
    (void)quiet;
    std::vector<uint8_t> file(data, data + size);
    RepairChunkCrcs(file);
    CImgFilePng reader;
    fuzz::CheckImageReader(reader, ".png", file.data(), file.size());
    return 0;
}

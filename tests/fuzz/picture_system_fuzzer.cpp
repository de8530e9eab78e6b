// Any bytes through the system picture reader, from a file and from a global-memory block.
#include "image/img_file_com.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/fuzz/image_reader_checks.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool quiet = (fuzz::QuietLibraries(), true);
    (void)quiet;
    CImgFileCom reader;
    const DibPtr fromFile = fuzz::CheckImageReader(reader, ".pic", data, size);
    HGLOBAL input = fuzz::GlobalBlockOf(data, size);
    if (!input)
        return 0;
    const DibPtr fromMemory(reader.LoadFromMemory(input, nullptr));
    GlobalFree(input);
    fuzz::Check((fromMemory != nullptr) == (fromFile != nullptr), "file and memory loads both succeed or both fail");
    if (fromMemory)
        fuzz::Check(std::memcmp(fromMemory.get(), fromFile.get(), fuzz::BlockBytes(fromFile.get())) == 0,
                    "file and memory loads agree");
    return 0;
}

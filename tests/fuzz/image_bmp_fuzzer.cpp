// Any bytes as a .bmp file through the bmp reader.
#include "image/bmp_file.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/fuzz/image_reader_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool quiet = (fuzz::QuietLibraries(), true);
    (void)quiet;
    CImgFileBmp reader;
    fuzz::CheckImageReader(reader, ".bmp", data, size);
    return 0;
}

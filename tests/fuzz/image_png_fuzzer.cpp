// Any bytes as a .png file through the png reader.
#include "image/png_file.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/fuzz/image_reader_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool quiet = (fuzz::QuietLibraries(), true);
    (void)quiet;
    CImgFilePng reader;
    fuzz::CheckImageReader(reader, ".png", data, size);
    return 0;
}

// Any bytes as a .tif file through the tiff reader.
#include "image/tiff_file.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/fuzz/image_reader_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool quiet = (fuzz::QuietLibraries(), true);
    (void)quiet;
    CImgFileTiff reader;
    fuzz::CheckImageReader(reader, ".tif", data, size);
    return 0;
}

// Any bytes as a .jpg file and as a global-memory block through the JPEG reader: both ways
// decode the same picture or both fail.
#include "image/jpeg_file.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/fuzz/image_reader_checks.h"

#include <cstring>

namespace {

// Above this the file and memory decodes are not compared, to stay within the run's memory.
constexpr size_t kLargestCompared = size_t{256} << 20;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool quiet = (fuzz::QuietLibraries(), true);
    (void)quiet;
    CImgFileJpeg reader;
    DibPtr fromFile = fuzz::CheckImageReader(reader, ".jpg", data, size);
    if (fromFile && fuzz::BlockBytes(fromFile.get()) > kLargestCompared)
        return 0;
    HGLOBAL input = fuzz::GlobalBlockOf(data, size);
    if (!input)
        return 0;
    HGLOBAL fromMemory = reader.LoadFromMemory(input);
    GlobalFree(input);
    fuzz::Check((fromMemory != nullptr) == (fromFile != nullptr), "file and memory decodes both succeed or both fail");
    if (fromMemory) {
        const size_t bytes = fuzz::BlockBytes(fromFile.get());
        fuzz::Check(GlobalSize(fromMemory) == bytes, "the memory decode's block holds the picture");
        fuzz::Check(std::memcmp(GlobalLock(fromMemory), fromFile.get(), bytes) == 0, "file and memory decodes agree");
        GlobalUnlock(fromMemory);
        GlobalFree(fromMemory);
    }
    return 0;
}

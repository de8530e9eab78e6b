// The reader chosen by a file's extension: the first byte picks the extension, the rest is the file.
#include "image/res_img_file.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/fuzz/image_reader_checks.h"

#include <iterator>

namespace {

const char* const kExtensions[] = {".jpg", ".JPEG", ".bmp", ".png", ".tif", ".Tiff", ".gif", ""};

// The reader by extension, seen as an image reader.
class ByExtension : public CImgFile {
public:
    BITMAPINFOHEADER* Load(LPCWSTR path, BITMAPINFOHEADER* reuse) override { return m_reader.Load(path, reuse); }

private:
    CResImgFile m_reader;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool quiet = (fuzz::QuietLibraries(), true);
    (void)quiet;
    if (size == 0)
        return 0;
    const char* extension = kExtensions[data[0] % std::size(kExtensions)];
    ByExtension reader;
    fuzz::CheckImageReader(reader, extension, data + 1, size - 1);
    return 0;
}

#include "tests/fuzz/image_reader_checks.h"

#include "tests/fuzz/fuzz_support.h"

#include <functional>
#include <string_view>

namespace fuzz {

namespace {

size_t Digest(const BITMAPINFOHEADER* dib, size_t bytes)
{
    return std::hash<std::string_view>()(std::string_view(reinterpret_cast<const char*>(dib), bytes));
}

} // namespace

size_t BlockBytes(const BITMAPINFOHEADER* dib)
{
    const int64_t height = dib->biHeight < 0 ? -int64_t{dib->biHeight} : dib->biHeight;
    return sizeof(BITMAPINFOHEADER) + DibPixelAreaBytes(dib->biWidth, height, dib->biBitCount);
}

DibPtr CheckImageReader(CImgFile& reader, const std::string& extension, const uint8_t* data, size_t size)
{
    const std::u16string path = WriteScratchFile("input" + extension, data, size);
    DibPtr first(reader.Load(path.c_str(), nullptr));
    if (!first)
        return nullptr;
    Check(first->biSize == sizeof(BITMAPINFOHEADER), "a loaded block starts with its header");
    Check(first->biBitCount == 24 || first->biBitCount == 48, "a loaded block holds 24 or 48 bits a pixel");
    const size_t bytes = BlockBytes(first.get());
    Check(bytes > sizeof(BITMAPINFOHEADER), "a loaded block has pixels");
    // A digest, not a copy: a picture may be as large as the bound on pixel areas.
    const size_t before = Digest(first.get(), bytes);

    BITMAPINFOHEADER* reused = first.release();
    BITMAPINFOHEADER* again = reader.Load(path.c_str(), reused);
    Check(again == reused, "the reuse block comes back as itself");
    first.reset(again);
    Check(Digest(first.get(), bytes) == before, "a picture loads the same into its own block");

    // A block of another size is released (the leak checker sees it if not).
    if (first->biBitCount == 24 && first->biWidth < 4096) {
        BITMAPINFOHEADER* other = AcquireFrameBlock(nullptr, first->biWidth + 1, 1);
        Check(reader.Load(path.c_str(), other) == nullptr, "a block of another size is refused");
    }
    return first;
}

} // namespace fuzz

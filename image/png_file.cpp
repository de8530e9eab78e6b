#include "image/png_file.h"

#include "image/file_stream.h"

#include <csetjmp>
#include <cstring>
#include <memory>

#include <png.h>

namespace {

// A library error leaves the call through the jump point; nothing is printed.
[[noreturn]] void PngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void PngWarning(png_structp, png_const_charp) {}

// Runs the library between one jump point and its clean-up; only plain data lives in this frame.
BITMAPINFOHEADER* ReadPng(FILE* file, BITMAPINFOHEADER* reuse)
{
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, PngError, PngWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        std::free(reuse);
        return nullptr;
    }
    BITMAPINFOHEADER* volatile block = reuse;
    png_bytep* volatile rows = nullptr;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        std::free(rows);
        std::free(block);
        return nullptr;
    }
    png_init_io(png, file);
    // Only the picture is read: every ancillary chunk is skipped unread, so a chunk whose length
    // claims gigabytes costs nothing (libpng would otherwise try to allocate it, even past its
    // own chunk limit, which it reports only as a warning).
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
    // Every chunk of image data is checked against its CRC already; zlib's own checksum of the
    // same bytes took a fifth of the decode.
    png_set_option(png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
    png_read_info(png, info);
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int depth = 0;
    int colourType = 0;
    int interlace = 0;
    png_get_IHDR(png, info, &width, &height, &depth, &colourType, &interlace, nullptr, nullptr);
    if (depth != 8 || colourType != PNG_COLOR_TYPE_RGB || DibPixelAreaBytes(width, height) == 0)
        png_longjmp(png, 1);

    rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * height));
    block = AcquireFrameBlock(block, width, height);
    if (!rows || !block)
        png_longjmp(png, 1);
    const size_t stride = DibRowStride(width);
    for (png_uint_32 i = 0; i < height; ++i)
        rows[i] = DibPixels(block) + stride * (height - 1 - i);
    // The library stores each row in the DIB's blue-green-red order as it unfilters it.
    png_set_bgr(png);
    // The picture is complete once its last row is read: what follows the image data (the end
    // chunk, text after the picture) is not read, so a file that lost only its end still loads.
    png_read_image(png, rows);

    std::free(rows);
    png_destroy_read_struct(&png, &info, nullptr);
    return block;
}

int WritePng(FILE* file, png_bytep* rows, png_uint_32 width, png_uint_32 height)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, PngError, PngWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return 0;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return 0;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return 1;
}

} // namespace

BITMAPINFOHEADER* CImgFilePng::Load(LPCWSTR path, BITMAPINFOHEADER* reuse)
{
    UniqueFile file(OpenFileStream(path, "rb"));
    if (!file) {
        std::free(reuse);
        return nullptr;
    }
    return ReadPng(file.get(), reuse);
}

int CImgFilePng::Save(const BYTE* bits, BITMAPINFOHEADER* header, LPCWSTR path)
{
    const int width = header->biWidth;
    const int height = header->biHeight;
    if (!bits || DibPixelAreaBytes(width, height) == 0)
        return 0;
    const size_t rowBytes = 3 * static_cast<size_t>(width);
    const size_t stride = DibRowStride(static_cast<uint64_t>(width));
    std::unique_ptr<BYTE[]> pixels(new (std::nothrow) BYTE[rowBytes * static_cast<size_t>(height)]);
    std::unique_ptr<png_bytep[]> rows(new (std::nothrow) png_bytep[static_cast<size_t>(height)]);
    if (!pixels || !rows)
        return 0;
    for (int j = 0; j < height; ++j) {
        BYTE* out = pixels.get() + rowBytes * static_cast<size_t>(height - 1 - j);
        const BYTE* in = bits + stride * static_cast<size_t>(j);
        for (int i = 0; i < width; ++i, in += 3, out += 3) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
        rows[height - 1 - j] = pixels.get() + rowBytes * static_cast<size_t>(height - 1 - j);
    }
    UniqueFile file(OpenFileStream(path, "wb"));
    if (!file)
        return 0;
    const int written = WritePng(file.get(), rows.get(), static_cast<png_uint_32>(width),
                                 static_cast<png_uint_32>(height));
    return std::fclose(file.release()) == 0 ? written : 0;
}

#include "image/tiff_file.h"

#include "foundation/mem_buff.h"
#include "foundation/string_char.h"
#include "image/file_stream.h"
#include "image/tiff_rgba.h"

#include <cstring>
#include <memory>

#include <tiffio.h>
#include <unistd.h>

namespace {

struct TiffCloser {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};
using UniqueTiff = std::unique_ptr<TIFF, TiffCloser>;

struct TiffFreer {
    void operator()(void* block) const { _TIFFfree(block); }
};
template <typename T>
using TiffBuffer = std::unique_ptr<T, TiffFreer>;

UniqueTiff OpenTiff(LPCWSTR path, const char* mode)
{
    if (!path)
        return nullptr;
    CStringChar name(path);
    if (!name.GetString() || !*name.GetString())
        return nullptr;
    if (mode[0] != 'r')
        return UniqueTiff(TIFFOpen(name.GetString(), mode));
    const int fd = OpenRegularFile(name.GetString());
    if (fd < 0)
        return nullptr;
    // The file is the library's from here, closed with it; a refused one stays ours.
    UniqueTiff tiff(TIFFFdOpen(fd, name.GetString(), mode));
    if (!tiff)
        close(fd);
    return tiff;
}

// Samples are copied in machine order, red, green, blue, top row first.
BITMAPINFOHEADER* Load48(TIFF* tiff, uint32_t width, uint32_t height, BITMAPINFOHEADER* reuse)
{
    DibPtr block(AcquireFrameBlock(reuse, width, height, 48));
    if (!block)
        return nullptr;
    const uint64_t area = DibPixelAreaBytes(width, height, 48);
    std::memset(block.get(), 0xFF, sizeof(BITMAPINFOHEADER) + area);
    InitBitmapInfoHeader(block.get(), static_cast<int>(width), static_cast<int>(height));
    block->biBitCount = 48;

    uint16_t planar = PLANARCONFIG_CONTIG;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_PLANARCONFIG, &planar);
    const size_t rowBytes = 6 * static_cast<size_t>(width);
    const size_t planeRowBytes = 2 * static_cast<size_t>(width);
    const bool separate = planar == PLANARCONFIG_SEPARATE;
    const tmsize_t scanline = TIFFScanlineSize(tiff);
    if (scanline != static_cast<tmsize_t>(separate ? planeRowBytes : rowBytes))
        return nullptr;
    TiffBuffer<BYTE> line(static_cast<BYTE*>(_TIFFmalloc(scanline)));
    if (!line)
        return nullptr;
    for (uint32_t i = 0; i < height; ++i) {
        BYTE* out = DibPixels(block.get()) + rowBytes * i;
        if (!separate) {
            if (TIFFReadScanline(tiff, line.get(), i, 0) < 1)
                return nullptr;
            std::memcpy(out, line.get(), rowBytes);
            continue;
        }
        for (uint16_t sample = 0; sample < 3; ++sample) {
            if (TIFFReadScanline(tiff, line.get(), i, sample) < 1)
                return nullptr;
            const auto* in = reinterpret_cast<const uint16_t*>(line.get());
            auto* samples = reinterpret_cast<uint16_t*>(out);
            for (uint32_t k = 0; k < width; ++k)
                samples[3 * k + sample] = in[k];
        }
    }
    return block.release();
}

BITMAPINFOHEADER* LoadRgba(TIFF* tiff, uint32_t width, uint32_t height, BITMAPINFOHEADER* reuse)
{
    DibPtr block(AcquireFrameBlock(reuse, width, height));
    if (!block || !ReadTiffRgba(tiff, block.get()))
        return nullptr;
    return block.release();
}

} // namespace

BITMAPINFOHEADER* CImgFileTiff::Load(LPCWSTR path, BITMAPINFOHEADER* reuse)
{
    DibPtr block(reuse);
    UniqueTiff tiff = OpenTiff(path, "r");
    if (!tiff)
        return nullptr;
    uint32_t width = 0;
    uint32_t height = 0;
    uint16_t bitsPerSample = 0;
    uint16_t samplesPerPixel = 1;
    // A missing sample size or count takes the format's default (1 bit, 1 sample).
    if (!TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &width) ||
        !TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &height) ||
        !TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_BITSPERSAMPLE, &bitsPerSample) ||
        !TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_SAMPLESPERPIXEL, &samplesPerPixel))
        return nullptr;
    if (bitsPerSample == 16 && samplesPerPixel == 3) {
        if (DibPixelAreaBytes(width, height, 48) == 0)
            return nullptr;
        return Load48(tiff.get(), width, height, block.release());
    }
    if (DibPixelAreaBytes(width, height) == 0)
        return nullptr;
    return LoadRgba(tiff.get(), width, height, block.release());
}

int CImgFileTiff::Save(const BYTE* bits, BITMAPINFOHEADER* header, LPCWSTR path)
{
    const int width = header->biWidth;
    const int height = header->biHeight;
    if (!bits || DibPixelAreaBytes(width, height) == 0)
        return 0;
    UniqueTiff tiff = OpenTiff(path, "w");
    if (!tiff)
        return 0;
    TIFFSetField(tiff.get(), TIFFTAG_IMAGEWIDTH, static_cast<uint32_t>(width));
    TIFFSetField(tiff.get(), TIFFTAG_IMAGELENGTH, static_cast<uint32_t>(height));
    TIFFSetField(tiff.get(), TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff.get(), TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tiff.get(), TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff.get(), TIFFTAG_SAMPLESPERPIXEL, 3);

    const size_t rowBytes = 3 * static_cast<size_t>(width);
    const size_t bytes = rowBytes * static_cast<size_t>(height);
    CMemBuffBase<unsigned char> buffer(static_cast<int>(bytes));
    if (!buffer.GetData())
        return 0;
    const size_t stride = DibRowStride(static_cast<uint64_t>(width));
    for (int j = 0; j < height; ++j) {
        const BYTE* in = bits + stride * static_cast<size_t>(j);
        BYTE* out = buffer.GetData() + rowBytes * static_cast<size_t>(height - 1 - j);
        for (int i = 0; i < width; ++i, in += 3, out += 3) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
    }
    const tmsize_t written = TIFFWriteEncodedStrip(tiff.get(), 0, buffer.GetData(), static_cast<tmsize_t>(bytes));
    // Closing flushes the directory; a failure there is a failed save as well.
    const bool flushed = TIFFFlush(tiff.get()) == 1;
    return written == static_cast<tmsize_t>(bytes) && flushed ? 1 : 0;
}

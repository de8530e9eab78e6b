#include "image/bmp_file.h"

#include "foundation/mem_buff.h"
#include "image/file_stream.h"
#include "platform/win/dib_rows.h"

#include <cstring>

namespace {

constexpr WORD kBitmapSignature = 0x4D42; // "BM"
constexpr int kPaletteEntries = 256;

bool SeekTo(FILE* file, uint64_t offset) { return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0; }

// Every byte range the file header or info header points at must lie inside the file, so a
// hostile size fails before anything is allocated.
bool InsideFile(uint64_t offset, uint64_t bytes, int64_t fileSize)
{
    return fileSize >= 0 && offset <= static_cast<uint64_t>(fileSize) &&
           bytes <= static_cast<uint64_t>(fileSize) - offset;
}

BITMAPINFOHEADER* Load24(FILE* file, int64_t fileSize, const BITMAPFILEHEADER& fileHeader, const BITMAPINFOHEADER& info,
                         BITMAPINFOHEADER* reuse)
{
    DibPtr block(reuse);
    const uint64_t area = DibPixelAreaBytes(info.biWidth, info.biHeight);
    if (area == 0 || !InsideFile(fileHeader.bfOffBits, area, fileSize) || !SeekTo(file, fileHeader.bfOffBits))
        return nullptr;
    block.reset(AcquireFrameBlock(block.release(), info.biWidth, info.biHeight));
    if (!block || !ReadFully(file, DibPixels(block.get()), area))
        return nullptr;
    return block.release();
}

BITMAPINFOHEADER* Load8(FILE* file, int64_t fileSize, const BITMAPFILEHEADER& fileHeader, const BITMAPINFOHEADER& info,
                        BITMAPINFOHEADER* reuse)
{
    DibPtr block(reuse);
    const uint64_t area = DibPixelAreaBytes(info.biWidth, info.biHeight);
    if (area == 0)
        return nullptr;
    const uint64_t colours = info.biClrUsed ? info.biClrUsed : kPaletteEntries;
    const uint64_t paletteOffset = sizeof(BITMAPFILEHEADER) + uint64_t{info.biSize};
    const uint64_t width = static_cast<uint64_t>(info.biWidth);
    const uint64_t height = static_cast<uint64_t>(info.biHeight);
    const uint64_t indexRowBytes = DibRowBytes(width, 8);
    const uint64_t indexBytes = indexRowBytes * height;
    if (colours > kPaletteEntries || !InsideFile(paletteOffset, 4 * colours, fileSize) ||
        !InsideFile(fileHeader.bfOffBits, indexBytes, fileSize))
        return nullptr;

    // Entries the file does not hold stay black, so no index reads outside the palette.
    CMemBuffBase<RGBQUAD> palette(kPaletteEntries);
    CMemBuffBase<unsigned char> indices(static_cast<int>(indexBytes));
    if (!palette.GetData() || !indices.GetData() || !palette.FillAll(0))
        return nullptr;
    if (!SeekTo(file, paletteOffset) || !ReadFully(file, palette.GetData(), 4 * colours) ||
        !SeekTo(file, fileHeader.bfOffBits) || !ReadFully(file, indices.GetData(), indexBytes))
        return nullptr;

    block.reset(AcquireFrameBlock(block.release(), info.biWidth, info.biHeight));
    if (!block)
        return nullptr;
    const uint64_t stride = DibRowStride(width);
    for (uint64_t r = 0; r < height; ++r) {
        const unsigned char* in = indices.GetData() + r * indexRowBytes;
        BYTE* out = DibPixels(block.get()) + r * stride;
        for (uint64_t i = 0; i < width; ++i, out += 3) {
            const RGBQUAD& entry = palette.GetData()[in[i]];
            out[0] = entry.rgbBlue;
            out[1] = entry.rgbGreen;
            out[2] = entry.rgbRed;
        }
    }
    return block.release();
}

} // namespace

BITMAPINFOHEADER* CImgFileBmp::Load(LPCWSTR path, BITMAPINFOHEADER* reuse)
{
    DibPtr block(reuse);
    UniqueFile file(OpenFileStream(path, "rb"));
    if (!file)
        return nullptr;
    BITMAPFILEHEADER fileHeader;
    BITMAPINFOHEADER info;
    if (!ReadFully(file.get(), &fileHeader, sizeof(fileHeader)) || !ReadFully(file.get(), &info, sizeof(info)))
        return nullptr;
    // Smaller (core) headers are not laid out as read; run-length and bit-field data are refused.
    if (info.biPlanes != 1 || info.biSize < sizeof(BITMAPINFOHEADER) || info.biCompression != BI_RGB)
        return nullptr;
    const int64_t fileSize = FileStreamSize(file.get());
    if (info.biBitCount == 24)
        return Load24(file.get(), fileSize, fileHeader, info, block.release());
    if (info.biBitCount == 8)
        return Load8(file.get(), fileSize, fileHeader, info, block.release());
    return nullptr;
}

int CImgFileBmp::Save(const BYTE* bits, BITMAPINFOHEADER* header, LPCWSTR path)
{
    const int width = header->biWidth;
    const int height = header->biHeight;
    if (!bits || DibPixelAreaBytes(width, height) == 0)
        return 0;
    InitBitmapInfoHeader(header, width, height);
    UniqueFile file(OpenFileStream(path, "wb"));
    if (!file)
        return 0;
    const DWORD headersBytes = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    BITMAPFILEHEADER fileHeader{};
    fileHeader.bfType = kBitmapSignature;
    fileHeader.bfSize = header->biSizeImage + headersBytes;
    fileHeader.bfOffBits = headersBytes;
    bool written = std::fwrite(&fileHeader, sizeof(fileHeader), 1, file.get()) == 1 &&
                   std::fwrite(header, sizeof(*header), 1, file.get()) == 1;
    // Rows go out with zero padding whatever the frame's pad bytes hold: they are not the
    // picture's, and the file must not carry stray memory.
    const size_t rowBytes = 3 * static_cast<size_t>(width);
    const size_t stride = DibRowStride(static_cast<uint64_t>(width));
    const BYTE zeros[3] = {};
    for (int r = 0; written && r < height; ++r) {
        written = std::fwrite(bits + stride * static_cast<size_t>(r), 1, rowBytes, file.get()) == rowBytes &&
                  std::fwrite(zeros, 1, stride - rowBytes, file.get()) == stride - rowBytes;
    }
    return std::fclose(file.release()) == 0 && written ? 1 : 0;
}

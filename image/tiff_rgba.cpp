#include "image/tiff_rgba.h"

#include "image/packed_dib.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

namespace {

struct TiffFreer {
    void operator()(void* block) const { _TIFFfree(block); }
};
template <typename T>
using TiffBuffer = std::unique_ptr<T, TiffFreer>;

template <typename T>
TiffBuffer<T> TiffAlloc(uint64_t count)
{
    const uint64_t bytes = count * sizeof(T);
    if (count == 0 || bytes / sizeof(T) != count || bytes > static_cast<uint64_t>(INT64_MAX))
        return nullptr;
    return TiffBuffer<T>(static_cast<T*>(_TIFFmalloc(static_cast<tmsize_t>(bytes))));
}

// How the file's rows and columns run against the picture's.
struct Layout {
    bool bottomUp;
    bool mirrored;
};

Layout LayoutOf(uint16_t orientation)
{
    return {orientation == ORIENTATION_BOTRIGHT || orientation == ORIENTATION_BOTLEFT ||
                orientation == ORIENTATION_RIGHTBOT || orientation == ORIENTATION_LEFTBOT,
            orientation == ORIENTATION_TOPRIGHT || orientation == ORIENTATION_BOTRIGHT ||
                orientation == ORIENTATION_RIGHTTOP || orientation == ORIENTATION_RIGHTBOT};
}

class RgbaImage {
public:
    RgbaImage() = default;
    ~RgbaImage()
    {
        if (m_begun)
            TIFFRGBAImageEnd(&m_image);
    }
    RgbaImage(const RgbaImage&) = delete;
    RgbaImage& operator=(const RgbaImage&) = delete;

    // Damaged data is passed over (stop-on-error off), so the rest of the picture still loads.
    bool Begin(TIFF* tiff)
    {
        char message[1024] = {};
        m_begun = TIFFRGBAImageOK(tiff, message) && TIFFRGBAImageBegin(&m_image, tiff, 0, message);
        return m_begun;
    }
    TIFFRGBAImage& Get() { return m_image; }

private:
    TIFFRGBAImage m_image{};
    bool m_begun = false;
};

// count RGBA entries into frame row `row` (bottom-up) from picture column left, reversed when
// the entries run from the picture's right to its left; the alpha bits are dropped.
void Store(BITMAPINFOHEADER* frame, uint32_t row, uint32_t left, const uint32_t* in, uint32_t count, bool reversed)
{
    BYTE* out = DibPixels(frame) + DibRowStride(frame->biWidth) * row + 3 * static_cast<size_t>(left);
    // Two loops rather than a choice per pixel, so each runs straight through.
    if (reversed) {
        for (uint32_t i = count; i-- > 0; out += 3) {
            out[0] = static_cast<BYTE>(TIFFGetB(in[i]));
            out[1] = static_cast<BYTE>(TIFFGetG(in[i]));
            out[2] = static_cast<BYTE>(TIFFGetR(in[i]));
        }
        return;
    }
    for (uint32_t i = 0; i < count; ++i, out += 3) {
        out[0] = static_cast<BYTE>(TIFFGetB(in[i]));
        out[1] = static_cast<BYTE>(TIFFGetG(in[i]));
        out[2] = static_cast<BYTE>(TIFFGetR(in[i]));
    }
}

// Rows one by one through the scanline reader, which decodes a strip of any size as it goes, and
// the conversion's own routine for a run of pixels.
bool ReadRows(TIFF* tiff, TIFFRGBAImage& image, BITMAPINFOHEADER* frame)
{
    const uint32_t width = image.width;
    const uint32_t height = image.height;
    const Layout layout = LayoutOf(image.orientation);
    uint32_t rowsPerStrip = 0;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_ROWSPERSTRIP, &rowsPerStrip);
    if (rowsPerStrip == 0 || rowsPerStrip > height)
        rowsPerStrip = height;
    const tmsize_t scanline = TIFFScanlineSize(tiff);
    if (scanline <= 0)
        return false;
    // Separate planes: red (or grey), green, blue, then alpha, as the conversion takes them.
    const bool grey = image.photometric == PHOTOMETRIC_MINISWHITE || image.photometric == PHOTOMETRIC_MINISBLACK ||
                      image.photometric == PHOTOMETRIC_PALETTE;
    const uint16_t colourPlanes = image.isContig ? 1 : grey ? 1 : 3;
    const uint16_t planes = static_cast<uint16_t>(colourPlanes + (!image.isContig && image.alpha ? 1 : 0));
    TiffBuffer<unsigned char> lines = TiffAlloc<unsigned char>(static_cast<uint64_t>(scanline) * planes);
    TiffBuffer<uint32_t> rgba = TiffAlloc<uint32_t>(width);
    if (!lines || !rgba)
        return false;
    unsigned char* plane[4] = {};
    for (uint16_t p = 0; p < planes; ++p)
        plane[p] = lines.get() + static_cast<size_t>(scanline) * p;
    bool any = false;
    for (uint32_t row = 0; row < height;) {
        bool read = true;
        for (uint16_t p = 0; p < planes && read; ++p)
            read = TIFFReadScanline(tiff, plane[p], row, p) == 1;
        uint32_t rows = 1;
        if (read) {
            if (image.isContig)
                image.put.contig(&image, rgba.get(), 0, row, width, 1, 0, 0, plane[0]);
            else
                image.put.separate(&image, rgba.get(), 0, row, width, 1, 0, 0, plane[0],
                                   colourPlanes == 3 ? plane[1] : plane[0], colourPlanes == 3 ? plane[2] : plane[0],
                                   planes > colourPlanes ? plane[colourPlanes] : nullptr);
            any = true;
        } else {
            // What follows damage in a strip does not decode either: the rest of it stays black.
            rows = std::min(rowsPerStrip - row % rowsPerStrip, height - row);
            std::memset(rgba.get(), 0, static_cast<size_t>(width) * sizeof(uint32_t));
        }
        for (uint32_t r = row; r < row + rows; ++r)
            Store(frame, layout.bottomUp ? r : height - 1 - r, 0, rgba.get(), width, layout.mirrored);
        row += rows;
    }
    return any;
}

// Tiles, or strips whose rows the scanline reader cannot hand out alone, one piece at a time
// through the conversion's whole reader, which turns each piece as the picture.
bool ReadPieces(TIFF* tiff, TIFFRGBAImage& image, BITMAPINFOHEADER* frame)
{
    const uint32_t width = image.width;
    const uint32_t height = image.height;
    const Layout layout = LayoutOf(image.orientation);
    uint32_t pieceWidth = width;
    uint32_t pieceHeight = 0;
    if (TIFFIsTiled(tiff)) {
        TIFFGetField(tiff, TIFFTAG_TILEWIDTH, &pieceWidth);
        TIFFGetField(tiff, TIFFTAG_TILELENGTH, &pieceHeight);
    } else {
        TIFFGetFieldDefaulted(tiff, TIFFTAG_ROWSPERSTRIP, &pieceHeight);
    }
    if (pieceWidth == 0 || pieceWidth > width)
        pieceWidth = width;
    if (pieceHeight == 0 || pieceHeight > height)
        pieceHeight = height;
    TiffBuffer<uint32_t> raster = TiffAlloc<uint32_t>(static_cast<uint64_t>(pieceWidth) * pieceHeight);
    if (!raster)
        return false;
    image.req_orientation = ORIENTATION_BOTLEFT;
    bool any = false;
    for (uint32_t top = 0; top < height; top += pieceHeight)
        for (uint32_t left = 0; left < width; left += pieceWidth) {
            const uint32_t rows = std::min(pieceHeight, height - top);
            const uint32_t columns = std::min(pieceWidth, width - left);
            // A piece that does not decode, or the part the library leaves unwritten, is black.
            std::memset(raster.get(), 0, static_cast<size_t>(columns) * rows * sizeof(uint32_t));
            image.row_offset = static_cast<int>(top);
            image.col_offset = static_cast<int>(left);
            any = TIFFRGBAImageGet(&image, raster.get(), columns, rows) != 0 || any;
            const uint32_t bottom = layout.bottomUp ? top : height - top - rows;
            const uint32_t pictureLeft = layout.mirrored ? width - left - columns : left;
            for (uint32_t r = 0; r < rows; ++r)
                Store(frame, bottom + r, pictureLeft, raster.get() + static_cast<size_t>(columns) * r, columns, false);
        }
    return any;
}

} // namespace

bool ReadTiffRgba(TIFF* tiff, BITMAPINFOHEADER* frame)
{
    RgbaImage reader;
    if (!reader.Begin(tiff))
        return false;
    TIFFRGBAImage& image = reader.Get();
    if (static_cast<int64_t>(image.width) != frame->biWidth || static_cast<int64_t>(image.height) != frame->biHeight)
        return false;
    uint16_t subsampleX = 1;
    uint16_t subsampleY = 1;
    if (image.photometric == PHOTOMETRIC_YCBCR)
        TIFFGetFieldDefaulted(tiff, TIFFTAG_YCBCRSUBSAMPLING, &subsampleX, &subsampleY);
    // Subsampled YCbCr rows come in blocks of several rows, which only whole strips hold.
    if (TIFFIsTiled(tiff) || subsampleX != 1 || subsampleY != 1)
        return ReadPieces(tiff, image, frame);
    return ReadRows(tiff, image, frame);
}

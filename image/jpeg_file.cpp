#include "image/jpeg_file.h"

#include "image/file_stream.h"
#include "image/jpeg_library.h"
#include "image/jpeg_pixels.h"
#include "platform/afx/message_box_route.h"
#include "platform/win/heap.h"
#include "platform/win/ui_types.h"
#include "workers/part_pool.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

namespace {

enum class SinkStart { Ready, Refused, OutOfMemory };

// Receives decoded rows and owns whatever it allocates for them.
class JpegRowSink {
public:
    virtual ~JpegRowSink() = default;
    // Called once the output size is known.
    virtual SinkStart Begin(int width, int height) = 0;
    // Where output row r (counted from the top) goes.
    virtual BYTE* Row(int row) = 0;
};

// Top-down, unpadded red-green-blue rows from new[].
class RgbImageSink : public JpegRowSink {
public:
    RgbImageSink(int* width, int* height) : m_width(width), m_height(height) {}

    SinkStart Begin(int width, int height) override
    {
        m_image.reset(new (std::nothrow) BYTE[3 * static_cast<size_t>(width) * static_cast<size_t>(height)]);
        if (!m_image)
            return SinkStart::OutOfMemory;
        *m_width = width;
        *m_height = height;
        return SinkStart::Ready;
    }
    BYTE* Row(int row) override { return m_image.get() + 3 * static_cast<size_t>(*m_width) * row; }
    BYTE* Release() { return m_image.release(); }

private:
    int* m_width;
    int* m_height;
    std::unique_ptr<BYTE[]> m_image;
};

// Blue-green-red rows straight into a packed DIB, bottom row first.
class DibRowSink : public JpegRowSink {
public:
    explicit DibRowSink(BITMAPINFOHEADER* reuse) : m_block(reuse) {}

    SinkStart Begin(int width, int height) override
    {
        if (m_block && (m_block->biWidth != width || m_block->biHeight != height || m_block->biBitCount != 24)) {
            m_block.reset();
            return SinkStart::Refused;
        }
        m_block.reset(AcquireFrameBlock(m_block.release(), width, height));
        if (!m_block)
            return SinkStart::OutOfMemory;
        m_height = height;
        m_stride = DibRowStride(static_cast<uint64_t>(width));
        return SinkStart::Ready;
    }
    BYTE* Row(int row) override
    {
        return DibPixels(m_block.get()) + m_stride * static_cast<size_t>(m_height - 1 - row);
    }
    BITMAPINFOHEADER* Release() { return m_block.release(); }

private:
    DibPtr m_block;
    int m_height = 0;
    size_t m_stride = 0;
};

// Blue-green-red rows straight into a new movable global block holding a packed DIB, so a
// picture decoded from memory is held once, not once per conversion step.
class GlobalDibSink : public JpegRowSink {
public:
    ~GlobalDibSink() override
    {
        if (m_block) {
            GlobalUnlock(m_block);
            GlobalFree(m_block);
        }
    }

    SinkStart Begin(int width, int height) override
    {
        const uint64_t area = DibPixelAreaBytes(width, height);
        m_block = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(area + sizeof(BITMAPINFOHEADER)));
        m_dib = static_cast<BITMAPINFOHEADER*>(GlobalLock(m_block));
        if (!m_dib)
            return SinkStart::OutOfMemory;
        InitBitmapInfoHeader(m_dib, width, height);
        ZeroRowPadding(m_dib);
        m_height = height;
        m_stride = DibRowStride(static_cast<uint64_t>(width));
        return SinkStart::Ready;
    }
    BYTE* Row(int row) override { return DibPixels(m_dib) + m_stride * static_cast<size_t>(m_height - 1 - row); }
    HGLOBAL Release()
    {
        GlobalUnlock(m_block);
        return std::exchange(m_block, nullptr);
    }

private:
    HGLOBAL m_block = nullptr;
    BITMAPINFOHEADER* m_dib = nullptr;
    int m_height = 0;
    size_t m_stride = 0;
};

// Wakes the worker pool a little before the last row is decoded: the stages that follow a load
// split a large frame over the pool, and a sleeping thread takes longer to wake than its share
// takes. Small pictures, which no stage splits, leave the pool asleep.
class PoolWakeBeforeEnd {
public:
    PoolWakeBeforeEnd(JDIMENSION width, JDIMENSION rows)
        : m_rows(rows), m_woken(static_cast<uint64_t>(width) * rows < kSmallestSplitPicture)
    {
    }
    void RowsDone(JDIMENSION done)
    {
        if (m_woken || done == 0 || done >= m_rows)
            return;
        const auto elapsed = std::chrono::steady_clock::now() - m_start;
        if (elapsed * (m_rows - done) / done < kLead) {
            workers::PartPool::Instance().WakeWorkers();
            m_woken = true;
        }
    }

private:
    static constexpr std::chrono::microseconds kLead{250};
    static constexpr uint64_t kSmallestSplitPicture = 1 << 17;
    const JDIMENSION m_rows;
    const std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
    bool m_woken;
};

// Said when the decoded picture cannot be had: more than a frame may hold, or no memory for it.
void ShowOutOfMemory() { AfxRoutedMessageBox(u"JpegFile :\nOut of memory", MB_OK | MB_ICONERROR); }

// One decompression from file or memory into sink, in the channel order given (JCS_RGB or
// JCS_EXT_BGR). Grey images come out with three equal channels; any other colour space
// (CMYK, YCCK, unknown) is refused.
bool Decompress(FILE* file, JpegMemoryState* memory, JpegRowSink& sink, J_COLOR_SPACE order)
{
    constexpr int kRowsPerRead = 16;
    JpegErrorManager error;
    jpeg_decompress_struct decompressor{};
    decompressor.err = InitJpegErrorManager(&error);
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&decompressor);
        return false;
    }
    jpeg_create_decompress(&decompressor);
    if (file)
        SetJpegFileSource(&decompressor, file);
    else
        SetJpegMemorySource(&decompressor, memory);
    jpeg_read_header(&decompressor, TRUE);

    const bool expandable = decompressor.out_color_space == JCS_RGB || decompressor.out_color_space == JCS_GRAYSCALE;
    if (!expandable) {
        jpeg_destroy_decompress(&decompressor);
        return false;
    }
    // Checked before the library sets up its own buffers for a picture of that size.
    if (DibPixelAreaBytes(decompressor.image_width, decompressor.image_height) == 0) {
        jpeg_destroy_decompress(&decompressor);
        ShowOutOfMemory();
        return false;
    }
    decompressor.out_color_space = order;
    jpeg_start_decompress(&decompressor);
    const SinkStart start = decompressor.output_components == 3
                                ? sink.Begin(static_cast<int>(decompressor.output_width),
                                             static_cast<int>(decompressor.output_height))
                                : SinkStart::Refused;
    if (start != SinkStart::Ready) {
        jpeg_destroy_decompress(&decompressor);
        if (start == SinkStart::OutOfMemory)
            ShowOutOfMemory();
        return false;
    }
    JSAMPROW rows[kRowsPerRead];
    PoolWakeBeforeEnd wake(decompressor.output_width, decompressor.output_height);
    while (decompressor.output_scanline < decompressor.output_height) {
        wake.RowsDone(decompressor.output_scanline);
        const JDIMENSION first = decompressor.output_scanline;
        const JDIMENSION count = std::min<JDIMENSION>(kRowsPerRead, decompressor.output_height - first);
        for (JDIMENSION k = 0; k < count; ++k)
            rows[k] = sink.Row(static_cast<int>(first + k));
        jpeg_read_scanlines(&decompressor, rows, count);
    }
    jpeg_finish_decompress(&decompressor);
    jpeg_destroy_decompress(&decompressor);
    return true;
}

// The compression half of WriteJpegFile; rows are complete 8-bit samples of the given space.
int Compress(FILE* file, const BYTE* rows, int width, int height, J_COLOR_SPACE space, int components, int quality)
{
    JpegErrorManager error;
    jpeg_compress_struct compressor{};
    compressor.err = InitJpegErrorManager(&error);
    if (setjmp(error.jump)) {
        jpeg_destroy_compress(&compressor);
        return 0;
    }
    jpeg_create_compress(&compressor);
    jpeg_stdio_dest(&compressor, file);
    compressor.image_width = static_cast<JDIMENSION>(width);
    compressor.image_height = static_cast<JDIMENSION>(height);
    compressor.input_components = components;
    compressor.in_color_space = space;
    jpeg_set_defaults(&compressor);
    jpeg_set_quality(&compressor, quality, TRUE);
    jpeg_start_compress(&compressor, TRUE);
    const size_t rowBytes = static_cast<size_t>(components) * static_cast<size_t>(width);
    while (compressor.next_scanline < compressor.image_height) {
        JSAMPROW row = const_cast<BYTE*>(rows + rowBytes * compressor.next_scanline);
        jpeg_write_scanlines(&compressor, &row, 1);
    }
    jpeg_finish_compress(&compressor);
    jpeg_destroy_compress(&compressor);
    return 1;
}

} // namespace

BYTE* ReadJpegFile(CString path, int* width, int* height)
{
    *width = 0;
    *height = 0;
    UniqueFile file(OpenFileStream(path, "rb"));
    if (!file)
        return nullptr;
    RgbImageSink sink(width, height);
    if (!Decompress(file.get(), nullptr, sink, JCS_RGB))
        return nullptr;
    return sink.Release();
}

BYTE* ReadJpegMemory(HGLOBAL block, int* width, int* height)
{
    *width = 0;
    *height = 0;
    JpegMemoryState state{block, 0};
    RgbImageSink sink(width, height);
    if (!Decompress(nullptr, &state, sink, JCS_RGB))
        return nullptr;
    return sink.Release();
}

int WriteJpegFile(CString path, const BYTE* rows, int width, int height, BOOL colour, int quality)
{
    if (!rows || width <= 0 || height <= 0 || DibPixelAreaBytes(width, height) == 0)
        return 0;
    std::unique_ptr<BYTE[]> grey;
    if (!colour) {
        const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
        grey.reset(new (std::nothrow) BYTE[count]);
        if (!grey) {
            AfxRoutedMessageBox(u"Memory error", MB_OK);
            return 0;
        }
        for (size_t i = 0; i < count; ++i) {
            const BYTE* p = rows + 3 * i;
            grey[i] = static_cast<BYTE>(p[0] * 0.299 + p[1] * 0.587 + p[2] * 0.114);
        }
    }
    UniqueFile file(OpenFileStream(path, "wb"));
    if (!file)
        return 0;
    const int written = colour ? Compress(file.get(), rows, width, height, JCS_RGB, 3, quality)
                               : Compress(file.get(), grey.get(), width, height, JCS_GRAYSCALE, 1, quality);
    return std::fclose(file.release()) == 0 ? written : 0;
}

BITMAPINFOHEADER* CImgFileJpeg::Load(LPCWSTR path, BITMAPINFOHEADER* reuse)
{
    DibRowSink sink(reuse);
    UniqueFile file(OpenFileStream(path, "rb"));
    if (!file || !Decompress(file.get(), nullptr, sink, JCS_EXT_BGR))
        return nullptr;
    return sink.Release();
}

int CImgFileJpeg::Save(const BYTE* bits, BITMAPINFOHEADER* header, LPCWSTR path, int quality)
{
    const int width = header->biWidth;
    const int height = header->biHeight;
    if (!bits || DibPixelAreaBytes(width, height) == 0)
        return 0;
    InitBitmapInfoHeader(header, width, height);
    std::unique_ptr<BYTE[]> rows(UnpadRows(bits, width, static_cast<int>(DibRowStride(width)), height));
    if (!rows || !FlipRows(rows.get(), 3 * width, height) || !SwapRedBlue(rows.get(), width, height))
        return 0;
    return WriteJpegFile(path, rows.get(), width, height, TRUE, quality);
}

HGLOBAL CImgFileJpeg::LoadFromMemory(HGLOBAL block)
{
    JpegMemoryState state{block, 0};
    GlobalDibSink sink;
    if (!Decompress(nullptr, &state, sink, JCS_EXT_BGR))
        return nullptr;
    return sink.Release();
}

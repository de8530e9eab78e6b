#include "image/jpeg_library.h"

#include "platform/win/heap.h"

#include <cstring>

#include <jerror.h>

namespace {

// Hands the bytes just read to the library; at the end of the data a file that had content gets
// a fake end marker (with a warning), an empty one is an error.
boolean DeliverInput(j_decompress_ptr decompressor, JOCTET* buffer, boolean& startOfFile, size_t count)
{
    if (count == 0) {
        if (startOfFile)
            ERREXIT(decompressor, JERR_INPUT_EMPTY);
        WARNMS(decompressor, JWRN_JPEG_EOF);
        buffer[0] = 0xFF;
        buffer[1] = JPEG_EOI;
        count = 2;
    }
    decompressor->src->next_input_byte = buffer;
    decompressor->src->bytes_in_buffer = count;
    startOfFile = FALSE;
    return TRUE;
}

// Skips through whatever the source's own filler delivers; both sources refill the same way.
void SkipThroughSource(j_decompress_ptr decompressor, long count)
{
    if (count <= 0)
        return;
    jpeg_source_mgr* source = decompressor->src;
    while (count > static_cast<long>(source->bytes_in_buffer)) {
        count -= static_cast<long>(source->bytes_in_buffer);
        source->fill_input_buffer(decompressor);
    }
    source->next_input_byte += count;
    source->bytes_in_buffer -= static_cast<size_t>(count);
}

struct JpegFileSource {
    jpeg_source_mgr pub;
    FILE* file;
    JOCTET* buffer;
    boolean startOfFile;
};

void JpegFileInitSource(j_decompress_ptr decompressor)
{
    reinterpret_cast<JpegFileSource*>(decompressor->src)->startOfFile = TRUE;
}

boolean JpegFileFillInputBuffer(j_decompress_ptr decompressor)
{
    auto* source = reinterpret_cast<JpegFileSource*>(decompressor->src);
    size_t count = std::fread(source->buffer, 1, kJpegFileBufferBytes, source->file);
    return DeliverInput(decompressor, source->buffer, source->startOfFile, count);
}

void JpegFileSkipInputData(j_decompress_ptr decompressor, long count) { SkipThroughSource(decompressor, count); }

void JpegFileTermSource(j_decompress_ptr) {}

} // namespace

void SetJpegFileSource(j_decompress_ptr decompressor, FILE* file)
{
    auto* source = static_cast<JpegFileSource*>(decompressor->mem->alloc_small(
        reinterpret_cast<j_common_ptr>(decompressor), JPOOL_PERMANENT, sizeof(JpegFileSource)));
    source->buffer = static_cast<JOCTET*>(decompressor->mem->alloc_large(reinterpret_cast<j_common_ptr>(decompressor),
                                                                         JPOOL_PERMANENT, kJpegFileBufferBytes));
    source->pub.init_source = JpegFileInitSource;
    source->pub.fill_input_buffer = JpegFileFillInputBuffer;
    source->pub.skip_input_data = JpegFileSkipInputData;
    source->pub.resync_to_restart = jpeg_resync_to_restart;
    source->pub.term_source = JpegFileTermSource;
    source->file = file;
    source->pub.bytes_in_buffer = 0;
    source->pub.next_input_byte = nullptr;
    decompressor->src = &source->pub;
}

jpeg_error_mgr* InitJpegErrorManager(JpegErrorManager* manager) { return jpeg::InitErrorJump(manager); }

void SetJpegMemorySource(j_decompress_ptr decompressor, JpegMemoryState* state)
{
    if (!decompressor->src) {
        auto* source = static_cast<JpegMemorySource*>(decompressor->mem->alloc_small(
            reinterpret_cast<j_common_ptr>(decompressor), JPOOL_PERMANENT, sizeof(JpegMemorySource)));
        source->buffer = static_cast<JOCTET*>(decompressor->mem->alloc_small(
            reinterpret_cast<j_common_ptr>(decompressor), JPOOL_PERMANENT, kJpegMemoryBufferBytes));
        decompressor->src = &source->pub;
    }
    auto* source = reinterpret_cast<JpegMemorySource*>(decompressor->src);
    source->pub.init_source = JpegMemInitSource;
    source->pub.fill_input_buffer = JpegMemFillInputBuffer;
    source->pub.skip_input_data = JpegMemSkipInputData;
    source->pub.resync_to_restart = jpeg_resync_to_restart;
    source->pub.term_source = JpegMemTermSource;
    source->state = state;
    source->pub.bytes_in_buffer = 0;
    source->pub.next_input_byte = nullptr;
}

void JpegMemInitSource(j_decompress_ptr decompressor)
{
    reinterpret_cast<JpegMemorySource*>(decompressor->src)->startOfFile = TRUE;
}

boolean JpegMemFillInputBuffer(j_decompress_ptr decompressor)
{
    auto* source = reinterpret_cast<JpegMemorySource*>(decompressor->src);
    JpegMemoryState* state = source->state;
    long count = -1;
    if (const auto* data = static_cast<const BYTE*>(GlobalLock(state->block))) {
        const SIZE_T size = GlobalSize(state->block);
        const SIZE_T position = static_cast<SIZE_T>(state->position);
        if (position + kJpegMemoryBufferBytes < size) {
            std::memcpy(source->buffer, data + position, kJpegMemoryBufferBytes);
            count = kJpegMemoryBufferBytes;
        } else if (position < size) {
            count = static_cast<long>(size - position);
            std::memcpy(source->buffer, data + position, static_cast<size_t>(count));
        }
        if (count > 0)
            state->position += static_cast<LONG>(count);
        GlobalUnlock(state->block);
    }
    return DeliverInput(decompressor, source->buffer, source->startOfFile, count > 0 ? static_cast<size_t>(count) : 0);
}

void JpegMemSkipInputData(j_decompress_ptr decompressor, long count) { SkipThroughSource(decompressor, count); }

void JpegMemTermSource(j_decompress_ptr) {}

// libjpeg glue: the readers' error manager, and the source manager that reads a JPEG file held in
// a global-memory block.
#pragma once

#include "platform/jpeg/jpeg_error.h"
#include "platform/win/types.h"

#include <cstdio>

#include <jpeglib.h>

// Errors leave the library through the jump buffer (platform/jpeg/jpeg_error.h). Warnings, such
// as data that ends early (decoded with the rest grey), go to the library's standard output.
struct JpegErrorManager : jpeg::ErrorJump {};

// Sets up the standard manager with the jumping error exit and returns &manager->pub.
jpeg_error_mgr* InitJpegErrorManager(JpegErrorManager* manager);

// A stdio source like the library's own, with a buffer large enough that the library's fast
// Huffman decoder (which needs a few kilobytes of input at hand) runs for nearly every block.
constexpr size_t kJpegFileBufferBytes = 64 * 1024;

void SetJpegFileSource(j_decompress_ptr decompressor, FILE* file);

struct JpegMemoryState {
    HGLOBAL block;
    LONG position;
};

constexpr int kJpegMemoryBufferBytes = 4096;

struct JpegMemorySource {
    jpeg_source_mgr pub;
    JpegMemoryState* state;
    JOCTET* buffer;
    boolean startOfFile;
};

void SetJpegMemorySource(j_decompress_ptr decompressor, JpegMemoryState* state);
void JpegMemInitSource(j_decompress_ptr decompressor);
boolean JpegMemFillInputBuffer(j_decompress_ptr decompressor);
void JpegMemSkipInputData(j_decompress_ptr decompressor, long count);
void JpegMemTermSource(j_decompress_ptr decompressor);

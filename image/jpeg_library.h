// libjpeg glue: the error exit that leaves the library through a saved jump point, and the
// source manager that reads a JPEG file held in a global-memory block.
#pragma once

#include "platform/win/types.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

// jump must directly follow pub: JpegErrorExit finds it behind the object's err pointer.
struct JpegErrorManager {
    jpeg_error_mgr pub;
    jmp_buf jump;
    // File readers refuse data that ends early instead of decoding the missing part as grey.
    bool failOnPrematureEnd;
    void (*standardEmitMessage)(j_common_ptr object, int level);
};

// Sets up the standard manager with our error exit and returns &manager->pub.
jpeg_error_mgr* InitJpegErrorManager(JpegErrorManager* manager, bool failOnPrematureEnd);

[[noreturn]] void JpegErrorExit(j_common_ptr object);

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

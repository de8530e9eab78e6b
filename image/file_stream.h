// stdio streams opened by UTF-16 path.
#pragma once

#include "platform/win/types.h"

#include <cstdint>
#include <cstdio>
#include <memory>

// NULL when the path is NULL or the file cannot be opened in mode. A file opened for reading
// must be a regular file (see OpenRegularFile).
FILE* OpenFileStream(LPCWSTR path, const char* mode);

// A descriptor for reading the regular file of that system name, or -1. The open never waits
// (a FIFO without a writer would hold the caller for good) and anything but a regular file,
// such as a FIFO, a device or a folder, is refused.
int OpenRegularFile(const char* name);

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using UniqueFile = std::unique_ptr<FILE, FileCloser>;

// The size of an open regular file, or -1.
int64_t FileStreamSize(FILE* file);
// TRUE when all bytes were read.
bool ReadFully(FILE* file, void* out, size_t bytes);

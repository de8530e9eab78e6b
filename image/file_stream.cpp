#include "image/file_stream.h"

#include "platform/win/text.h"

#include <sys/stat.h>

#include <string>

FILE* OpenFileStream(LPCWSTR path, const char* mode)
{
    if (!path)
        return nullptr;
    const std::string name = Utf16ToUtf8(std::u16string_view(path, WideLength(path)));
    if (name.empty())
        return nullptr;
    return std::fopen(name.c_str(), mode);
}

int64_t FileStreamSize(FILE* file)
{
    struct stat info {};
    if (fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode))
        return -1;
    return static_cast<int64_t>(info.st_size);
}

bool ReadFully(FILE* file, void* out, size_t bytes) { return std::fread(out, 1, bytes, file) == bytes; }

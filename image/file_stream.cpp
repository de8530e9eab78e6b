#include "image/file_stream.h"

#include "platform/win/text.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>

FILE* OpenFileStream(LPCWSTR path, const char* mode)
{
    if (!path)
        return nullptr;
    const std::string name = Utf16ToUtf8(std::u16string_view(path, WideLength(path)));
    if (name.empty())
        return nullptr;
    const bool readOnly = mode[0] == 'r' && !std::strchr(mode, '+');
    if (!readOnly)
        return std::fopen(name.c_str(), mode);
    const int fd = OpenRegularFile(name.c_str());
    if (fd < 0)
        return nullptr;
    FILE* file = fdopen(fd, mode);
    if (!file)
        close(fd);
    return file;
}

int OpenRegularFile(const char* name)
{
    if (!name || !*name)
        return -1;
    // A regular file reads the same with or without O_NONBLOCK; only the open of a FIFO or a
    // device changes, which must not wait.
    const int fd = open(name, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return -1;
    }
    return fd;
}

int64_t FileStreamSize(FILE* file)
{
    struct stat info {};
    if (fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode))
        return -1;
    return static_cast<int64_t>(info.st_size);
}

bool ReadFully(FILE* file, void* out, size_t bytes) { return std::fread(out, 1, bytes, file) == bytes; }

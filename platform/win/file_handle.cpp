#include "platform/win/file_handle.h"

#include "platform/win/text.h"

#include <cerrno>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct FileHandle {
    int fd;
};

FileHandle* Handle(HANDLE h) { return h && h != INVALID_HANDLE_VALUE ? static_cast<FileHandle*>(h) : nullptr; }

} // namespace

HANDLE CreateFileW(LPCWSTR path, DWORD access, DWORD, LPVOID, DWORD disposition, DWORD, HANDLE)
{
    if (!path || !path[0] || access != GENERIC_READ || disposition != OPEN_EXISTING)
        return INVALID_HANDLE_VALUE;
    const std::string native = Utf16ToUtf8(std::u16string_view(path, WideLength(path)));
    // Non-blocking, so that opening a FIFO does not wait for a writer.
    const int fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return INVALID_HANDLE_VALUE;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(fd);
        return INVALID_HANDLE_VALUE;
    }
    FileHandle* handle = new (std::nothrow) FileHandle{fd};
    if (!handle) {
        ::close(fd);
        return INVALID_HANDLE_VALUE;
    }
    return handle;
}

DWORD GetFileType(HANDLE file)
{
    FileHandle* h = Handle(file);
    struct stat info {};
    if (!h || ::fstat(h->fd, &info) != 0)
        return FILE_TYPE_UNKNOWN;
    if (S_ISREG(info.st_mode))
        return FILE_TYPE_DISK;
    if (S_ISCHR(info.st_mode))
        return FILE_TYPE_CHAR;
    if (S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode))
        return FILE_TYPE_PIPE;
    return FILE_TYPE_UNKNOWN;
}

DWORD GetFileSize(HANDLE file, DWORD* high)
{
    FileHandle* h = Handle(file);
    struct stat info {};
    if (!h || ::fstat(h->fd, &info) != 0)
        return INVALID_FILE_SIZE;
    const uint64_t size = static_cast<uint64_t>(info.st_size);
    if (high)
        *high = static_cast<DWORD>(size >> 32);
    return static_cast<DWORD>(size);
}

BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD bytes, DWORD* read, LPVOID)
{
    FileHandle* h = Handle(file);
    if (read)
        *read = 0;
    if (!h || (!buffer && bytes > 0))
        return FALSE;
    DWORD total = 0;
    while (total < bytes) {
        const ssize_t n = ::read(h->fd, static_cast<char*>(buffer) + total, bytes - total);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return FALSE;
        if (n == 0)
            break;
        total += static_cast<DWORD>(n);
    }
    if (read)
        *read = total;
    return TRUE;
}

BOOL CloseHandle(HANDLE handle)
{
    FileHandle* h = Handle(handle);
    if (!h)
        return FALSE;
    ::close(h->fd);
    delete h;
    return TRUE;
}

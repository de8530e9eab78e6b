#include "platform/vfw/avi_file_sink.h"

#include "platform/win/failure_log.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace vfw {

// A failed close was logged where it happened; a destructor has no one left to tell.
AviFileSink::~AviFileSink() { static_cast<void>(Close()); }

bool AviFileSink::Create(const std::string& path)
{
    // An earlier file's failure to close was logged and is no reason to refuse this one.
    static_cast<void>(Close());
    m_fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    m_end = 0;
    if (m_fd < 0) {
        LogSystemFailure("AVI file " + path, errno);
        return false;
    }
    return true;
}

bool AviFileSink::WriteAll(uint64_t offset, const void* data, size_t bytes)
{
    const char* p = static_cast<const char*>(data);
    while (bytes > 0) {
        const ssize_t n = ::pwrite(m_fd, p, bytes, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            LogSystemFailure("AVI file write", n < 0 ? errno : ENOSPC);
            return false;
        }
        p += n;
        offset += static_cast<uint64_t>(n);
        bytes -= static_cast<size_t>(n);
    }
    return true;
}

bool AviFileSink::Append(const void* data, size_t bytes)
{
    if (m_fd < 0)
        return false;
    if (!WriteAll(m_end, data, bytes)) {
        // What reached the disk of this piece is no whole chunk; cut it off. Should that fail too,
        // the next piece is written over it from the same offset.
        static_cast<void>(TruncateTo(m_end));
        return false;
    }
    m_end += bytes;
    return true;
}

bool AviFileSink::WriteAt(uint64_t offset, const void* data, size_t bytes)
{
    if (m_fd < 0 || offset + bytes > m_end)
        return false;
    return WriteAll(offset, data, bytes);
}

bool AviFileSink::TruncateTo(uint64_t size)
{
    if (m_fd < 0)
        return false;
    if (::ftruncate(m_fd, static_cast<off_t>(size)) != 0) {
        LogSystemFailure("AVI file truncate", errno);
        return false;
    }
    m_end = size;
    return true;
}

bool AviFileSink::Close()
{
    if (m_fd < 0)
        return true;
    const bool ok = ::close(m_fd) == 0;
    if (!ok)
        LogSystemFailure("AVI file close", errno);
    m_fd = -1;
    m_end = 0;
    return ok;
}

} // namespace vfw

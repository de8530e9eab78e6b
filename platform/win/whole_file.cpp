#include "platform/win/whole_file.h"

#include <QSaveFile>
#include <QString>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace win {

namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return m_fd; }

private:
    int m_fd;
};

} // namespace

WholeFileRead ReadWholeRegularFile(const std::string& path, long long maxBytes, std::string& bytes)
{
    bytes.clear();
    // Without O_NONBLOCK, opening a named pipe waits for a writer that may never come.
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (file.Get() < 0)
        return errno == ENOENT ? WholeFileRead::Missing : WholeFileRead::Failed;
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0)
        return WholeFileRead::Failed;
    if (!S_ISREG(info.st_mode))
        return WholeFileRead::NotRegular;
    if (info.st_size > maxBytes)
        return WholeFileRead::TooLarge;
    bytes.reserve(static_cast<size_t>(info.st_size));
    char buffer[65536];
    while (true) {
        const ssize_t got = ::read(file.Get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return WholeFileRead::Failed;
        if (got == 0)
            return WholeFileRead::Read;
        bytes.append(buffer, static_cast<size_t>(got));
        if (static_cast<long long>(bytes.size()) > maxBytes)
            return WholeFileRead::TooLarge;
    }
}

bool ReplaceWholeFile(const std::string& path, std::string_view bytes, std::string& error)
{
    QSaveFile file(QString::fromStdString(path));
    const auto size = static_cast<qint64>(bytes.size());
    // QSaveFile commits a file cut short by a failed flush (a size limit or a full disk after a
    // partial write), so the flush is checked here before the commit.
    errno = 0;
    if (file.open(QIODevice::WriteOnly) && file.write(bytes.data(), size) == size && file.flush() && file.commit())
        return true;
    // Qt names a failed flush "Unknown error"; the system's reason is more use to the reader.
    const int cause = errno;
    error = cause != 0 ? std::strerror(cause) : file.errorString().toStdString();
    file.cancelWriting();
    return false;
}

} // namespace win

#include "app/output_paths.h"

#include "platform/afx/carray.h"
#include "platform/win/text.h"

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>

namespace {

std::filesystem::path NativePath(const CString& path) { return std::filesystem::path(Utf16ToUtf8(path.View())); }

std::filesystem::path Resolved(const std::filesystem::path& native)
{
    std::error_code error;
    std::filesystem::path resolved = std::filesystem::weakly_canonical(native, error);
    if (error)
        resolved = std::filesystem::absolute(native, error).lexically_normal();
    return resolved;
}

// What one stat says of a path: the file it names, that nothing is there, or neither (a folder on
// the way that cannot be searched, a loop of links).
struct FileIdentity {
    enum class State { Exists, Missing, Unknown };
    State state = State::Unknown;
    dev_t device = 0;
    ino_t inode = 0;

    bool Exists() const { return state == State::Exists; }
    bool Missing() const { return state == State::Missing; }
};

FileIdentity Identify(const std::filesystem::path& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0)
        return {FileIdentity::State::Exists, info.st_dev, info.st_ino};
    const bool missing = errno == ENOENT || errno == ENOTDIR;
    return {missing ? FileIdentity::State::Missing : FileIdentity::State::Unknown};
}

// One output compared with many paths: whether a path names the output's file, also through
// links and "." or ".." steps, a path that does not exist yet being compared by the file it would
// create. Resolving a path costs a system call per folder on the way, so the output is resolved
// once and each other path usually costs one stat: two files that exist are one file when stat
// says so, and an existing file cannot stand where the output's resolved path finds nothing. The
// rare rest is resolved and compared.
class OutputIdentity {
public:
    explicit OutputIdentity(const CString& path)
        : m_native(NativePath(path)), m_file(Identify(m_native)), m_resolved(Resolved(m_native)),
          m_nothingWhereResolved(m_file.Missing() && Identify(m_resolved).Missing())
    {
    }

    bool Names(const CString& other) const
    {
        if (m_native.empty() || other.IsEmpty())
            return false;
        const std::filesystem::path native = NativePath(other);
        const FileIdentity file = Identify(native);
        if (file.Exists() && m_file.Exists())
            return file.device == m_file.device && file.inode == m_file.inode;
        if (file.Exists() && m_nothingWhereResolved)
            return false;
        return Resolved(native) == m_resolved;
    }

private:
    std::filesystem::path m_native;
    FileIdentity m_file;
    std::filesystem::path m_resolved;
    bool m_nothingWhereResolved;
};

} // namespace

int CheckOutputPath(const CString& path, const CStringArray& inputs, const CString& other)
{
    const OutputIdentity output(path);
    if (output.Names(other))
        return kErrorOutputsSamePath;
    for (int i = 0; i < inputs.GetSize(); ++i)
        if (output.Names(inputs[i]))
            return kErrorOutputIsInput;
    return 0;
}

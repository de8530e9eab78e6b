#include "platform/win/file.h"

#include "platform/win/error_codes.h"
#include "platform/win/text.h"

#include <QChar>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::u16string_view ViewOf(LPCWSTR text)
{
    return text ? std::u16string_view(text, WideLength(text)) : std::u16string_view();
}

// The narrow path for the system, or empty (with the last error set) when there is none.
std::string SystemPath(LPCWSTR path)
{
    const std::u16string_view view = ViewOf(path);
    if (view.empty()) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return {};
    }
    return Utf16ToUtf8(view);
}

BOOL Fail(int error)
{
    SetLastError(ErrorFromErrno(error));
    return FALSE;
}

// Follows a symbolic link when it can; a dangling link is reported as itself.
bool StatPath(const std::string& path, struct stat& info)
{
    return ::stat(path.c_str(), &info) == 0 || ::lstat(path.c_str(), &info) == 0;
}

FILETIME ToFileTime(const struct timespec& t)
{
    constexpr int64_t kSecondsFrom1601To1970 = 11644473600LL;
    const int64_t ticks = (static_cast<int64_t>(t.tv_sec) + kSecondsFrom1601To1970) * 10000000LL + t.tv_nsec / 100;
    const auto value = static_cast<uint64_t>(std::max<int64_t>(ticks, 0));
    return FILETIME{static_cast<DWORD>(value & 0xFFFFFFFFu), static_cast<DWORD>(value >> 32)};
}

bool IsDotEntry(std::string_view name) { return name == "." || name == ".."; }

DWORD AttributesOf(const struct stat& info, std::string_view name)
{
    DWORD attributes = S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    if (!S_ISDIR(info.st_mode) && !(info.st_mode & S_IWUSR))
        attributes |= FILE_ATTRIBUTE_READONLY;
    if (name.starts_with('.') && !IsDotEntry(name))
        attributes |= FILE_ATTRIBUTE_HIDDEN;
    return attributes;
}

std::string_view LastComponent(std::string_view path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

template <typename Info>
void FillInfo(Info& data, const struct stat& info, std::string_view name)
{
    data.dwFileAttributes = AttributesOf(info, name);
    data.ftCreationTime = ToFileTime(info.st_ctim);
    data.ftLastAccessTime = ToFileTime(info.st_atim);
    data.ftLastWriteTime = ToFileTime(info.st_mtim);
    const auto size = S_ISDIR(info.st_mode) ? uint64_t{0} : static_cast<uint64_t>(info.st_size);
    data.nFileSizeHigh = static_cast<DWORD>(size >> 32);
    data.nFileSizeLow = static_cast<DWORD>(size & 0xFFFFFFFFu);
}

bool FillFindData(WIN32_FIND_DATAW& data, const struct stat& info, std::string_view name)
{
    const std::u16string wide = Utf8ToUtf16(name);
    if (wide.size() >= MAX_PATH)
        return false;
    data = WIN32_FIND_DATAW{};
    FillInfo(data, info, name);
    std::copy(wide.begin(), wide.end(), data.cFileName);
    return true;
}

WCHAR FoldCase(WCHAR ch) { return QChar(ch).toUpper().unicode(); }

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

// One running search: a folder listing filtered by the pattern, or one named entry.
struct FindState {
    std::unique_ptr<DIR, DirCloser> dir;
    std::string folder;
    std::u16string pattern;
};

// Reads entries until one matches; false at the end of the folder.
bool NextMatch(FindState& state, WIN32_FIND_DATAW& data)
{
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(state.dir.get());
        if (!entry) {
            SetLastError(errno ? ErrorFromErrno(errno) : ERROR_NO_MORE_FILES);
            return false;
        }
        const std::string_view name = entry->d_name;
        if (!MatchesWildcard(Utf8ToUtf16(name), state.pattern))
            continue;
        struct stat info {};
        std::string full = state.folder;
        if (!full.ends_with('/'))
            full += '/';
        full += name;
        // An entry removed since it was read is passed over.
        if (StatPath(full, info) && FillFindData(data, info, name))
            return true;
    }
}

bool HasWildcard(std::u16string_view name) { return name.find_first_of(u"*?") != std::u16string_view::npos; }

} // namespace

bool MatchesWildcard(std::u16string_view name, std::u16string_view pattern)
{
    if (pattern == u"*" || pattern == u"*.*")
        return true;
    // Greedy match with one backtrack point: linear in practice, never recursive.
    size_t n = 0;
    size_t p = 0;
    size_t starPattern = std::u16string_view::npos;
    size_t starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            starPattern = p++;
            starName = n;
        } else if (p < pattern.size() && (pattern[p] == u'?' || FoldCase(pattern[p]) == FoldCase(name[n]))) {
            ++p;
            ++n;
        } else if (starPattern != std::u16string_view::npos) {
            p = starPattern + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

BOOL PathFileExistsW(LPCWSTR path)
{
    const std::string system = SystemPath(path);
    struct stat info {};
    if (system.empty())
        return FALSE;
    if (::stat(system.c_str(), &info) != 0)
        return Fail(errno);
    return TRUE;
}

DWORD GetFileAttributesW(LPCWSTR path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    return GetFileAttributesExW(path, GetFileExInfoStandard, &data) ? data.dwFileAttributes : INVALID_FILE_ATTRIBUTES;
}

BOOL GetFileAttributesExW(LPCWSTR path, GET_FILEEX_INFO_LEVELS, LPVOID out)
{
    if (!out) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::string system = SystemPath(path);
    struct stat info {};
    if (system.empty())
        return FALSE;
    if (!StatPath(system, info))
        return Fail(errno);
    auto& data = *static_cast<WIN32_FILE_ATTRIBUTE_DATA*>(out);
    data = WIN32_FILE_ATTRIBUTE_DATA{};
    FillInfo(data, info, LastComponent(system));
    return TRUE;
}

BOOL SetFileAttributesW(LPCWSTR path, DWORD attributes)
{
    const std::string system = SystemPath(path);
    struct stat info {};
    if (system.empty())
        return FALSE;
    if (::stat(system.c_str(), &info) != 0)
        return Fail(errno);
    if (S_ISDIR(info.st_mode))
        return TRUE;
    mode_t mode = info.st_mode & 07777;
    if (attributes & FILE_ATTRIBUTE_READONLY)
        mode &= ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH);
    else
        mode |= S_IWUSR;
    if (mode != (info.st_mode & 07777) && ::chmod(system.c_str(), mode) != 0)
        return Fail(errno);
    return TRUE;
}

BOOL DeleteFileW(LPCWSTR path)
{
    const std::string system = SystemPath(path);
    if (system.empty())
        return FALSE;
    // Only files are deleted: a folder, or a link that leads to one, is refused as on the
    // original platform, so no writer ever replaces a folder with its file.
    struct stat info {};
    if (::stat(system.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        return Fail(EISDIR);
    if (::unlink(system.c_str()) != 0)
        return Fail(errno);
    return TRUE;
}

BOOL CreateDirectoryW(LPCWSTR path, LPVOID)
{
    const std::string system = SystemPath(path);
    if (system.empty())
        return FALSE;
    if (::mkdir(system.c_str(), 0777) != 0)
        return Fail(errno);
    return TRUE;
}

HANDLE FindFirstFileW(LPCWSTR pattern, WIN32_FIND_DATAW* data)
{
    const std::u16string_view view = ViewOf(pattern);
    if (!data || view.empty()) {
        SetLastError(data ? ERROR_FILE_NOT_FOUND : ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    const size_t slash = view.find_last_of(u'/');
    const std::u16string_view namePattern = slash == std::u16string_view::npos ? view : view.substr(slash + 1);
    if (namePattern.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    auto state = std::make_unique<FindState>();
    state->folder = Utf16ToUtf8(slash == std::u16string_view::npos ? std::u16string_view(u".")
                                : slash == 0                       ? std::u16string_view(u"/")
                                                                   : view.substr(0, slash));

    if (!HasWildcard(namePattern)) {
        const std::string full = Utf16ToUtf8(view);
        struct stat info {};
        if (!StatPath(full, info)) {
            Fail(errno);
            return INVALID_HANDLE_VALUE;
        }
        if (!FillFindData(*data, info, LastComponent(full))) {
            SetLastError(ERROR_FILENAME_EXCED_RANGE);
            return INVALID_HANDLE_VALUE;
        }
        return state.release(); // no folder open: the search ends after this entry
    }

    state->dir.reset(::opendir(state->folder.c_str()));
    if (!state->dir) {
        Fail(errno == ENOENT ? ENOTDIR : errno);
        return INVALID_HANDLE_VALUE;
    }
    state->pattern = std::u16string(namePattern);
    if (!NextMatch(*state, *data)) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    return state.release();
}

BOOL FindNextFileW(HANDLE search, WIN32_FIND_DATAW* data)
{
    if (!search || search == INVALID_HANDLE_VALUE || !data) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    auto& state = *static_cast<FindState*>(search);
    if (!state.dir) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    return NextMatch(state, *data) ? TRUE : FALSE;
}

BOOL FindClose(HANDLE search)
{
    if (!search || search == INVALID_HANDLE_VALUE) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    delete static_cast<FindState*>(search);
    return TRUE;
}

DWORD GetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size)
{
    if (module || !buffer || size == 0) {
        SetLastError(module ? ERROR_INVALID_HANDLE : ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::string target(256, '\0');
    for (;;) {
        const ssize_t n = ::readlink("/proc/self/exe", target.data(), target.size());
        if (n < 0) {
            Fail(errno);
            return 0;
        }
        if (static_cast<size_t>(n) < target.size()) {
            target.resize(static_cast<size_t>(n));
            break;
        }
        target.resize(target.size() * 2);
    }
    const std::u16string path = Utf8ToUtf16(target);
    const size_t copied = std::min<size_t>(path.size(), size - 1);
    std::copy_n(path.begin(), copied, buffer);
    buffer[copied] = 0;
    if (path.size() >= size) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return size;
    }
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(path.size());
}

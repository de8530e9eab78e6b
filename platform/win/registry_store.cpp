#include "platform/win/registry_store.h"

#include "platform/win/config_folder.h"
#include "platform/win/error_codes.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QString>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace win {

namespace {

// Far beyond any real settings file; a bigger one is not ours.
constexpr long long kMaxFileBytes = 64LL * 1024 * 1024;
constexpr int kLockWaitMs = 10000;
// A holder keeps the lock for milliseconds. An older lock whose owner cannot be read (it died
// while writing it) is taken over; a live holder still keeps it through its file lock.
constexpr int kStaleLockMs = 1000;

QString ToQString(const std::string& path) { return QString::fromStdString(path); }

} // namespace

RegistryStore& RegistryStore::Instance()
{
    static RegistryStore store;
    return store;
}

std::string RegistryStore::FilePath() { return UserConfigFolder() + "/registry"; }

RegistryStore::FileStamp RegistryStore::StampOf(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return {};
    return {true,
            static_cast<unsigned long long>(info.st_dev),
            static_cast<unsigned long long>(info.st_ino),
            static_cast<unsigned long long>(info.st_size),
            static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec,
            static_cast<long long>(info.st_ctim.tv_sec) * 1000000000LL + info.st_ctim.tv_nsec};
}

RegistryStore::LoadResult RegistryStore::LoadFile(const std::string& path, RegistryTree& tree)
{
    tree = {};
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? LoadResult::Missing : LoadResult::Unreadable;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return LoadResult::Unreadable;
    }
    if (info.st_size > kMaxFileBytes) {
        ::close(fd);
        return LoadResult::Corrupt;
    }
    std::string text;
    char buffer[65536];
    while (true) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            ::close(fd);
            return LoadResult::Unreadable;
        }
        if (got == 0)
            break;
        text.append(buffer, static_cast<size_t>(got));
        if (static_cast<long long>(text.size()) > kMaxFileBytes) {
            ::close(fd);
            return LoadResult::Corrupt;
        }
    }
    ::close(fd);
    auto parsed = ParseRegistry(text);
    if (!parsed)
        return LoadResult::Corrupt;
    tree = std::move(*parsed);
    return LoadResult::Loaded;
}

void RegistryStore::ReportOnce(const std::string& message)
{
    if (message == m_lastReport)
        return;
    m_lastReport = message;
    std::fprintf(stderr, "torvina: %s\n", message.c_str());
}

void RegistryStore::MoveAside(const std::string& path)
{
    const std::string stem =
        path + ".corrupt-" + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")).toStdString();
    std::string target = stem;
    for (int n = 2; QFileInfo::exists(ToQString(target)); ++n)
        target = stem + "-" + std::to_string(n);
    if (::rename(path.c_str(), target.c_str()) == 0)
        ReportOnce("the settings file " + path + " could not be read; it was moved to " + target +
                   " and the settings start empty");
    else
        ReportOnce("the settings file " + path + " could not be read (" + std::strerror(errno) +
                   "); the settings start empty");
}

void RegistryStore::Refresh()
{
    const std::string path = FilePath();
    if (path != m_path) {
        m_path = path;
        m_tree = {};
        m_stamp = {};
        m_lastReport.clear();
    }
    const FileStamp stamp = StampOf(path);
    if (stamp == m_stamp)
        return;
    m_stamp = stamp;
    switch (LoadFile(path, m_tree)) {
    case LoadResult::Loaded:
    case LoadResult::Missing:
        return;
    case LoadResult::Unreadable:
        ReportOnce("the settings file " + path + " cannot be read; the settings start empty");
        return;
    case LoadResult::Corrupt:
        break;
    }
    // Move a corrupt file aside only under the lock, so a good file written meanwhile survives.
    QLockFile lock(ToQString(path + ".lock"));
    lock.setStaleLockTime(kStaleLockMs);
    if (!lock.tryLock(kLockWaitMs)) {
        ReportOnce("the settings file " + path + " could not be read; the settings start empty");
        return;
    }
    if (LoadFile(path, m_tree) == LoadResult::Corrupt)
        MoveAside(path);
    m_stamp = StampOf(path);
}

LONG RegistryStore::Modify(const std::function<bool(RegistryTree&)>& change)
{
    const std::string path = FilePath();
    if (path != m_path) {
        m_path = path;
        m_lastReport.clear();
    }
    const QString folder = QFileInfo(ToQString(path)).absolutePath();
    if (!QDir().mkpath(folder)) {
        ReportOnce("cannot create the settings folder " + folder.toStdString() + "; settings are not saved");
        return ERROR_ACCESS_DENIED;
    }
    QLockFile lock(ToQString(path + ".lock"));
    lock.setStaleLockTime(kStaleLockMs);
    if (!lock.tryLock(kLockWaitMs)) {
        const bool denied = lock.error() == QLockFile::PermissionError;
        ReportOnce(denied ? "the settings folder " + folder.toStdString() + " is not writable; settings are not saved"
                          : "the settings file " + path + " stayed locked by another process; settings are not saved");
        return denied ? ERROR_ACCESS_DENIED : ERROR_LOCK_VIOLATION;
    }

    RegistryTree tree;
    switch (LoadFile(path, tree)) {
    case LoadResult::Loaded:
    case LoadResult::Missing:
        break;
    case LoadResult::Unreadable:
        // Never replace a file whose values we cannot see.
        ReportOnce("the settings file " + path + " cannot be read; settings are not saved");
        return ERROR_ACCESS_DENIED;
    case LoadResult::Corrupt:
        MoveAside(path);
        tree = {};
        break;
    }
    m_tree = tree;
    m_stamp = StampOf(path);
    if (!change(tree))
        return ERROR_SUCCESS;

    QSaveFile file(ToQString(path));
    if (!file.open(QIODevice::WriteOnly)) {
        ReportOnce("cannot write the settings file " + path + " (" + file.errorString().toStdString() +
                   "); settings are not saved");
        return ERROR_ACCESS_DENIED;
    }
    const std::string text = SerializeRegistry(tree);
    if (file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()) ||
        !file.commit()) {
        ReportOnce("cannot write the settings file " + path + " (" + file.errorString().toStdString() +
                   "); settings are not saved");
        return ERROR_WRITE_FAULT;
    }
    m_tree = std::move(tree);
    m_stamp = StampOf(path);
    m_lastReport.clear();
    return ERROR_SUCCESS;
}

bool RegistryStore::FileAlreadyHolds(const std::function<bool(const RegistryTree&)>& holds) const
{
    // The file as it is now, read without the lock: a rewrite is atomic, so this is one whole version.
    RegistryTree current;
    return LoadFile(FilePath(), current) == LoadResult::Loaded && holds(current);
}

LONG RegistryStore::CreateKey(std::u16string_view path)
{
    std::lock_guard guard(m_mutex);
    // Rewriting what is there already would only cost the lock and the disk's flushes.
    if (FileAlreadyHolds([&](const RegistryTree& tree) { return tree.FindKey(path) != nullptr; }))
        return ERROR_SUCCESS;
    return Modify([&](RegistryTree& tree) { return tree.CreateKey(path); });
}

LONG RegistryStore::SetValue(std::u16string_view path, const RegistryValue& value)
{
    std::lock_guard guard(m_mutex);
    if (FileAlreadyHolds([&](const RegistryTree& tree) {
            const RegistryKey* key = tree.FindKey(path);
            const RegistryValue* stored = key ? key->FindValue(value.name) : nullptr;
            return stored && stored->type == value.type && stored->data == value.data;
        }))
        return ERROR_SUCCESS;
    return Modify([&](RegistryTree& tree) { return tree.SetValue(path, value); });
}

bool RegistryStore::KeyExists(std::u16string_view path)
{
    std::lock_guard guard(m_mutex);
    Refresh();
    return m_tree.FindKey(path) != nullptr;
}

LONG RegistryStore::ReadKey(std::u16string_view path, RegistryKey& out, DWORD* subKeys)
{
    std::lock_guard guard(m_mutex);
    Refresh();
    const RegistryKey* key = m_tree.FindKey(path);
    if (!key)
        return ERROR_FILE_NOT_FOUND;
    out = *key;
    if (subKeys)
        *subKeys = m_tree.CountSubKeys(path);
    return ERROR_SUCCESS;
}

} // namespace win

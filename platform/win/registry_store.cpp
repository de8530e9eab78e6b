#include "platform/win/registry_store.h"

#include "platform/win/config_folder.h"
#include "platform/win/error_codes.h"
#include "platform/win/whole_file.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QString>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

// A name beside the file that no file has yet: the file's name, ".corrupt-" and the time.
std::string AsideName(const std::string& path)
{
    const std::string stem = path + ".corrupt-" +
                             QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")).toStdString();
    std::string target = stem;
    for (int n = 2; QFileInfo::exists(ToQString(target)); ++n)
        target = stem + "-" + std::to_string(n);
    return target;
}

// A copy of exactly this text kept beside the file earlier, by this process or another; empty if none.
std::string KeptCopyOf(const std::string& path, const std::string& text)
{
    const QFileInfo file(ToQString(path));
    const QFileInfoList copies = file.absoluteDir().entryInfoList({file.fileName() + QStringLiteral(".corrupt-*")},
                                                                  QDir::Files | QDir::Hidden);
    for (const QFileInfo& copy : copies) {
        const std::string copyPath = copy.absoluteFilePath().toStdString();
        std::string kept;
        if (copy.size() == static_cast<qint64>(text.size()) &&
            ReadWholeRegularFile(copyPath, kMaxFileBytes, kept) == WholeFileRead::Read && kept == text)
            return copyPath;
    }
    return {};
}

// Why a small file cannot be written in the folder now, found by trying, as QLockFile keeps the
// reason to itself.
std::string WriteProblemIn(const std::string& folder)
{
    std::string probe = folder + "/.registry-probe-XXXXXX";
    const int fd = ::mkstemp(probe.data());
    if (fd < 0)
        return std::strerror(errno);
    const char bytes[64] = {};
    const ssize_t written = ::write(fd, bytes, sizeof bytes);
    const int error = errno;
    ::close(fd);
    ::unlink(probe.c_str());
    if (written == static_cast<ssize_t>(sizeof bytes))
        return "the cause has passed: a test write there succeeds";
    return std::strerror(written < 0 ? error : ENOSPC);
}

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

RegistryStore::LoadResult RegistryStore::LoadFile(const std::string& path, RegistryTree& tree, Damage* damage)
{
    tree = {};
    std::string text;
    switch (ReadWholeRegularFile(path, kMaxFileBytes, text)) {
    case WholeFileRead::Read: break;
    case WholeFileRead::Missing: return LoadResult::Missing;
    case WholeFileRead::TooLarge: return LoadResult::TooLarge;
    case WholeFileRead::NotRegular:
    case WholeFileRead::Failed: return LoadResult::Unreadable;
    }
    if (auto parsed = ParseRegistry(text)) {
        tree = std::move(*parsed);
        return LoadResult::Loaded;
    }
    SalvagedRegistry salvaged = SalvageRegistry(text);
    tree = std::move(salvaged.tree);
    if (damage)
        *damage = {std::move(text), salvaged.droppedLines};
    return LoadResult::Damaged;
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
    const std::string target = AsideName(path);
    if (::rename(path.c_str(), target.c_str()) == 0)
        ReportOnce("the settings file " + path + " is too large to be ours; it was moved to " + target +
                   " and the settings start empty");
    else
        ReportOnce("the settings file " + path + " is too large to be ours (" + std::strerror(errno) +
                   "); the settings start empty");
}

bool RegistryStore::KeepAside(const std::string& path, const Damage& damage)
{
    const std::string lost = damage.droppedLines == 0
                                 ? "it is not whole, but every value in it reads and is in use"
                                 : std::to_string(damage.droppedLines) +
                                       (damage.droppedLines == 1 ? " line could not be read and is"
                                                                 : " lines could not be read and are") +
                                       " left out, every other value is in use";
    std::string kept = KeptCopyOf(path, damage.text);
    if (kept.empty()) {
        const std::string target = AsideName(path);
        std::string error;
        if (!ReplaceWholeFile(target, damage.text, error)) {
            ReportOnce("the settings file " + path + " is damaged: " + lost + "; no copy of it could be kept (" +
                       error + "), so it is not replaced and settings are not saved");
            return false;
        }
        kept = target;
    }
    ReportOnce("the settings file " + path + " is damaged: " + lost + "; the file as it was is kept in " + kept +
               " and the next change of a setting writes the rest back");
    return true;
}

LONG RegistryStore::ReportLockFailure(const QLockFile& lock, const std::string& path, const std::string& consequence)
{
    const std::string folder = QFileInfo(ToQString(path)).absolutePath().toStdString();
    switch (lock.error()) {
    case QLockFile::PermissionError:
        ReportOnce("the settings folder " + folder + " is not writable; " + consequence);
        return ERROR_ACCESS_DENIED;
    case QLockFile::LockFailedError:
        ReportOnce("the settings file " + path + " stayed locked by another process; " + consequence);
        return ERROR_LOCK_VIOLATION;
    case QLockFile::NoError:
    case QLockFile::UnknownError: break;
    }
    ReportOnce("the lock file " + path + ".lock could not be written (" + WriteProblemIn(folder) + "); " + consequence);
    return ERROR_WRITE_FAULT;
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
    case LoadResult::Missing: return;
    case LoadResult::Unreadable:
        ReportOnce("the settings file " + path + " cannot be read; the settings start empty");
        return;
    case LoadResult::Damaged:
    case LoadResult::TooLarge: break;
    }
    // Set a damaged file aside only under the lock, so a good file written meanwhile survives.
    QLockFile lock(ToQString(path + ".lock"));
    lock.setStaleLockTime(kStaleLockMs);
    if (!lock.tryLock(kLockWaitMs)) {
        ReportLockFailure(lock, path, "the damaged settings file is left as it is for now");
        return;
    }
    Damage damage;
    switch (LoadFile(path, m_tree, &damage)) {
    case LoadResult::Damaged: KeepAside(path, damage); break;
    case LoadResult::TooLarge: MoveAside(path); break;
    case LoadResult::Loaded:
    case LoadResult::Missing:
    case LoadResult::Unreadable: break;
    }
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
    if (!lock.tryLock(kLockWaitMs))
        return ReportLockFailure(lock, path, "settings are not saved");

    RegistryTree tree;
    Damage damage;
    switch (LoadFile(path, tree, &damage)) {
    case LoadResult::Loaded:
    case LoadResult::Missing: break;
    case LoadResult::Unreadable:
        // Never replace a file whose values we cannot see.
        ReportOnce("the settings file " + path + " cannot be read; settings are not saved");
        return ERROR_ACCESS_DENIED;
    case LoadResult::Damaged:
        // The salvaged values are written back, the damaged text stays in its copy.
        if (!KeepAside(path, damage))
            return ERROR_WRITE_FAULT;
        break;
    case LoadResult::TooLarge: MoveAside(path); break;
    }
    m_tree = tree;
    m_stamp = StampOf(path);
    if (!change(tree))
        return ERROR_SUCCESS;

    std::string error;
    if (!ReplaceWholeFile(path, SerializeRegistry(tree), error)) {
        ReportOnce("cannot write the settings file " + path + " (" + error + "); settings are not saved");
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

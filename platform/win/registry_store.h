// The current user's registry, kept in $XDG_CONFIG_HOME/torvina/registry.
//
// Every change is made under a lock file, on a fresh read of the file, and reaches the disk by
// atomic replace, so a crash leaves the old or the new file and two processes never lose each
// other's values. Reads pick up changes another process made.
#pragma once

#include "platform/win/registry_tree.h"

class QLockFile;

#include <functional>
#include <mutex>
#include <string>

namespace win {

class RegistryStore {
public:
    static RegistryStore& Instance();

    // ERROR_SUCCESS or the Win32 error that stopped the change.
    LONG CreateKey(std::u16string_view path);
    LONG SetValue(std::u16string_view path, const RegistryValue& value);

    bool KeyExists(std::u16string_view path);
    // The key as it is now; ERROR_FILE_NOT_FOUND when there is no such key.
    LONG ReadKey(std::u16string_view path, RegistryKey& out, DWORD* subKeys = nullptr);

    // The file of the store, from the environment at the time of the call.
    static std::string FilePath();

private:
    RegistryStore() = default;

    struct FileStamp {
        bool exists = false;
        unsigned long long device = 0, inode = 0, size = 0;
        long long modified = 0, changed = 0;
        bool operator==(const FileStamp&) const = default;
    };
    // Damaged: the file does not read whole; the tree holds every key and value that still reads.
    enum class LoadResult { Loaded, Missing, Damaged, TooLarge, Unreadable };
    struct Damage {
        std::string text; // the file as it was read
        size_t droppedLines = 0;
    };

    static FileStamp StampOf(const std::string& path);
    static LoadResult LoadFile(const std::string& path, RegistryTree& tree, Damage* damage = nullptr);

    bool FileAlreadyHolds(const std::function<bool(const RegistryTree&)>& holds) const;
    void Refresh();
    LONG Modify(const std::function<bool(RegistryTree&)>& change);
    void MoveAside(const std::string& path);
    // Keeps a copy of the damaged file beside it, once for each damaged text, and reports it;
    // false when no copy could be kept, so the file must not be replaced.
    bool KeepAside(const std::string& path, const Damage& damage);
    // Says why the lock could not be taken; the Win32 error for it.
    LONG ReportLockFailure(const QLockFile& lock, const std::string& path, const std::string& consequence);
    void ReportOnce(const std::string& message);

    std::mutex m_mutex;
    std::string m_path;
    FileStamp m_stamp;
    RegistryTree m_tree;
    std::string m_lastReport;
};

} // namespace win

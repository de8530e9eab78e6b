// The current user's registry, kept in $XDG_CONFIG_HOME/torvina/registry.
//
// Every change is made under a lock file, on a fresh read of the file, and reaches the disk by
// atomic replace, so a crash leaves the old or the new file and two processes never lose each
// other's values. Reads pick up changes another process made.
#pragma once

#include "platform/win/registry_tree.h"

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
    enum class LoadResult { Loaded, Missing, Corrupt, Unreadable };

    static FileStamp StampOf(const std::string& path);
    static LoadResult LoadFile(const std::string& path, RegistryTree& tree);

    bool FileAlreadyHolds(const std::function<bool(const RegistryTree&)>& holds) const;
    void Refresh();
    LONG Modify(const std::function<bool(RegistryTree&)>& change);
    void MoveAside(const std::string& path);
    void ReportOnce(const std::string& message);

    std::mutex m_mutex;
    std::string m_path;
    FileStamp m_stamp;
    RegistryTree m_tree;
    std::string m_lastReport;
};

} // namespace win

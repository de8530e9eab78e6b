// Times the settings store in a temporary config folder: changed and unchanged writes, reads,
// and a settings record's construction and destruction with a stored profile.
#include "foundation/info.h"
#include "platform/afx/app_profile.h"
#include "platform/win/registry.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double MicrosecondsPer(Clock::time_point start, int count)
{
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / count;
}

} // namespace

int main()
{
    std::string folder = (std::filesystem::temp_directory_path() / "torvina-bench-XXXXXX").string();
    if (!mkdtemp(folder.data()))
        return 1;
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);

    HKEY key = nullptr;
    RegCreateKeyW(HKEY_CURRENT_USER, u"Software\\Bench", &key);
    constexpr int kWrites = 200;
    auto start = Clock::now();
    for (DWORD i = 0; i < kWrites; ++i)
        RegSetValueExW(key, u"changing", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&i), 4);
    std::printf("changed write:   %8.1f us\n", MicrosecondsPer(start, kWrites));

    constexpr int kSame = 2000;
    const DWORD same = 7;
    start = Clock::now();
    for (int i = 0; i < kSame; ++i)
        RegSetValueExW(key, u"same", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&same), 4);
    std::printf("unchanged write: %8.1f us\n", MicrosecondsPer(start, kSame));

    start = Clock::now();
    for (int i = 0; i < kSame; ++i) {
        DWORD value = 0;
        DWORD size = 4;
        RegQueryValueExW(key, u"same", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
    }
    std::printf("read:            %8.1f us\n", MicrosecondsPer(start, kSame));
    RegCloseKey(key);

    CAppProfile profile;
    profile.SetRegistryKey(u"Zarn", u"Torvina");
    AfxSetAppProfile(&profile);
    start = Clock::now();
    {
        CInfo first(FALSE);
    }
    std::printf("record, first start: %8.1f ms\n", MicrosecondsPer(start, 1) / 1000);
    constexpr int kRecords = 50;
    start = Clock::now();
    for (int i = 0; i < kRecords; ++i)
        CInfo info(FALSE);
    std::printf("record, stored:      %8.1f ms\n", MicrosecondsPer(start, kRecords) / 1000);
    AfxSetAppProfile(nullptr);

    std::filesystem::remove_all(folder);
    return 0;
}

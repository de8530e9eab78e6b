// A second process for the registry tests: reads or writes the store the environment points at.
// --as-nobody drops to an unprivileged user first; --file-size-limit BYTES lets no file of the
// process grow past BYTES, as on a full disk.
//   registry_probe [OPTIONS] dump KEY               prints every value of KEY as name|type|hex
//   registry_probe [OPTIONS] set-dword KEY NAME VALUE
//   registry_probe loop KEY ROUNDS                  rewrites ten values and a blob each round
//   registry_probe distinct KEY PREFIX COUNT        writes PREFIX0 .. PREFIX<COUNT-1>
#include "platform/win/registry.h"
#include "tests/support/file_size_limit.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::u16string Wide(const char* text)
{
    std::u16string out;
    for (const char* p = text; *p; ++p)
        out.push_back(static_cast<char16_t>(static_cast<unsigned char>(*p)));
    return out;
}

std::string Narrow(const std::u16string& text)
{
    std::string out;
    for (char16_t c : text)
        out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return out;
}

HKEY Create(const char* key)
{
    HKEY handle = nullptr;
    if (RegCreateKeyW(HKEY_CURRENT_USER, Wide(key).c_str(), &handle) != ERROR_SUCCESS)
        return nullptr;
    return handle;
}

int SetDword(HKEY key, const std::u16string& name, DWORD value)
{
    return static_cast<int>(RegSetValueExW(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4));
}

int Dump(const char* keyName)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, Wide(keyName).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 3;
    for (DWORD index = 0;; ++index) {
        WCHAR name[512];
        DWORD nameLength = 512;
        DWORD type = 0;
        std::vector<BYTE> data(1 << 20);
        auto size = static_cast<DWORD>(data.size());
        if (RegEnumValueW(key, index, name, &nameLength, nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
            break;
        std::printf("%s|%u|", Narrow(std::u16string(name, nameLength)).c_str(), static_cast<unsigned>(type));
        for (DWORD i = 0; i < size; ++i)
            std::printf("%02x", data[i]);
        std::printf("\n");
    }
    RegCloseKey(key);
    return 0;
}

int Loop(const char* keyName, int rounds)
{
    HKEY key = Create(keyName);
    if (!key)
        return 3;
    std::vector<BYTE> blob(3000);
    for (int round = 1; round <= rounds; ++round) {
        for (int i = 0; i < 10; ++i) {
            if (SetDword(key, u"v" + Wide(std::to_string(i).c_str()), static_cast<DWORD>(round)) != ERROR_SUCCESS)
                return 4;
        }
        std::memset(blob.data(), round & 0xFF, blob.size());
        if (RegSetValueExW(key, u"blob", 0, REG_BINARY, blob.data(), static_cast<DWORD>(blob.size())) != ERROR_SUCCESS)
            return 4;
        std::printf("round %d\n", round);
        std::fflush(stdout);
    }
    return 0;
}

int Distinct(const char* keyName, const char* prefix, int count)
{
    HKEY key = Create(keyName);
    if (!key)
        return 3;
    for (int i = 0; i < count; ++i) {
        if (SetDword(key, Wide(prefix) + Wide(std::to_string(i).c_str()), static_cast<DWORD>(i)) != ERROR_SUCCESS)
            return 4;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    int first = 1;
    std::unique_ptr<FileSizeLimit> limit;
    for (; first < argc && std::strncmp(argv[first], "--", 2) == 0; ++first) {
        if (std::strcmp(argv[first], "--as-nobody") == 0) {
            if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
                return 5;
        } else if (std::strcmp(argv[first], "--file-size-limit") == 0 && first + 1 < argc) {
            limit = std::make_unique<FileSizeLimit>(std::strtoull(argv[++first], nullptr, 10));
        } else {
            break;
        }
    }
    const int count = argc - first;
    char** args = argv + first;
    if (count == 2 && std::strcmp(args[0], "dump") == 0)
        return Dump(args[1]);
    if (count == 4 && std::strcmp(args[0], "set-dword") == 0) {
        HKEY key = Create(args[1]);
        return key ? SetDword(key, Wide(args[2]), static_cast<DWORD>(std::strtoul(args[3], nullptr, 10))) : 3;
    }
    if (count == 3 && std::strcmp(args[0], "loop") == 0)
        return Loop(args[1], std::atoi(args[2]));
    if (count == 4 && std::strcmp(args[0], "distinct") == 0)
        return Distinct(args[1], args[2], std::atoi(args[3]));
    std::fprintf(stderr, "registry_probe: bad arguments\n");
    return 2;
}

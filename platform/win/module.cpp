#include "platform/win/module.h"

#include "platform/win/error_codes.h"
#include "platform/win/resource_provider.h"
#include "platform/win/text.h"

#include <climits>
#include <cstdlib>
#include <memory>

namespace {

constexpr LONG ERROR_MOD_NOT_FOUND = 126;
constexpr LONG ERROR_PROC_NOT_FOUND = 127;
constexpr LONG ERROR_RESOURCE_TYPE_NOT_FOUND = 1813;

// The running program's module handle.
HMODULE const kSelf = reinterpret_cast<HMODULE>(static_cast<ULONG_PTR>(0x400000));
HRSRC const kVersionResource = reinterpret_cast<HRSRC>(static_cast<ULONG_PTR>(0x10001));

std::span<const BYTE> VersionRecord()
{
    const ResourceProvider* provider = InstalledResourceProvider();
    return provider ? provider->VersionRecord() : std::span<const BYTE>();
}

std::string RealPath(const std::string& path)
{
    const std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path.c_str(), nullptr), &std::free);
    return resolved ? std::string(resolved.get()) : std::string();
}

} // namespace

HMODULE LoadLibraryW(LPCWSTR path)
{
    if (path && *path) {
        const std::string self = RealPath("/proc/self/exe");
        const std::string wanted = RealPath(Utf16ToUtf8(path));
        if (!self.empty() && wanted == self)
            return kSelf;
    }
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

BOOL FreeLibrary(HMODULE module) { return module == kSelf ? TRUE : FALSE; }

FARPROC GetProcAddress(HMODULE, LPCSTR)
{
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
}

HRSRC FindResourceExW(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language)
{
    if (module == kSelf && type == RT_VERSION && name == MAKEINTRESOURCEW(1) &&
        language == MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL) && !VersionRecord().empty())
        return kVersionResource;
    SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
    return nullptr;
}

HGLOBAL LoadResource(HMODULE module, HRSRC resource)
{
    if (module != kSelf || resource != kVersionResource)
        return nullptr;
    return const_cast<BYTE*>(VersionRecord().data());
}

LPVOID LockResource(HGLOBAL resource) { return resource; }

DWORD SizeofResource(HMODULE module, HRSRC resource)
{
    return module == kSelf && resource == kVersionResource ? static_cast<DWORD>(VersionRecord().size()) : 0;
}

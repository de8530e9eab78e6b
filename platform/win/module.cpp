#include "platform/win/module.h"

#include "platform/win/ascii_case.h"
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

std::span<const DataResource> DataResources()
{
    const ResourceProvider* provider = InstalledResourceProvider();
    return provider ? provider->DataResources() : std::span<const DataResource>();
}

bool SameType(LPCWSTR a, LPCWSTR b)
{
    if (IS_INTRESOURCE(a) || IS_INTRESOURCE(b))
        return a == b;
    return EqualsIgnoringAsciiCase(a, b);
}

// The provider's entry a handle from FindResourceW stands for, or null for any other handle.
const DataResource* DataResourceOf(HMODULE module, HRSRC resource)
{
    const std::span<const DataResource> all = DataResources();
    const auto at = reinterpret_cast<uintptr_t>(resource);
    const auto first = reinterpret_cast<uintptr_t>(all.data());
    if (module != kSelf || at < first || at >= first + all.size_bytes() || (at - first) % sizeof(DataResource) != 0)
        return nullptr;
    return &all[(at - first) / sizeof(DataResource)];
}

std::string RealPath(const std::string& path)
{
    const std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path.c_str(), nullptr), &std::free);
    return resolved ? std::string(resolved.get()) : std::string();
}

} // namespace

HMODULE GetModuleHandleW(LPCWSTR name)
{
    if (!name)
        return kSelf;
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

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

HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type)
{
    if (!module)
        module = kSelf;
    if (module == kSelf && name && IS_INTRESOURCE(name) && type) {
        const WORD id = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name));
        for (const DataResource& entry : DataResources())
            if (entry.id == id && SameType(entry.type, type))
                return reinterpret_cast<HRSRC>(const_cast<DataResource*>(&entry));
    }
    SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
    return nullptr;
}

HGLOBAL LoadResource(HMODULE module, HRSRC resource)
{
    if (module == kSelf && resource == kVersionResource)
        return const_cast<BYTE*>(VersionRecord().data());
    const DataResource* entry = DataResourceOf(module, resource);
    return entry ? const_cast<BYTE*>(entry->bytes.data()) : nullptr;
}

LPVOID LockResource(HGLOBAL resource) { return resource; }

DWORD SizeofResource(HMODULE module, HRSRC resource)
{
    if (module == kSelf && resource == kVersionResource)
        return static_cast<DWORD>(VersionRecord().size());
    const DataResource* entry = DataResourceOf(module, resource);
    return entry ? static_cast<DWORD>(entry->bytes.size()) : 0;
}

BOOL FreeResource(HGLOBAL) { return FALSE; }

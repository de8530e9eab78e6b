#include "foundation/module_version.h"

#include "platform/win/module.h"
#include "platform/win/os_version.h"

#include <cstring>

namespace {
constexpr DWORD ETDT_ENABLETAB = 6;
using EnableThemeDialogTextureProc = HRESULT (*)(HWND, DWORD);
constexpr size_t kFixedInfoOffset = 40;
constexpr size_t kMinimumLength = kFixedInfoOffset + sizeof(VS_FIXEDFILEINFO);
} // namespace

CString GetModuleVersion(LPCWSTR path)
{
    CString version;
    HMODULE module = LoadLibraryW(path);
    if (!module)
        return version;
    HRSRC resource = FindResourceExW(module, RT_VERSION, MAKEINTRESOURCEW(1),
                                     MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const auto* block = static_cast<const BYTE*>(loaded ? LockResource(loaded) : nullptr);
    const DWORD available = resource ? SizeofResource(module, resource) : 0;
    if (block && available >= 2) {
        const WORD length = static_cast<WORD>(block[0] | (block[1] << 8));
        if (length >= kMinimumLength && available >= kMinimumLength) {
            VS_FIXEDFILEINFO info;
            std::memcpy(&info, block + kFixedInfoOffset, sizeof info);
            version.Format(u"%d.%d%d", HIWORD(info.dwFileVersionMS), LOWORD(info.dwFileVersionMS),
                           HIWORD(info.dwFileVersionLS));
        }
    }
    FreeLibrary(module);
    return version;
}

BOOL IsXPOrLater()
{
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExW(&info))
        return FALSE;
    return (info.dwMajorVersion > 5 || (info.dwMajorVersion == 5 && info.dwMinorVersion >= 1)) ? TRUE : FALSE;
}

int EnableDialogTexture(HWND dialog)
{
    if (!IsXPOrLater())
        return 0;
    // No theme library exists here, so the load fails and the dialog keeps its own background.
    HMODULE library = LoadLibraryW(u"uxtheme.dll");
    if (!library)
        return 0;
    if (FARPROC function = GetProcAddress(library, "EnableThemeDialogTexture"))
        reinterpret_cast<EnableThemeDialogTextureProc>(function)(dialog, ETDT_ENABLETAB);
    FreeLibrary(library);
    return 0;
}

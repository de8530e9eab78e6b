// Modules and their resources. Only the running program itself can be "loaded": its version
// record comes from the program's resource provider. No other file is ever mapped or run, so any
// other path fails.
#pragma once

#include "platform/win/file.h"
#include "platform/win/types.h"

struct HRSRC__;
using HRSRC = HRSRC__*;
using FARPROC = void (*)();

inline LPCWSTR MAKEINTRESOURCEW(WORD id) { return reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(id)); }
#define RT_VERSION MAKEINTRESOURCEW(16)
constexpr WORD LANG_NEUTRAL = 0x00;
constexpr WORD SUBLANG_NEUTRAL = 0x00;
constexpr WORD MAKELANGID(WORD primary, WORD sub) { return static_cast<WORD>((sub << 10) | primary); }

// The fixed file information of a version record, at byte offset 40 of the block.
constexpr DWORD VS_FFI_SIGNATURE = 0xFEEF04BD;
struct VS_FIXEDFILEINFO {
    DWORD dwSignature;
    DWORD dwStrucVersion;
    DWORD dwFileVersionMS;
    DWORD dwFileVersionLS;
    DWORD dwProductVersionMS;
    DWORD dwProductVersionLS;
    DWORD dwFileFlagsMask;
    DWORD dwFileFlags;
    DWORD dwFileOS;
    DWORD dwFileType;
    DWORD dwFileSubtype;
    DWORD dwFileDateMS;
    DWORD dwFileDateLS;
};
static_assert(sizeof(VS_FIXEDFILEINFO) == 52);

HMODULE LoadLibraryW(LPCWSTR path);
BOOL FreeLibrary(HMODULE module);
// No module exports functions here.
FARPROC GetProcAddress(HMODULE module, LPCSTR name);
HRSRC FindResourceExW(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
LPVOID LockResource(HGLOBAL resource);
DWORD SizeofResource(HMODULE module, HRSRC resource);

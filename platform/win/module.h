// Modules and their resources. Only the running program itself can be "loaded": its version
// record and its data resources come from the program's resource provider. No other file is ever mapped or run, so any
// other path fails.
#pragma once

#include "platform/win/file.h"
#include "platform/win/types.h"

#include <span>

struct HRSRC__;
using HRSRC = HRSRC__*;
using FARPROC = void (*)();

inline LPCWSTR MAKEINTRESOURCEW(WORD id) { return reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(id)); }
inline bool IS_INTRESOURCE(LPCWSTR name) { return (reinterpret_cast<ULONG_PTR>(name) >> 16) == 0; }
#define RT_BITMAP MAKEINTRESOURCEW(2)
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

// One of the program's own resources, found by type and integer id: under RT_BITMAP a whole BMP
// file, under a type name (u"PNG", ...) a picture file. Type names compare without regard to
// the case of A to Z.
struct DataResource {
    LPCWSTR type; // an integer type (MAKEINTRESOURCEW) or a name
    WORD id;
    std::span<const BYTE> bytes;
};

// Null names the running program, whose handle it gives.
HMODULE GetModuleHandleW(LPCWSTR name);
HMODULE LoadLibraryW(LPCWSTR path);
BOOL FreeLibrary(HMODULE module);
// No module exports functions here.
FARPROC GetProcAddress(HMODULE module, LPCSTR name);
HRSRC FindResourceExW(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language);
// A data resource of the program (module null or its own handle) by integer name and type.
HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
LPVOID LockResource(HGLOBAL resource);
DWORD SizeofResource(HMODULE module, HRSRC resource);
// Resources live as long as the program: nothing to release, FALSE as on 32-bit Windows.
BOOL FreeResource(HGLOBAL resource);

// Modules and their resources. Only the running program itself can be "loaded": its version
// record is compiled in. No other file is ever mapped or run, so any other path fails.
#pragma once

#include "platform/win/file.h"
#include "platform/win/types.h"

struct HRSRC__;
using HRSRC = HRSRC__*;
using FARPROC = void (*)();

constexpr LPCWSTR MAKEINTRESOURCEW(WORD id)
{
    return reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(id));
}
#define RT_VERSION MAKEINTRESOURCEW(16)
constexpr WORD LANG_NEUTRAL = 0x00;
constexpr WORD SUBLANG_NEUTRAL = 0x00;
constexpr WORD MAKELANGID(WORD primary, WORD sub) { return static_cast<WORD>((sub << 10) | primary); }

HMODULE LoadLibraryW(LPCWSTR path);
BOOL FreeLibrary(HMODULE module);
// No module exports functions here.
FARPROC GetProcAddress(HMODULE module, LPCSTR name);
HRSRC FindResourceExW(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
LPVOID LockResource(HGLOBAL resource);
DWORD SizeofResource(HMODULE module, HRSRC resource);

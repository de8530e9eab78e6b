// Files and folders by UTF-16 path. '/' separates folders; paths have no length limit of their own.
#pragma once

#include "platform/win/types.h"

#include <string_view>

using HMODULE = HANDLE;
inline const HANDLE INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1));

constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x01;
constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x02;
constexpr DWORD FILE_ATTRIBUTE_SYSTEM = 0x04;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x20;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;

// 100-nanosecond intervals since 1601-01-01 UTC.
struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};

struct WIN32_FILE_ATTRIBUTE_DATA {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
};

// A folder entry's name is at most 255 bytes on Linux, so it always fits cFileName.
struct WIN32_FIND_DATAW {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    DWORD dwReserved0;
    DWORD dwReserved1;
    WCHAR cFileName[MAX_PATH];
    WCHAR cAlternateFileName[14];
};

enum GET_FILEEX_INFO_LEVELS { GetFileExInfoStandard };

// TRUE for an existing file or folder.
BOOL PathFileExistsW(LPCWSTR path);
DWORD GetFileAttributesW(LPCWSTR path);
BOOL GetFileAttributesExW(LPCWSTR path, GET_FILEEX_INFO_LEVELS level, LPVOID info);
// Read-only maps to the owner's write permission; the other attributes cannot be set here.
BOOL SetFileAttributesW(LPCWSTR path, DWORD attributes);
// Removes a file; fails on a folder.
BOOL DeleteFileW(LPCWSTR path);
BOOL CreateDirectoryW(LPCWSTR path, LPVOID securityAttributes);

// Searches "folder/pattern": '*' and '?' match without regard to case; a pattern without
// them names one entry exactly. "." and ".." are reported like other entries.
HANDLE FindFirstFileW(LPCWSTR pattern, WIN32_FIND_DATAW* data);
BOOL FindNextFileW(HANDLE search, WIN32_FIND_DATAW* data);
BOOL FindClose(HANDLE search);

// The wildcard rule of FindFirstFileW, for one name.
bool MatchesWildcard(std::u16string_view name, std::u16string_view pattern);

// The running executable (module must be null). Like the system call, a buffer that is too
// small gets the cut, terminated path and the result equals size.
DWORD GetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size);

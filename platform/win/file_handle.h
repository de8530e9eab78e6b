// Files opened by handle, for reading a whole file at once.
#pragma once

#include "platform/win/file.h"
#include "platform/win/types.h"

constexpr DWORD GENERIC_READ = 0x80000000;
constexpr DWORD FILE_SHARE_READ = 0x00000001;
constexpr DWORD OPEN_EXISTING = 3;
constexpr DWORD FILE_TYPE_UNKNOWN = 0x0000;
constexpr DWORD FILE_TYPE_DISK = 0x0001;
constexpr DWORD FILE_TYPE_CHAR = 0x0002;
constexpr DWORD FILE_TYPE_PIPE = 0x0003;
constexpr DWORD INVALID_FILE_SIZE = 0xFFFFFFFF;

// Only reading existing files is offered: GENERIC_READ with OPEN_EXISTING. A folder fails.
HANDLE CreateFileW(LPCWSTR path, DWORD access, DWORD share, LPVOID security, DWORD disposition, DWORD flags,
                   HANDLE templateFile);
// FILE_TYPE_DISK for a regular file, FILE_TYPE_CHAR or FILE_TYPE_PIPE for devices and pipes.
DWORD GetFileType(HANDLE file);
// The low 32 bits; the high ones go to *high when it is given.
DWORD GetFileSize(HANDLE file, DWORD* high);
BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD bytes, DWORD* read, LPVOID overlapped);
BOOL CloseHandle(HANDLE handle);

// Opening a file, folder or web address with the desktop's associated program (xdg-open).
#pragma once

#include "platform/win/types.h"

constexpr INT_PTR SE_ERR_FNF = 2;
constexpr INT_PTR SE_ERR_NOASSOC = 31;

// Verbs "open" (or none) and "explore"; no parameters. Runs xdg-open with the path as its one
// argument (never through a shell) and waits for it. Above 32 on success, as the system call.
HINSTANCE ShellExecuteW(HWND window, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR directory, int show);

// Opening a file or web page with its associated program on a short-lived worker thread.
#pragma once

#include "platform/afx/win_thread.h"

// The path is copied, so the caller's text may go at once. The thread object deletes itself when
// the worker ends; NULL when no worker could be started. Nothing is reported either way.
CWinThread* ShellOpenAsync(LPCWSTR path);
// Worker procedures: the parameter is a heap CString they own and delete; they return 0.
UINT ShellOpenThreadProc(LPVOID parameter);
UINT ShellExploreThreadProc(LPVOID parameter);

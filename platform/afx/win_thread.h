// Worker threads in the class library's form.
#pragma once

#include "platform/win/process.h"
#include "platform/win/types.h"

using AFX_THREADPROC = UINT (*)(LPVOID parameter);

class CWinThread {
public:
    CWinThread() = default;
    virtual ~CWinThread() = default;
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;

    // With TRUE (the default) the object deletes itself when its thread ends, so a caller must
    // not use the pointer AfxBeginThread returned once the thread may have finished.
    BOOL m_bAutoDelete = TRUE;
};

// Starts proc(parameter) at once on a new thread at the given priority relative to the
// process. Only createFlags 0 is supported; NULL when the thread cannot be started.
CWinThread* AfxBeginThread(AFX_THREADPROC proc, LPVOID parameter, int priority = THREAD_PRIORITY_NORMAL,
                           UINT stackSize = 0, DWORD createFlags = 0, void* security = nullptr);

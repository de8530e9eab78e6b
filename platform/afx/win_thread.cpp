#include "platform/afx/win_thread.h"

#include <exception>
#include <thread>

CWinThread* AfxBeginThread(AFX_THREADPROC proc, LPVOID parameter, int priority, UINT, DWORD createFlags, void*)
{
    if (!proc || createFlags != 0)
        return nullptr;
    auto* thread = new CWinThread;
    try {
        std::thread([thread, proc, parameter, priority] {
            if (priority != THREAD_PRIORITY_NORMAL)
                SetThreadPriority(GetCurrentThread(), priority);
            proc(parameter);
            if (thread->m_bAutoDelete)
                delete thread;
        }).detach();
    } catch (const std::exception&) {
        delete thread;
        return nullptr;
    }
    return thread;
}

#include "foundation/shell_open.h"

#include "platform/afx/cstring.h"
#include "platform/win/shell.h"

#include <memory>

namespace {

constexpr int kShowNormal = 1;

UINT OpenWithVerb(LPVOID parameter, LPCWSTR verb)
{
    const std::unique_ptr<CString> path(static_cast<CString*>(parameter));
    ShellExecuteW(nullptr, verb, *path, nullptr, nullptr, kShowNormal);
    return 0;
}

} // namespace

CWinThread* ShellOpenAsync(LPCWSTR path)
{
    auto copy = std::make_unique<CString>(path ? path : u"");
    CWinThread* thread = AfxBeginThread(ShellOpenThreadProc, copy.get(), THREAD_PRIORITY_BELOW_NORMAL, 0, 0, nullptr);
    if (thread)
        copy.release(); // the worker owns it now
    return thread;
}

UINT ShellOpenThreadProc(LPVOID parameter) { return OpenWithVerb(parameter, u"open"); }

UINT ShellExploreThreadProc(LPVOID parameter) { return OpenWithVerb(parameter, u"explore"); }

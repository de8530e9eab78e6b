#include "platform/win/shell.h"

#include "platform/win/text.h"

#include <cerrno>
#include <spawn.h>
#include <string>
#include <sys/wait.h>

extern char** environ;

namespace {

constexpr INT_PTR kSuccess = 33;
constexpr int kXdgFileNotFound = 2;

HINSTANCE Result(INT_PTR code) { return reinterpret_cast<HINSTANCE>(code); }

bool IsVerb(LPCWSTR verb, std::u16string_view name) { return verb && std::u16string_view(verb) == name; }

} // namespace

HINSTANCE ShellExecuteW(HWND, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR, int)
{
    if (verb && !IsVerb(verb, u"open") && !IsVerb(verb, u"explore"))
        return Result(SE_ERR_NOASSOC);
    if (parameters && *parameters)
        return Result(SE_ERR_NOASSOC);
    if (!file || !*file)
        return Result(SE_ERR_FNF);
    std::string target = Utf16ToUtf8(file);
    // A name starting with '-' would read as an option of xdg-open.
    if (target.front() == '-')
        target = "./" + target;
    std::string program = "xdg-open";
    char* argv[] = {program.data(), target.data(), nullptr};
    pid_t child = -1;
    if (posix_spawnp(&child, program.c_str(), nullptr, nullptr, argv, environ) != 0)
        return Result(SE_ERR_NOASSOC);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {}
    if (!WIFEXITED(status))
        return Result(SE_ERR_NOASSOC);
    if (WEXITSTATUS(status) == 0)
        return Result(kSuccess);
    return Result(WEXITSTATUS(status) == kXdgFileNotFound ? SE_ERR_FNF : SE_ERR_NOASSOC);
}

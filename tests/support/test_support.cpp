#include "tests/support/test_support.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

pid_t Spawn(const std::vector<std::string>& argv, int* out, int* err)
{
    int outPipe[2];
    int errPipe[2] = {-1, -1};
    if (pipe(outPipe) != 0 || (err && pipe(errPipe) != 0))
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outPipe[1], 1);
    posix_spawn_file_actions_addclose(&actions, outPipe[0]);
    if (err) {
        posix_spawn_file_actions_adddup2(&actions, errPipe[1], 2);
        posix_spawn_file_actions_addclose(&actions, errPipe[0]);
    }
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(outPipe[1]);
    *out = outPipe[0];
    if (err) {
        close(errPipe[1]);
        *err = errPipe[0];
    }
    return pid;
}

std::string ReadAll(int fd)
{
    std::string text;
    char buffer[4096];
    ssize_t got;
    while ((got = read(fd, buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<size_t>(got));
    close(fd);
    return text;
}

int ExitCodeOf(int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : -1; }

} // namespace

TempFolder::TempFolder()
{
    std::string pattern = std::filesystem::temp_directory_path().string() + "/torvina-test-XXXXXX";
    if (char* made = mkdtemp(pattern.data()))
        m_path = made;
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    // Folders a test made read-only must become writable again to be removed.
    for (auto it = std::filesystem::recursive_directory_iterator(m_path, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored))
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                     ignored);
    std::filesystem::remove_all(m_path, ignored);
}

ScopedEnv::ScopedEnv(const char* name, const char* value) : m_name(name)
{
    const char* old = std::getenv(name);
    m_hadOld = old != nullptr;
    if (old)
        m_old = old;
    if (value)
        setenv(name, value, 1);
    else
        unsetenv(name);
}

ScopedEnv::~ScopedEnv()
{
    if (m_hadOld)
        setenv(m_name.c_str(), m_old.c_str(), 1);
    else
        unsetenv(m_name.c_str());
}

ProcessResult RunProcess(const std::vector<std::string>& argv)
{
    ProcessResult result;
    int out = -1;
    int err = -1;
    const pid_t pid = Spawn(argv, &out, &err);
    if (pid < 0)
        return result;
    // The child's output is small; read its error stream after its output.
    result.out = ReadAll(out);
    result.err = ReadAll(err);
    int status = 0;
    waitpid(pid, &status, 0);
    result.exitCode = ExitCodeOf(status);
    return result;
}

ChildProcess::ChildProcess(const std::vector<std::string>& argv) { m_pid = Spawn(argv, &m_out, nullptr); }

ChildProcess::~ChildProcess()
{
    if (m_pid > 0) {
        kill(m_pid, SIGKILL);
        Wait();
    }
    if (m_out >= 0)
        close(m_out);
}

bool ChildProcess::ReadLine(std::string& line)
{
    while (true) {
        const size_t end = m_pending.find('\n');
        if (end != std::string::npos) {
            line = m_pending.substr(0, end);
            m_pending.erase(0, end + 1);
            return true;
        }
        char buffer[256];
        const ssize_t got = read(m_out, buffer, sizeof buffer);
        if (got <= 0)
            return false;
        m_pending.append(buffer, static_cast<size_t>(got));
    }
}

void ChildProcess::Kill(int signal)
{
    if (m_pid > 0)
        kill(m_pid, signal);
}

int ChildProcess::Wait()
{
    if (m_pid <= 0)
        return -1;
    int status = 0;
    waitpid(m_pid, &status, 0);
    m_pid = -1;
    return ExitCodeOf(status);
}

bool ChildProcess::WaitFor(int ms, int* exitCode)
{
    for (int waited = 0; m_pid > 0; waited += 5) {
        int status = 0;
        if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_pid = -1;
            *exitCode = ExitCodeOf(status);
            return true;
        }
        if (waited >= ms)
            return false;
        usleep(5000);
    }
    return false;
}

std::string ReadFileText(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void WriteFileText(const std::string& path, const std::string& text)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
}

std::vector<std::string> ListFolder(const std::string& path)
{
    std::vector<std::string> names;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(path, ignored))
        names.push_back(entry.path().filename().string());
    return names;
}

// Runs a call in a forked child that is killed when it does not end in time, so a call that
// blocks for good fails its test instead of hanging the suite.
#pragma once

#include <chrono>
#include <csignal>
#include <functional>
#include <optional>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

// The child's exit code, or nothing when it was still running at the deadline or died of a signal.
inline std::optional<int> ExitCodeWithin(std::chrono::milliseconds limit, const std::function<int()>& call)
{
    const pid_t child = fork();
    if (child < 0)
        return std::nullopt;
    if (child == 0)
        _exit(call());
    const auto deadline = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (!WIFEXITED(status))
        return std::nullopt;
    return WEXITSTATUS(status);
}

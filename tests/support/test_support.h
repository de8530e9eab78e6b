// Helpers shared by tests: temporary folders, environment overrides, child processes.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return m_path; }
    std::string operator/(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

// Sets (or with a null value unsets) an environment variable for the object's lifetime.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string m_name;
    std::string m_old;
    bool m_hadOld;
};

// Points the registry store at a temporary config folder.
class TempConfigHome {
public:
    TempConfigHome() : m_env("XDG_CONFIG_HOME", m_folder.Path().c_str()) {}
    const std::string& Path() const { return m_folder.Path(); }
    std::string RegistryFile() const { return m_folder.Path() + "/torvina/registry"; }

private:
    TempFolder m_folder;
    ScopedEnv m_env;
};

struct ProcessResult {
    int exitCode = -1; // -1 when the process did not exit normally
    std::string out;
    std::string err;
};

ProcessResult RunProcess(const std::vector<std::string>& argv);

// A running child whose standard output can be read line by line.
class ChildProcess {
public:
    explicit ChildProcess(const std::vector<std::string>& argv);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool ReadLine(std::string& line); // false at end of output
    void Kill(int signal);
    int Wait(); // the exit code, or -1 when the process was ended by a signal
    // Waits at most ms for the process to end: false when it still runs.
    bool WaitFor(int ms, int* exitCode);

private:
    pid_t m_pid = -1;
    int m_out = -1;
    std::string m_pending;
};

std::string ReadFileText(const std::string& path);
void WriteFileText(const std::string& path, const std::string& text);
std::vector<std::string> ListFolder(const std::string& path);

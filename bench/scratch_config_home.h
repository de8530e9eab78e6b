// Benchmarks must not change the user's settings: the writers' registry goes to a scratch
// folder for the program's run.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

class ScratchConfigHome {
public:
    ScratchConfigHome()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "torvina_bench.XXXXXX").string();
        if (mkdtemp(pattern.data())) {
            m_path = pattern;
            setenv("XDG_CONFIG_HOME", m_path.c_str(), 1);
        }
    }
    ~ScratchConfigHome()
    {
        std::error_code ignored;
        if (!m_path.empty())
            std::filesystem::remove_all(m_path, ignored);
    }
    ScratchConfigHome(const ScratchConfigHome&) = delete;
    ScratchConfigHome& operator=(const ScratchConfigHome&) = delete;

private:
    std::string m_path;
};

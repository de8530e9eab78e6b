// A named pipe whose writer comes late: until then, opening it for reading waits. After a grace
// period a watcher thread plays the writer for any reader that waits in an open: it writes the
// given bytes, then closes, so the reader sees them and the end of the pipe. So a test of a program
// that blocks on such a pipe fails instead of hanging, and a program that reads one gets a file.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class WaitingFifo {
public:
    explicit WaitingFifo(std::string path, std::chrono::milliseconds grace = std::chrono::seconds(3),
                         std::vector<uint8_t> content = {})
        : m_path(std::move(path)), m_content(std::move(content)), m_made(mkfifo(m_path.c_str(), 0600) == 0),
          m_watcher([this, grace] { Watch(grace); })
    {
    }
    ~WaitingFifo()
    {
        {
            std::lock_guard<std::mutex> lock(m_lock);
            m_done = true;
        }
        m_changed.notify_all();
        m_watcher.join();
        unlink(m_path.c_str());
    }
    WaitingFifo(const WaitingFifo&) = delete;
    WaitingFifo& operator=(const WaitingFifo&) = delete;

    bool Made() const { return m_made; }
    // A reader had opened the pipe, or was waiting in the open, when the writer came.
    bool ReaderCame() const { return m_served; }

private:
    void Watch(std::chrono::milliseconds grace)
    {
        std::unique_lock<std::mutex> lock(m_lock);
        if (m_changed.wait_for(lock, grace, [this] { return m_done; }))
            return;
        // A writer's open succeeds only while a reader has the pipe open or waits to.
        while (!m_changed.wait_for(lock, std::chrono::milliseconds(10), [this] { return m_done; })) {
            const int fd = open(m_path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd < 0)
                continue;
            m_served = true;
            if (!m_content.empty())
                static_cast<void>(write(fd, m_content.data(), m_content.size()));
            close(fd);
        }
    }

    std::string m_path;
    std::vector<uint8_t> m_content;
    bool m_made;
    std::atomic<bool> m_served{false};
    std::mutex m_lock;
    std::condition_variable m_changed;
    bool m_done = false;
    std::thread m_watcher;
};

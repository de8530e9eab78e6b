// The output file of the AVI writer: appends at the end, patches earlier bytes in place, and
// keeps the file cut at the last whole append when a write fails.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vfw {

class AviFileSink {
public:
    AviFileSink() = default;
    ~AviFileSink();
    AviFileSink(const AviFileSink&) = delete;
    AviFileSink& operator=(const AviFileSink&) = delete;

    // Creates or truncates the file; false when it cannot be created.
    [[nodiscard]] bool Create(const std::string& path);
    // All bytes or none: a partial write is cut off again.
    [[nodiscard]] bool Append(const void* data, size_t bytes);
    [[nodiscard]] bool WriteAt(uint64_t offset, const void* data, size_t bytes);
    [[nodiscard]] bool TruncateTo(uint64_t size);
    uint64_t End() const { return m_end; }
    bool IsOpen() const { return m_fd >= 0; }
    // Closes the file; false when its data could not be flushed.
    [[nodiscard]] bool Close();

private:
    [[nodiscard]] bool WriteAll(uint64_t offset, const void* data, size_t bytes);

    int m_fd = -1;
    uint64_t m_end = 0;
};

} // namespace vfw

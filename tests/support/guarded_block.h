// Bytes that end exactly where an unreadable page begins, for tests that a reader stays inside
// the buffer it is given: reading one byte past the end faults.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>

class GuardedBlock {
public:
    explicit GuardedBlock(size_t bytes) : m_bytes(bytes)
    {
        const size_t page = PageSize();
        m_mappedBytes = (bytes + page - 1) / page * page + page;
        void* mapped = mmap(nullptr, m_mappedBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapped == MAP_FAILED)
            return;
        m_mapped = static_cast<uint8_t*>(mapped);
        if (mprotect(m_mapped + m_mappedBytes - page, page, PROT_NONE) != 0) {
            munmap(m_mapped, m_mappedBytes);
            m_mapped = nullptr;
        }
    }
    ~GuardedBlock()
    {
        if (m_mapped)
            munmap(m_mapped, m_mappedBytes);
    }
    GuardedBlock(const GuardedBlock&) = delete;
    GuardedBlock& operator=(const GuardedBlock&) = delete;

    // Null when the pages could not be had.
    uint8_t* data() const { return m_mapped ? m_mapped + m_mappedBytes - PageSize() - m_bytes : nullptr; }

private:
    static size_t PageSize() { return static_cast<size_t>(sysconf(_SC_PAGESIZE)); }

    size_t m_bytes;
    size_t m_mappedBytes = 0;
    uint8_t* m_mapped = nullptr;
};

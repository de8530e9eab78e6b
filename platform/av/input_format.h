// An input file opened for reading, for the tests and tools that decode what the writers
// produced; the program itself never reads a container, so it is kept apart from it.
#pragma once

extern "C" {
#include <libavformat/avformat.h>
}

#include <string>

namespace av {

class InputFormat {
public:
    InputFormat() = default;
    ~InputFormat();
    InputFormat(const InputFormat&) = delete;
    InputFormat& operator=(const InputFormat&) = delete;

    [[nodiscard]] int Open(const std::string& path);
    AVFormatContext* get() const { return m_context; }

private:
    AVFormatContext* m_context = nullptr;
};

} // namespace av

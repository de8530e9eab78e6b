#include "platform/av/input_format.h"

namespace av {

InputFormat::~InputFormat() { avformat_close_input(&m_context); }

int InputFormat::Open(const std::string& path)
{
    avformat_close_input(&m_context);
    int rc = avformat_open_input(&m_context, path.c_str(), nullptr, nullptr);
    if (rc < 0)
        return rc;
    rc = avformat_find_stream_info(m_context, nullptr);
    if (rc < 0)
        avformat_close_input(&m_context);
    return rc;
}

} // namespace av

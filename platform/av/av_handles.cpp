#include "platform/av/av_handles.h"

#include "platform/win/failure_log.h"

extern "C" {
#include <libavutil/error.h>
#include <libavutil/log.h>
}

namespace av {

OutputFormat::~OutputFormat() { Reset(); }

int OutputFormat::Open(const char* muxer, const std::string& path)
{
    Reset();
    int rc = avformat_alloc_output_context2(&m_context, nullptr, muxer, path.c_str());
    if (rc < 0 || !m_context)
        return rc < 0 ? rc : AVERROR(ENOMEM);
    if (!(m_context->oformat->flags & AVFMT_NOFILE)) {
        rc = avio_open(&m_context->pb, path.c_str(), AVIO_FLAG_WRITE);
        if (rc < 0) {
            Reset();
            return rc;
        }
    }
    return 0;
}

void OutputFormat::Reset()
{
    if (!m_context)
        return;
    if (m_context->pb && !(m_context->oformat->flags & AVFMT_NOFILE))
        avio_closep(&m_context->pb);
    avformat_free_context(m_context);
    m_context = nullptr;
}

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

void QuietLogging() { av_log_set_level(AV_LOG_ERROR); }

std::string ErrorText(int averror)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(averror, text, sizeof text);
    return text;
}

int LogFailure(const char* what, int averror)
{
    ::LogFailure(what, ErrorText(averror));
    return averror;
}

} // namespace av

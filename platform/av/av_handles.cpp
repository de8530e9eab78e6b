#include "platform/av/av_handles.h"

#include "platform/av/format_library.h"
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
    m_library = OpenFormatLibrary();
    if (!m_library)
        return AVERROR(ENOSYS);
    int rc = m_library->allocOutputContext(&m_context, nullptr, muxer, path.c_str());
    if (rc < 0 || !m_context)
        return rc < 0 ? rc : AVERROR(ENOMEM);
    if (!(m_context->oformat->flags & AVFMT_NOFILE)) {
        rc = m_library->openIo(&m_context->pb, path.c_str(), AVIO_FLAG_WRITE);
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
        m_library->closeIo(&m_context->pb);
    m_library->freeContext(m_context);
    m_context = nullptr;
}

AVStream* OutputFormat::NewStream() { return m_library->newStream(m_context, nullptr); }

int OutputFormat::WriteHeader() { return m_library->writeHeader(m_context, nullptr); }

int OutputFormat::WritePacket(AVPacket* packet) { return m_library->writeFrame(m_context, packet); }

int OutputFormat::WriteTrailer() { return m_library->writeTrailer(m_context); }

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

// Owning handles for the FFmpeg objects that the video and audio layers share.
#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/frame.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <memory>
#include <string>

namespace av {

struct FormatLibrary;

struct CodecContextDeleter {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct FrameDeleter {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct PacketDeleter {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct SwsDeleter {
    void operator()(SwsContext* s) const { sws_freeContext(s); }
};
struct SwrDeleter {
    void operator()(SwrContext* s) const { swr_free(&s); }
};
struct DictionaryDeleter {
    void operator()(AVDictionary* d) const { av_dict_free(&d); }
};

using CodecContextPtr = std::unique_ptr<AVCodecContext, CodecContextDeleter>;
using FramePtr = std::unique_ptr<AVFrame, FrameDeleter>;
using PacketPtr = std::unique_ptr<AVPacket, PacketDeleter>;
using SwsPtr = std::unique_ptr<SwsContext, SwsDeleter>;
using SwrPtr = std::unique_ptr<SwrContext, SwrDeleter>;

// An output container being written, through libavformat opened on first use
// (platform/av/format_library.h); closes the file and frees the context when destroyed.
class OutputFormat {
public:
    OutputFormat() = default;
    ~OutputFormat();
    OutputFormat(const OutputFormat&) = delete;
    OutputFormat& operator=(const OutputFormat&) = delete;

    // Allocates the context for the named muxer and opens path for writing.
    [[nodiscard]] int Open(const char* muxer, const std::string& path);
    AVFormatContext* get() const { return m_context; }
    void Reset();

    // As avformat_new_stream, avformat_write_header, av_interleaved_write_frame and
    // av_write_trailer on the open context.
    AVStream* NewStream();
    [[nodiscard]] int WriteHeader();
    [[nodiscard]] int WritePacket(AVPacket* packet);
    [[nodiscard]] int WriteTrailer();

private:
    AVFormatContext* m_context = nullptr;
    const FormatLibrary* m_library = nullptr;
};

// Libraries log to stderr by default; the program keeps them quiet except for real errors.
void QuietLogging();

std::string ErrorText(int averror);

// Logs a failed library call with the library's own text (platform/win/failure_log.h); returns
// averror, so a call site can log and pass the code on in one step.
int LogFailure(const char* what, int averror);

} // namespace av

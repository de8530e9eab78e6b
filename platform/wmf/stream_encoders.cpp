#include "platform/wmf/stream_encoders.h"

#include "platform/win/dib_rows.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/samplefmt.h>
}

namespace wmf {
namespace {

constexpr int kMaxInputSide = 16384;
constexpr int64_t kShortestFrame = 10000; // 1000 frames per second
constexpr int64_t kLongestFrame = 1000000000; // 100 seconds

struct SubtypeFormat {
    GUID subtype;
    AVPixelFormat format;
    int bitsPerPixel; // packed formats
    int chromaShift; // planar formats: 1 for 4:2:0, 2 for 4:1:0; 0 for packed
    bool swapChroma;
};

const SubtypeFormat kSubtypes[] = {
    {WMMEDIASUBTYPE_RGB24, AV_PIX_FMT_BGR24, 24, 0, false},     {WMMEDIASUBTYPE_RGB32, AV_PIX_FMT_BGR0, 32, 0, false},
    {WMMEDIASUBTYPE_RGB555, AV_PIX_FMT_RGB555LE, 16, 0, false}, {WMMEDIASUBTYPE_YUY2, AV_PIX_FMT_YUYV422, 16, 0, false},
    {WMMEDIASUBTYPE_UYVY, AV_PIX_FMT_UYVY422, 16, 0, false},    {WMMEDIASUBTYPE_YVYU, AV_PIX_FMT_YVYU422, 16, 0, false},
    {WMMEDIASUBTYPE_I420, AV_PIX_FMT_YUV420P, 0, 1, false},     {WMMEDIASUBTYPE_IYUV, AV_PIX_FMT_YUV420P, 0, 1, false},
    {WMMEDIASUBTYPE_YV12, AV_PIX_FMT_YUV420P, 0, 1, true},      {WMMEDIASUBTYPE_YVU9, AV_PIX_FMT_YUV410P, 0, 2, true},
};

bool IsRgb(AVPixelFormat f) { return f == AV_PIX_FMT_BGR24 || f == AV_PIX_FMT_BGR0 || f == AV_PIX_FMT_RGB555LE; }

} // namespace

std::optional<VideoInputLayout> VideoLayoutOf(const MediaType& type)
{
    const WM_MEDIA_TYPE& t = type.Type();
    if (!(t.majortype == WMMEDIATYPE_Video) || !(t.formattype == WMFORMAT_VideoInfo) ||
        type.Format().size() < sizeof(VIDEOINFOHEADER))
        return std::nullopt;
    VIDEOINFOHEADER info;
    std::memcpy(&info, type.Format().data(), sizeof info);
    const BITMAPINFOHEADER& bih = info.bmiHeader;
    if (bih.biWidth < 1 || bih.biWidth > kMaxInputSide || bih.biHeight == 0 || bih.biHeight < -kMaxInputSide ||
        bih.biHeight > kMaxInputSide)
        return std::nullopt;
    if (info.AvgTimePerFrame < kShortestFrame || info.AvgTimePerFrame > kLongestFrame)
        return std::nullopt;

    const SubtypeFormat* match = nullptr;
    for (const SubtypeFormat& s : kSubtypes)
        if (s.subtype == t.subtype)
            match = &s;
    if (!match)
        return std::nullopt;

    VideoInputLayout layout;
    layout.format = match->format;
    layout.width = bih.biWidth;
    layout.height = bih.biHeight < 0 ? -bih.biHeight : bih.biHeight;
    layout.frameDuration = info.AvgTimePerFrame;
    layout.swapChroma = match->swapChroma;
    const size_t w = static_cast<size_t>(layout.width);
    const size_t h = static_cast<size_t>(layout.height);
    if (match->chromaShift == 0) {
        if (match->format != AV_PIX_FMT_BGR24 && match->format != AV_PIX_FMT_BGR0 &&
            match->format != AV_PIX_FMT_RGB555LE && layout.width % 2 != 0)
            return std::nullopt;
        // Rows of DIBs are padded to four bytes; packed YUV rows are not.
        const size_t stride = IsRgb(match->format) ? DibRowBytes(w, static_cast<uint64_t>(match->bitsPerPixel))
                                                   : w * static_cast<size_t>(match->bitsPerPixel) / 8;
        layout.bottomUp = IsRgb(match->format) && bih.biHeight > 0;
        layout.planeCount = 1;
        layout.strides[0] = static_cast<int>(stride);
        layout.planeBytes[0] = stride * h;
    } else {
        const int unit = 1 << match->chromaShift;
        if (layout.width % unit != 0 || layout.height % unit != 0)
            return std::nullopt;
        layout.planeCount = 3;
        layout.strides[0] = layout.width;
        layout.strides[1] = layout.strides[2] = layout.width / unit;
        layout.planeBytes[0] = w * h;
        layout.planeBytes[1] = layout.planeBytes[2] = (w / unit) * (h / unit);
    }
    layout.frameBytes = layout.planeBytes[0] + layout.planeBytes[1] + layout.planeBytes[2];
    return layout;
}

std::optional<WAVEFORMATEX> AudioFormatOf(const MediaType& type)
{
    const WM_MEDIA_TYPE& t = type.Type();
    if (!(t.majortype == WMMEDIATYPE_Audio) || !(t.subtype == WMMEDIASUBTYPE_PCM) ||
        !(t.formattype == WMFORMAT_WaveFormatEx) || type.Format().size() < 16)
        return std::nullopt;
    WAVEFORMATEX format{};
    std::memcpy(&format, type.Format().data(), 16);
    if (format.wFormatTag != WAVE_FORMAT_PCM || format.nChannels < 1 || format.nChannels > 8 ||
        format.nSamplesPerSec < 1000 || format.nSamplesPerSec > 384000 ||
        (format.wBitsPerSample != 8 && format.wBitsPerSample != 16) ||
        format.nBlockAlign != format.nChannels * format.wBitsPerSample / 8)
        return std::nullopt;
    return format;
}

std::unique_ptr<VideoEncoder> VideoEncoder::Open(const VideoStream& stream, const VideoInputLayout& input,
                                                 VideoPass pass, const std::vector<int64_t>* frameBits,
                                                 bool globalHeader)
{
    std::unique_ptr<VideoEncoder> encoder(new VideoEncoder());
    encoder->m_pass = pass;
    if (pass == VideoPass::Final) {
        if (!frameBits || frameBits->empty())
            return nullptr;
        encoder->m_remainingAnalysisBits.assign(frameBits->size() + 1, 0);
        for (size_t i = frameBits->size(); i-- > 0;)
            encoder->m_remainingAnalysisBits[i] = encoder->m_remainingAnalysisBits[i + 1] + (*frameBits)[i];
        encoder->m_budgetBits = static_cast<double>(stream.bitRate) * static_cast<double>(frameBits->size()) *
                                static_cast<double>(input.frameDuration) / 1e7;
    }
    encoder->m_context = OpenVideoEncoder(stream, input.frameDuration, pass, globalHeader);
    if (!encoder->m_context)
        return nullptr;
    AVCodecContext* c = encoder->m_context.get();
    encoder->m_converter = PictureConverter::Create(input, c->width, c->height, c->pix_fmt);
    encoder->m_packet.reset(av_packet_alloc());
    if (!encoder->m_converter || !encoder->m_packet)
        return nullptr;
    return encoder;
}

// A frame's size is taken as inversely proportional to its quantiser. The quantiser that makes
// the frames still to come fill what is left of the budget is chosen again before every frame,
// so the rounding of one frame is made up by the next ones.
double VideoEncoder::NextQuantiser() const
{
    const size_t index = static_cast<size_t>(m_nextPts);
    if (index + 1 >= m_remainingAnalysisBits.size())
        return m_lastQuantiser;
    const double left = m_budgetBits - m_spentBits;
    if (left <= 0)
        return 31;
    const double quantiser = kAnalysisQuantiser * static_cast<double>(m_remainingAnalysisBits[index]) / left;
    return std::clamp(quantiser, 2.0, 31.0);
}

bool VideoEncoder::EncodeNext(int64_t sampleTime, const PacketSink& sink)
{
    const av::FramePtr picture = m_converter->TakeOldest();
    if (!picture)
        return false;

    // The encoder takes a fixed quantiser from each frame, never from its context: a frame
    // without one is encoded at the finest.
    if (m_pass == VideoPass::Final) {
        m_lastQuantiser = NextQuantiser();
        picture->quality = static_cast<int>(std::lround(m_lastQuantiser * FF_QP2LAMBDA));
    } else if (m_context->flags & AV_CODEC_FLAG_QSCALE) {
        picture->quality = m_context->global_quality;
    }
    picture->pts = m_nextPts++;
    m_times.push_back(sampleTime);
    if (const int rc = avcodec_send_frame(m_context.get(), picture.get()); rc < 0) {
        av::LogFailure("WMV video encode", rc);
        m_times.pop_back();
        --m_nextPts;
        return false;
    }
    return Drain(sink);
}

bool VideoEncoder::Flush(const PacketSink& sink)
{
    if (const int rc = avcodec_send_frame(m_context.get(), nullptr); rc < 0) {
        av::LogFailure("WMV video flush", rc);
        return false;
    }
    return Drain(sink);
}

bool VideoEncoder::Drain(const PacketSink& sink)
{
    for (;;) {
        const int rc = avcodec_receive_packet(m_context.get(), m_packet.get());
        if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF)
            return true;
        if (rc < 0) {
            av::LogFailure("WMV video packet", rc);
            return false;
        }
        if (m_pass == VideoPass::Analysis)
            m_frameBits.push_back(static_cast<int64_t>(m_packet->size) * 8);
        if (m_pass == VideoPass::Final)
            m_spentBits += static_cast<double>(m_packet->size) * 8;
        int64_t time = 0;
        if (!m_times.empty()) {
            time = m_times.front();
            m_times.pop_front();
        }
        const bool ok = sink(m_packet.get(), time);
        av_packet_unref(m_packet.get());
        if (!ok)
            return false;
    }
}

std::unique_ptr<AudioEncoder> AudioEncoder::Open(const AudioStream& stream, const WAVEFORMATEX& input,
                                                 bool globalHeader)
{
    std::unique_ptr<AudioEncoder> encoder(new AudioEncoder());
    encoder->m_input = input;
    encoder->m_context = OpenAudioEncoder(stream, globalHeader);
    if (!encoder->m_context || encoder->m_context->frame_size <= 0)
        return nullptr;
    AVCodecContext* c = encoder->m_context.get();

    AVChannelLayout inputLayout;
    av_channel_layout_default(&inputLayout, input.nChannels);
    SwrContext* resampler = nullptr;
    const AVSampleFormat inputFormat = input.wBitsPerSample == 8 ? AV_SAMPLE_FMT_U8 : AV_SAMPLE_FMT_S16;
    if (const int rc = swr_alloc_set_opts2(&resampler, &c->ch_layout, c->sample_fmt, c->sample_rate, &inputLayout,
                                           inputFormat, static_cast<int>(input.nSamplesPerSec), 0, nullptr);
        rc < 0) {
        av::LogFailure("WMV audio resampler", rc);
        return nullptr;
    }
    encoder->m_resampler.reset(resampler);
    if (const int rc = swr_init(resampler); rc < 0) {
        av::LogFailure("WMV audio resampler", rc);
        return nullptr;
    }
    encoder->m_fifo.reset(av_audio_fifo_alloc(c->sample_fmt, c->ch_layout.nb_channels, c->frame_size * 4));
    encoder->m_frame.reset(av_frame_alloc());
    encoder->m_packet.reset(av_packet_alloc());
    if (!encoder->m_fifo || !encoder->m_frame || !encoder->m_packet)
        return nullptr;
    AVFrame* f = encoder->m_frame.get();
    f->format = c->sample_fmt;
    f->nb_samples = c->frame_size;
    f->sample_rate = c->sample_rate;
    if (av_channel_layout_copy(&f->ch_layout, &c->ch_layout) < 0 || av_frame_get_buffer(f, 0) < 0)
        return nullptr;
    return encoder;
}

bool AudioEncoder::Encode(const BYTE* data, DWORD length, const PacketSink& sink)
{
    const int samples = static_cast<int>(length / m_input.nBlockAlign);
    if (!data || samples <= 0)
        return samples == 0;
    const int capacity = swr_get_out_samples(m_resampler.get(), samples);
    if (capacity < 0)
        return false;
    uint8_t** converted = nullptr;
    if (av_samples_alloc_array_and_samples(&converted, nullptr, m_context->ch_layout.nb_channels, capacity + 1,
                                           m_context->sample_fmt, 0) < 0)
        return false;
    const uint8_t* input[1] = {data};
    const int produced = swr_convert(m_resampler.get(), converted, capacity + 1, input, samples);
    if (produced < 0)
        av::LogFailure("WMV audio conversion", produced);
    const bool stored = produced >= 0 &&
                        av_audio_fifo_write(m_fifo.get(), reinterpret_cast<void**>(converted), produced) == produced;
    av_freep(&converted[0]);
    av_freep(&converted);
    return stored && EncodeFrames(false, sink);
}

bool AudioEncoder::Flush(const PacketSink& sink)
{
    // Decoders drop the encoder's delay from the start; as much silence at the end keeps the
    // decoded audio as long as the audio written.
    const int delay = std::max(m_context->initial_padding, 0);
    const int capacity = swr_get_out_samples(m_resampler.get(), 0) + delay;
    if (capacity > 0) {
        uint8_t** converted = nullptr;
        if (av_samples_alloc_array_and_samples(&converted, nullptr, m_context->ch_layout.nb_channels, capacity,
                                               m_context->sample_fmt, 0) < 0)
            return false;
        int produced = swr_convert(m_resampler.get(), converted, capacity - delay, nullptr, 0);
        if (produced >= 0) {
            av_samples_set_silence(converted, produced, delay, m_context->ch_layout.nb_channels, m_context->sample_fmt);
            produced += delay;
        }
        const bool stored = produced >= 0 && av_audio_fifo_write(m_fifo.get(), reinterpret_cast<void**>(converted),
                                                                 produced) == produced;
        av_freep(&converted[0]);
        av_freep(&converted);
        if (!stored)
            return false;
    }
    if (!EncodeFrames(true, sink))
        return false;
    if (const int rc = avcodec_send_frame(m_context.get(), nullptr); rc < 0) {
        av::LogFailure("WMV audio flush", rc);
        return false;
    }
    return Drain(sink);
}

bool AudioEncoder::EncodeFrames(bool final, const PacketSink& sink)
{
    const int frameSize = m_context->frame_size;
    while (av_audio_fifo_size(m_fifo.get()) >= frameSize || (final && av_audio_fifo_size(m_fifo.get()) > 0)) {
        if (av_frame_make_writable(m_frame.get()) < 0)
            return false;
        const int read = av_audio_fifo_read(m_fifo.get(), reinterpret_cast<void**>(m_frame->data), frameSize);
        if (read < 0)
            return false;
        if (read < frameSize)
            av_samples_set_silence(m_frame->data, read, frameSize - read, m_context->ch_layout.nb_channels,
                                   m_context->sample_fmt);
        m_frame->pts = m_nextPts;
        m_nextPts += frameSize;
        if (const int rc = avcodec_send_frame(m_context.get(), m_frame.get()); rc < 0) {
            av::LogFailure("WMV audio encode", rc);
            return false;
        }
        if (!Drain(sink))
            return false;
    }
    return true;
}

bool AudioEncoder::Drain(const PacketSink& sink)
{
    for (;;) {
        const int rc = avcodec_receive_packet(m_context.get(), m_packet.get());
        if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF)
            return true;
        if (rc < 0) {
            av::LogFailure("WMV audio packet", rc);
            return false;
        }
        const bool ok = sink(m_packet.get(), 0);
        av_packet_unref(m_packet.get());
        if (!ok)
            return false;
    }
}

} // namespace wmf

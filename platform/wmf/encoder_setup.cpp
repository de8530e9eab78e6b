#include "platform/wmf/encoder_setup.h"

#include "platform/win/failure_log.h"

#include <algorithm>
#include <numeric>

namespace wmf {
namespace {

const AVCodec* FindVideo(VideoCodec codec)
{
    switch (codec) {
    case VideoCodec::MsMpeg4v3: return avcodec_find_encoder(AV_CODEC_ID_MSMPEG4V3);
    case VideoCodec::Wmv1: return avcodec_find_encoder(AV_CODEC_ID_WMV1);
    case VideoCodec::Wmv2: return avcodec_find_encoder(AV_CODEC_ID_WMV2);
    }
    return nullptr;
}

const AVCodec* FindAudio(AudioCodec codec)
{
    return avcodec_find_encoder(codec == AudioCodec::Wmav1 ? AV_CODEC_ID_WMAV1 : AV_CODEC_ID_WMAV2);
}

// Quality 100 asks for the finest quantiser (2), 0 for the coarsest (31).
int QuantiserOf(int quality) { return 2 + (100 - quality) * 29 / 100; }

} // namespace

av::CodecContextPtr OpenVideoEncoder(const VideoStream& stream, int64_t frameDuration, VideoPass pass,
                                     bool globalHeader)
{
    const AVCodec* codec = FindVideo(stream.codec);
    if (!codec) {
        LogFailure("WMV video encoder", "not in this libavcodec");
        return {};
    }
    if (frameDuration <= 0)
        return {};
    av::CodecContextPtr context(avcodec_alloc_context3(codec));
    if (!context)
        return {};
    AVCodecContext* c = context.get();
    c->width = stream.width;
    c->height = stream.height;
    c->pix_fmt = AV_PIX_FMT_YUV420P;
    const int64_t divisor = std::gcd(frameDuration, int64_t{10000000});
    c->time_base = AVRational{static_cast<int>(frameDuration / divisor), static_cast<int>(10000000 / divisor)};
    c->framerate = av_inv_q(c->time_base);
    c->max_b_frames = 0;
    c->gop_size = static_cast<int>(std::clamp<int64_t>(stream.keyFrameSpacing / frameDuration, 1, 600));
    if (stream.vbrQuality >= 0 || pass != VideoPass::Single) {
        c->flags |= AV_CODEC_FLAG_QSCALE;
        const int quantiser = stream.vbrQuality >= 0 ? QuantiserOf(stream.vbrQuality) : kAnalysisQuantiser;
        c->global_quality = quantiser * FF_QP2LAMBDA;
    } else {
        c->bit_rate = stream.bitRate;
        c->bit_rate_tolerance = static_cast<int>(std::min<int64_t>(stream.bitRate, INT32_MAX));
        // The buffer window bounds how far the rate may stray from its average.
        if (stream.bufferWindowMs > 0) {
            c->rc_max_rate = stream.bitRate * 3 / 2;
            c->rc_buffer_size = static_cast<int>(
                std::min<int64_t>(stream.bitRate * stream.bufferWindowMs / 1000, INT32_MAX));
        }
    }
    if (globalHeader)
        c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (const int rc = avcodec_open2(c, codec, nullptr); rc < 0) {
        av::LogFailure("WMV video encoder open", rc);
        return {};
    }
    return context;
}

av::CodecContextPtr OpenAudioEncoder(const AudioStream& stream, bool globalHeader)
{
    const AVCodec* codec = FindAudio(stream.codec);
    if (!codec) {
        LogFailure("WMV audio encoder", "not in this libavcodec");
        return {};
    }
    av::CodecContextPtr context(avcodec_alloc_context3(codec));
    if (!context)
        return {};
    AVCodecContext* c = context.get();
    c->sample_rate = stream.sampleRate;
    av_channel_layout_default(&c->ch_layout, stream.channels);
    c->sample_fmt = AV_SAMPLE_FMT_FLTP;
    c->bit_rate = stream.bitRate;
    c->time_base = AVRational{1, stream.sampleRate};
    if (globalHeader)
        c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (const int rc = avcodec_open2(c, codec, nullptr); rc < 0) {
        av::LogFailure("WMV audio encoder open", rc);
        return {};
    }
    return context;
}

bool CanEncode(const ProfileDescription& profile)
{
    for (const StreamDescription& s : profile.streams) {
        if (s.majorType == WMMEDIATYPE_Video && !OpenVideoEncoder(s.video, 333667, VideoPass::Single, false))
            return false;
        if (s.majorType == WMMEDIATYPE_Audio && !OpenAudioEncoder(s.audio, false))
            return false;
    }
    return true;
}

} // namespace wmf

#include "platform/acm/acm.h"

#include "platform/av/av_handles.h"

extern "C" {
#include <libavutil/opt.h>
}

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

class AcmStream {
public:
    virtual ~AcmStream() = default;
    // The source bytes that make at most the given output, and the output of a source size.
    virtual DWORD SourceFor(DWORD destinationBytes) const = 0;
    virtual DWORD DestinationFor(DWORD sourceBytes) const = 0;
    [[nodiscard]] virtual bool Convert(const uint8_t* source, DWORD sourceBytes, bool wholeBlocks, uint8_t* destination,
                                       DWORD capacity, DWORD* used, DWORD* produced) = 0;
};

namespace {

bool IsPlainPcm(const WAVEFORMATEX* f)
{
    return f && f->wFormatTag == WAVE_FORMAT_PCM && (f->wBitsPerSample == 8 || f->wBitsPerSample == 16) &&
           f->nChannels >= 1 && f->nChannels <= 2 && f->nSamplesPerSec >= 1000 && f->nSamplesPerSec <= 192000 &&
           f->nBlockAlign == f->nChannels * f->wBitsPerSample / 8;
}

AVSampleFormat SampleFormatOf(const WAVEFORMATEX* f)
{
    return f->wBitsPerSample == 8 ? AV_SAMPLE_FMT_U8 : AV_SAMPLE_FMT_S16;
}

AVChannelLayout LayoutOf(int channels)
{
    AVChannelLayout layout{};
    av_channel_layout_default(&layout, channels);
    return layout;
}

// PCM to PCM of another rate, size or channel count.
class PcmStream final : public AcmStream {
public:
    PcmStream(const WAVEFORMATEX& source, const WAVEFORMATEX& target) : m_source(source), m_target(target) {}

    [[nodiscard]] bool Open()
    {
        SwrContext* context = nullptr;
        AVChannelLayout in = LayoutOf(m_source.nChannels);
        AVChannelLayout out = LayoutOf(m_target.nChannels);
        int rc = swr_alloc_set_opts2(&context, &out, SampleFormatOf(&m_target),
                                     static_cast<int>(m_target.nSamplesPerSec), &in, SampleFormatOf(&m_source),
                                     static_cast<int>(m_source.nSamplesPerSec), 0, nullptr);
        if (rc >= 0) {
            m_swr.reset(context);
            rc = swr_init(context);
        }
        if (rc < 0) {
            av::LogFailure("PCM conversion", rc);
            return false;
        }
        return true;
    }
    DWORD SourceFor(DWORD destinationBytes) const override
    {
        const uint64_t samples = destinationBytes / m_target.nBlockAlign;
        return static_cast<DWORD>(samples * m_source.nSamplesPerSec / m_target.nSamplesPerSec * m_source.nBlockAlign);
    }
    DWORD DestinationFor(DWORD sourceBytes) const override
    {
        const uint64_t samples = sourceBytes / m_source.nBlockAlign;
        const uint64_t out = (samples * m_target.nSamplesPerSec + m_source.nSamplesPerSec - 1) /
                             m_source.nSamplesPerSec;
        return static_cast<DWORD>((out + 16) * m_target.nBlockAlign);
    }
    bool Convert(const uint8_t* source, DWORD sourceBytes, bool, uint8_t* destination, DWORD capacity, DWORD* used,
                 DWORD* produced) override
    {
        const int samples = static_cast<int>(sourceBytes / m_source.nBlockAlign);
        const uint8_t* in[1] = {source};
        uint8_t* out[1] = {destination};
        const int made = swr_convert(m_swr.get(), out, static_cast<int>(capacity / m_target.nBlockAlign),
                                     samples ? in : nullptr, samples);
        if (made < 0) {
            av::LogFailure("PCM conversion", made);
            return false;
        }
        *used = static_cast<DWORD>(samples) * m_source.nBlockAlign;
        *produced = static_cast<DWORD>(made) * m_target.nBlockAlign;
        return true;
    }

private:
    WAVEFORMATEX m_source;
    WAVEFORMATEX m_target;
    av::SwrPtr m_swr;
};

// 16-bit PCM to MS or IMA ADPCM blocks of the target's block size.
class AdpcmStream final : public AcmStream {
public:
    AdpcmStream(const WAVEFORMATEX& source, const WAVEFORMATEX& target) : m_source(source), m_target(target) {}

    [[nodiscard]] bool Open()
    {
        const AVCodec* codec = avcodec_find_encoder(
            m_target.wFormatTag == WAVE_FORMAT_ADPCM ? AV_CODEC_ID_ADPCM_MS : AV_CODEC_ID_ADPCM_IMA_WAV);
        if (!codec || !codec->sample_fmts)
            return false;
        m_context.reset(avcodec_alloc_context3(codec));
        if (!m_context)
            return false;
        m_context->sample_rate = static_cast<int>(m_target.nSamplesPerSec);
        m_context->sample_fmt = codec->sample_fmts[0];
        m_context->ch_layout = LayoutOf(m_target.nChannels);
        m_context->time_base = AVRational{1, m_context->sample_rate};
        AVDictionary* options = nullptr;
        av_dict_set_int(&options, "block_size", m_target.nBlockAlign, 0);
        const int rc = avcodec_open2(m_context.get(), codec, &options);
        av_dict_free(&options);
        if (rc < 0)
            av::LogFailure("ADPCM encoder open", rc);
        if (rc < 0 || m_context->block_align != m_target.nBlockAlign || m_context->frame_size <= 0)
            return false;
        m_frame.reset(av_frame_alloc());
        m_packet.reset(av_packet_alloc());
        if (!m_frame || !m_packet)
            return false;
        m_frame->nb_samples = m_context->frame_size;
        m_frame->format = m_context->sample_fmt;
        if (av_channel_layout_copy(&m_frame->ch_layout, &m_context->ch_layout) < 0)
            return false;
        return av_frame_get_buffer(m_frame.get(), 0) >= 0;
    }
    DWORD BlockSourceBytes() const { return static_cast<DWORD>(m_context->frame_size) * m_source.nBlockAlign; }
    DWORD SourceFor(DWORD destinationBytes) const override
    {
        return destinationBytes / m_target.nBlockAlign * BlockSourceBytes();
    }
    DWORD DestinationFor(DWORD sourceBytes) const override
    {
        return (sourceBytes + BlockSourceBytes() - 1) / BlockSourceBytes() * m_target.nBlockAlign;
    }
    bool Convert(const uint8_t* source, DWORD sourceBytes, bool wholeBlocks, uint8_t* destination, DWORD capacity,
                 DWORD* used, DWORD* produced) override
    {
        *used = 0;
        *produced = 0;
        const DWORD block = BlockSourceBytes();
        while (*produced + m_target.nBlockAlign <= capacity && *used < sourceBytes) {
            const DWORD take = std::min(block, sourceBytes - *used);
            if (take < block && wholeBlocks)
                break;
            if (!EncodeBlock(source + *used, take, destination + *produced))
                return false;
            *used += take;
            *produced += m_target.nBlockAlign;
        }
        return true;
    }

private:
    [[nodiscard]] bool EncodeBlock(const uint8_t* pcm, DWORD bytes, uint8_t* out)
    {
        if (av_frame_make_writable(m_frame.get()) < 0)
            return false;
        const int channels = m_target.nChannels;
        const int samples = m_context->frame_size;
        const int given = static_cast<int>(bytes / m_source.nBlockAlign);
        const auto* in = reinterpret_cast<const int16_t*>(pcm);
        const bool planar = av_sample_fmt_is_planar(m_context->sample_fmt);
        for (int c = 0; c < channels; ++c)
            for (int i = 0; i < samples; ++i) {
                int16_t v = 0;
                if (i < given)
                    std::memcpy(&v, in + i * channels + c, sizeof v);
                if (planar)
                    reinterpret_cast<int16_t*>(m_frame->data[c])[i] = v;
                else
                    reinterpret_cast<int16_t*>(m_frame->data[0])[i * channels + c] = v;
            }
        av_packet_unref(m_packet.get());
        int rc = avcodec_send_frame(m_context.get(), m_frame.get());
        if (rc >= 0)
            rc = avcodec_receive_packet(m_context.get(), m_packet.get());
        if (rc < 0) {
            av::LogFailure("ADPCM encode", rc);
            return false;
        }
        if (m_packet->size != m_target.nBlockAlign)
            return false;
        std::memcpy(out, m_packet->data, static_cast<size_t>(m_packet->size));
        return true;
    }

    WAVEFORMATEX m_source;
    WAVEFORMATEX m_target;
    av::CodecContextPtr m_context;
    av::FramePtr m_frame;
    av::PacketPtr m_packet;
};

bool IsAdpcm(const WAVEFORMATEX* f)
{
    return f && (f->wFormatTag == WAVE_FORMAT_ADPCM || f->wFormatTag == WAVE_FORMAT_IMA_ADPCM) && f->nChannels >= 1 &&
           f->nChannels <= 2 && f->nSamplesPerSec >= 1000 && f->nSamplesPerSec <= 192000 && f->nBlockAlign > 0;
}

} // namespace

MMRESULT acmFormatSuggest(HACMDRIVER, const WAVEFORMATEX* source, WAVEFORMATEX* suggested, DWORD bytes, DWORD)
{
    if (!source || !suggested || bytes < sizeof(WAVEFORMATEX) - sizeof(WORD))
        return MMSYSERR_INVALPARAM;
    if (suggested->wFormatTag != WAVE_FORMAT_PCM)
        return ACMERR_NOTPOSSIBLE;
    if (!IsAdpcm(source) && !IsPlainPcm(source))
        return ACMERR_NOTPOSSIBLE;
    WAVEFORMATEX pcm{};
    pcm.wFormatTag = WAVE_FORMAT_PCM;
    pcm.nChannels = source->nChannels;
    pcm.nSamplesPerSec = source->nSamplesPerSec;
    pcm.wBitsPerSample = IsPlainPcm(source) ? source->wBitsPerSample : 16;
    pcm.nBlockAlign = static_cast<WORD>(pcm.nChannels * pcm.wBitsPerSample / 8);
    pcm.nAvgBytesPerSec = pcm.nSamplesPerSec * pcm.nBlockAlign;
    std::memcpy(suggested, &pcm, std::min<DWORD>(bytes, sizeof pcm));
    return MMSYSERR_NOERROR;
}

MMRESULT acmStreamOpen(HACMSTREAM* stream, HACMDRIVER, const WAVEFORMATEX* source, const WAVEFORMATEX* target,
                       const void* filter, DWORD_PTR callback, DWORD_PTR, DWORD)
{
    if (!stream)
        return MMSYSERR_INVALPARAM;
    *stream = nullptr;
    if (!source || !target || filter || callback)
        return MMSYSERR_INVALPARAM;
    if (!IsPlainPcm(source))
        return ACMERR_NOTPOSSIBLE;
    if (IsPlainPcm(target)) {
        auto pcm = std::make_unique<PcmStream>(*source, *target);
        if (!pcm->Open())
            return ACMERR_NOTPOSSIBLE;
        *stream = pcm.release();
        return MMSYSERR_NOERROR;
    }
    if (IsAdpcm(target) && source->wBitsPerSample == 16 && source->nChannels == target->nChannels &&
        source->nSamplesPerSec == target->nSamplesPerSec) {
        auto adpcm = std::make_unique<AdpcmStream>(*source, *target);
        if (!adpcm->Open())
            return ACMERR_NOTPOSSIBLE;
        *stream = adpcm.release();
        return MMSYSERR_NOERROR;
    }
    return ACMERR_NOTPOSSIBLE;
}

MMRESULT acmStreamClose(HACMSTREAM stream, DWORD)
{
    if (!stream)
        return MMSYSERR_INVALHANDLE;
    delete stream;
    return MMSYSERR_NOERROR;
}

MMRESULT acmStreamSize(HACMSTREAM stream, DWORD inputBytes, DWORD* outputBytes, DWORD flags)
{
    if (!stream)
        return MMSYSERR_INVALHANDLE;
    if (!outputBytes)
        return MMSYSERR_INVALPARAM;
    *outputBytes = (flags & ACM_STREAMSIZEF_DESTINATION) ? stream->SourceFor(inputBytes)
                                                         : stream->DestinationFor(inputBytes);
    return *outputBytes ? MMSYSERR_NOERROR : ACMERR_NOTPOSSIBLE;
}

MMRESULT acmStreamPrepareHeader(HACMSTREAM stream, ACMSTREAMHEADER* header, DWORD)
{
    if (!stream)
        return MMSYSERR_INVALHANDLE;
    if (!header || header->cbStruct == 0 || !header->pbSrc || !header->pbDst)
        return MMSYSERR_INVALPARAM;
    header->fdwStatus |= ACMSTREAMHEADER_STATUSF_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT acmStreamUnprepareHeader(HACMSTREAM stream, ACMSTREAMHEADER* header, DWORD)
{
    if (!stream)
        return MMSYSERR_INVALHANDLE;
    if (!header)
        return MMSYSERR_INVALPARAM;
    if (!(header->fdwStatus & ACMSTREAMHEADER_STATUSF_PREPARED))
        return ACMERR_UNPREPARED;
    header->fdwStatus &= ~ACMSTREAMHEADER_STATUSF_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT acmStreamConvert(HACMSTREAM stream, ACMSTREAMHEADER* header, DWORD flags)
{
    if (!stream)
        return MMSYSERR_INVALHANDLE;
    if (!header)
        return MMSYSERR_INVALPARAM;
    if (!(header->fdwStatus & ACMSTREAMHEADER_STATUSF_PREPARED))
        return ACMERR_UNPREPARED;
    DWORD used = 0;
    DWORD produced = 0;
    if (!stream->Convert(header->pbSrc, header->cbSrcLength, (flags & ACM_STREAMCONVERTF_BLOCKALIGN) != 0,
                         header->pbDst, header->cbDstLength, &used, &produced))
        return MMSYSERR_ERROR;
    header->cbSrcLengthUsed = used;
    header->cbDstLengthUsed = produced;
    header->fdwStatus |= ACMSTREAMHEADER_STATUSF_DONE;
    return MMSYSERR_NOERROR;
}

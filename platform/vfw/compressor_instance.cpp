#include "platform/vfw/compressor_instance.h"

#include "platform/vfw/bgr_to_yuv420.h"
#include "platform/win/part_pool.h"

extern "C" {
#include <libavutil/dict.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
}

#include <algorithm>
#include <cstring>
#include <string>
#include <thread>

namespace {

struct StateHeader {
    DWORD magic;
    FOURCC fourcc;
    DWORD version;
    DWORD count;
};

constexpr LONG kKeyFramesWhenNeeded = 3000;
constexpr LONG kMaxDimension = 32768;

void CopyText(WCHAR* target, size_t capacity, const WCHAR* text)
{
    size_t i = 0;
    for (; text && text[i] && i + 1 < capacity; ++i)
        target[i] = text[i];
    target[i] = 0;
}

// The encoder's slices run on the pool that resizes and converts the frame just before, whose
// threads are still awake then; the encoder's own threads would have to be woken for every frame.
int ExecuteOnPartPool(AVCodecContext* context, int (*function)(AVCodecContext*, void*), void* arguments,
                      int* results, int count, int size)
{
    PartPool::Instance().Run(count, [&](int job) {
        const int result = function(context, static_cast<uint8_t*>(arguments) + static_cast<ptrdiff_t>(job) * size);
        if (results)
            results[job] = result;
    });
    return 0;
}

} // namespace

CompressorInstance::CompressorInstance(const CompressorDescriptor& descriptor) : m_descriptor(descriptor)
{
    ResetState();
}

CompressorInstance::~CompressorInstance() = default;

void CompressorInstance::FillInfo(ICINFO& info) const
{
    std::memset(&info, 0, sizeof info);
    info.dwSize = sizeof info;
    info.fccType = ICTYPE_VIDEO;
    info.fccHandler = m_descriptor.fourcc;
    info.dwFlags = m_descriptor.flags;
    info.dwVersion = m_descriptor.stateVersion;
    info.dwVersionICM = 0x0104;
    CopyText(info.szName, std::size(info.szName), m_descriptor.name);
    CopyText(info.szDescription, std::size(info.szDescription), m_descriptor.description);
    CopyText(info.szDriver, std::size(info.szDriver), u"libavcodec");
}

DWORD CompressorInstance::StateSize() const
{
    return static_cast<DWORD>(sizeof(StateHeader) + sizeof(int32_t) * m_values.size());
}

DWORD CompressorInstance::GetState(void* block, DWORD bytes) const
{
    const DWORD size = StateSize();
    if (!block || bytes < size)
        return 0;
    const StateHeader header{kStateMagic, m_descriptor.fourcc, m_descriptor.stateVersion,
                             static_cast<DWORD>(m_values.size())};
    auto* p = static_cast<uint8_t*>(block);
    std::memcpy(p, &header, sizeof header);
    if (!m_values.empty())
        std::memcpy(p + sizeof header, m_values.data(), sizeof(int32_t) * m_values.size());
    return size;
}

DWORD CompressorInstance::SetState(const void* block, DWORD bytes)
{
    if (!block || bytes != StateSize())
        return 0;
    StateHeader header;
    std::memcpy(&header, block, sizeof header);
    if (header.magic != kStateMagic || header.fourcc != m_descriptor.fourcc ||
        header.version != m_descriptor.stateVersion || header.count != m_values.size())
        return 0;
    std::vector<int32_t> values(m_values.size());
    if (!values.empty())
        std::memcpy(values.data(), static_cast<const uint8_t*>(block) + sizeof header, sizeof(int32_t) * values.size());
    return SetOptionValues(values) ? bytes : 0;
}

bool CompressorInstance::SetOptionValues(const std::vector<int32_t>& values)
{
    if (values.size() != m_values.size())
        return false;
    for (size_t i = 0; i < values.size(); ++i) {
        const CompressorOption& option = m_descriptor.options[i];
        if (values[i] < option.minimum || values[i] > option.maximum)
            return false;
    }
    m_values = values;
    return true;
}

void CompressorInstance::ResetState()
{
    m_values.clear();
    for (const CompressorOption& option : m_descriptor.options)
        m_values.push_back(option.defaultValue);
}

bool CompressorInstance::IsAcceptedFormat(const BITMAPINFOHEADER* input)
{
    return !(!input || input->biCompression != BI_RGB || input->biBitCount != 24 || input->biPlanes > 1 ||
        input->biWidth <= 0 || input->biWidth > kMaxDimension || input->biHeight == 0 ||
        input->biHeight < -kMaxDimension || input->biHeight > kMaxDimension);
}

bool CompressorInstance::Query(const BITMAPINFOHEADER* input) const
{
    return IsAcceptedFormat(input) && OpenEncoder(*input) != nullptr;
}

void CompressorInstance::SetFrameRate(DWORD rate, DWORD scale)
{
    if (rate == 0 || scale == 0)
        return;
    av_reduce(&m_timeBase.num, &m_timeBase.den, scale, rate, 65535);
}

av::CodecContextPtr CompressorInstance::OpenEncoder(const BITMAPINFOHEADER& input) const
{
    const AVCodec* codec = avcodec_find_encoder_by_name(m_descriptor.encoder);
    if (!codec)
        return nullptr;
    av::CodecContextPtr context(avcodec_alloc_context3(codec));
    if (!context)
        return nullptr;
    context->width = input.biWidth;
    context->height = input.biHeight < 0 ? -input.biHeight : input.biHeight;
    context->pix_fmt = m_descriptor.pixelFormat;
    context->time_base = m_timeBase;
    context->framerate = av_inv_q(m_timeBase);
    context->max_b_frames = 0;
    context->gop_size = m_keyRate > 0 ? std::max(1, m_keyRate + m_descriptor.keyIntervalBias) : kKeyFramesWhenNeeded;
    context->keyint_min = context->gop_size;
    // Frame threads would hold frames back; one frame out per frame in.
    context->thread_type = FF_THREAD_SLICE;
    context->thread_count = PartPool::Instance().Threads();

    AVDictionary* options = nullptr;
    av_dict_parse_string(&options, m_descriptor.fixedOptions, "=", ";", 0);
    const LONG quality = m_quality < 0 ? kDefaultQuality : std::min<LONG>(m_quality, 10000);
    if (m_descriptor.quality == QualityControl::QScale) {
        const int qscale = 1 + ((10000 - quality) * 30 + 5000) / 10000;
        context->flags |= AV_CODEC_FLAG_QSCALE;
        context->global_quality = qscale * FF_QP2LAMBDA;
        context->qmin = 1;
        context->qmax = 31;
    } else if (m_descriptor.quality == QualityControl::Crf) {
        av_dict_set_int(&options, "crf", ((10000 - quality) * 51 + 5000) / 10000, 0);
    }
    for (size_t i = 0; i < m_values.size(); ++i) {
        const CompressorOption& option = m_descriptor.options[i];
        if (!option.choices.empty())
            av_dict_set(&options, option.name, option.choices[m_values[i]], 0);
        else
            av_dict_set_int(&options, option.name, m_values[i], 0);
    }
    const int rc = avcodec_open2(context.get(), codec, &options);
    av_dict_free(&options);
    if (rc < 0)
        return nullptr;
    if (context->active_thread_type & FF_THREAD_SLICE)
        context->execute = ExecuteOnPartPool;
    return context;
}

bool CompressorInstance::Begin(const BITMAPINFOHEADER* input)
{
    End();
    if (!IsAcceptedFormat(input))
        return false;
    m_input = *input;
    m_context = OpenEncoder(*input);
    if (!m_context)
        return false;
    const int width = m_context->width;
    const int height = m_context->height;
    m_scaler.reset(sws_alloc_context());
    m_frame.reset(av_frame_alloc());
    m_source.reset(av_frame_alloc());
    m_packet.reset(av_packet_alloc());
    if (!m_scaler || !m_frame || !m_source || !m_packet) {
        End();
        return false;
    }
    // The colour conversion runs in slices on every core.
    SwsContext* scaler = m_scaler.get();
    av_opt_set_int(scaler, "srcw", width, 0);
    av_opt_set_int(scaler, "srch", height, 0);
    av_opt_set_int(scaler, "src_format", AV_PIX_FMT_BGR24, 0);
    av_opt_set_int(scaler, "dstw", width, 0);
    av_opt_set_int(scaler, "dsth", height, 0);
    av_opt_set_int(scaler, "dst_format", m_descriptor.pixelFormat, 0);
    av_opt_set_int(scaler, "sws_flags", SWS_BILINEAR, 0);
    av_opt_set_int(scaler, "threads", std::clamp<int>(static_cast<int>(std::thread::hardware_concurrency()), 1, 16), 0);
    if (!IsYuv420() && sws_init_context(scaler, nullptr, nullptr) < 0) {
        End();
        return false;
    }
    m_frame->format = m_descriptor.pixelFormat;
    m_frame->width = width;
    m_frame->height = height;
    if (av_frame_get_buffer(m_frame.get(), 0) < 0) {
        End();
        return false;
    }

    BITMAPINFOHEADER output{};
    output.biSize = sizeof output;
    output.biWidth = width;
    output.biHeight = height;
    output.biPlanes = 1;
    output.biBitCount = static_cast<WORD>(m_context->bits_per_coded_sample > 0 ? m_context->bits_per_coded_sample : 24);
    output.biCompression = m_descriptor.fourcc;
    output.biSizeImage = static_cast<DWORD>(width) * static_cast<DWORD>(height) * 3;
    const size_t extra = m_context->extradata ? static_cast<size_t>(m_context->extradata_size) : 0;
    output.biSize = static_cast<DWORD>(sizeof output + extra);
    m_outputFormat.resize(sizeof output + extra);
    std::memcpy(m_outputFormat.data(), &output, sizeof output);
    if (extra)
        std::memcpy(m_outputFormat.data() + sizeof output, m_context->extradata, extra);
    m_frameIndex = 0;
    return true;
}

bool CompressorInstance::Compress(const void* bits, const uint8_t** data, size_t* bytes, bool* key)
{
    if (!m_context || !bits)
        return false;
    const int width = m_context->width;
    const int height = m_context->height;
    const int stride = (width * 3 + 3) & ~3;
    const auto* rows = static_cast<const uint8_t*>(bits);
    // Bottom-up rows are read from the last one with a negative stride.
    const uint8_t* top = m_input.biHeight > 0 ? rows + static_cast<ptrdiff_t>(stride) * (height - 1) : rows;
    const int topStride = m_input.biHeight > 0 ? -stride : stride;
    if (av_frame_make_writable(m_frame.get()) < 0)
        return false;
    if (IsYuv420()) {
        BgrToYuv420(top, topStride, width, height, m_descriptor.pixelFormat == AV_PIX_FMT_YUVJ420P,
                    Yuv420Planes{m_frame->data[0], m_frame->data[1], m_frame->data[2], m_frame->linesize[0],
                                 m_frame->linesize[1], m_frame->linesize[2]});
    } else if (!Scale(top, topStride))
        return false;
    m_frame->pts = m_frameIndex++;
    // A fixed quantiser is read from each frame.
    m_frame->quality = m_context->global_quality;

    av_packet_unref(m_packet.get());
    if (avcodec_send_frame(m_context.get(), m_frame.get()) < 0)
        return false;
    if (avcodec_receive_packet(m_context.get(), m_packet.get()) < 0)
        return false;
    *data = m_packet->data;
    *bytes = static_cast<size_t>(m_packet->size);
    *key = (m_packet->flags & AV_PKT_FLAG_KEY) != 0;
    return true;
}

bool CompressorInstance::IsYuv420() const
{
    return m_descriptor.pixelFormat == AV_PIX_FMT_YUVJ420P || m_descriptor.pixelFormat == AV_PIX_FMT_YUV420P;
}

bool CompressorInstance::Scale(const uint8_t* top, int topStride)
{
    m_source->format = AV_PIX_FMT_BGR24;
    m_source->width = m_frame->width;
    m_source->height = m_frame->height;
    m_source->data[0] = const_cast<uint8_t*>(top);
    m_source->linesize[0] = topStride;
    return sws_scale_frame(m_scaler.get(), m_frame.get(), m_source.get()) >= 0;
}

void CompressorInstance::End()
{
    m_context.reset();
    m_scaler.reset();
    m_frame.reset();
    m_source.reset();
    m_packet.reset();
    m_outputFormat.clear();
    m_input = {};
}

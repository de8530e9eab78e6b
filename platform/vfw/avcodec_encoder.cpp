#include "platform/vfw/avcodec_encoder.h"

#include "platform/vfw/bgr_to_rgb24.h"
#include "platform/vfw/bgr_to_yuv420.h"
#include "workers/part_pool.h"

extern "C" {
#include <libavutil/dict.h>
#include <libavutil/opt.h>
}

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

namespace vfw {

namespace {

constexpr int kKeyFramesWhenNeeded = 3000;

// The encoder's slices run on the pool that resizes and converts the frame just before, whose
// threads are still awake then; the encoder's own threads would have to be woken for every frame.
int ExecuteOnPartPool(AVCodecContext* context, int (*function)(AVCodecContext*, void*), void* arguments, int* results,
                      int count, int size)
{
    workers::PartPool::Instance().Run(count, [&](int job) {
        const int result = function(context, static_cast<uint8_t*>(arguments) + static_cast<ptrdiff_t>(job) * size);
        if (results)
            results[job] = result;
    });
    return 0;
}

// Frames smaller than this on either side are not split: their slices would be all overhead.
constexpr int kSmallestSplitSide = 64;

// FFV1 takes a v x h grid of slices with v <= h < 2v: the smallest such count that gives every
// thread two slices, so that uneven slices even out.
int SliceCountFor(int threads)
{
    for (int v = 1;; ++v)
        for (int h = v; h < 2 * v; ++h)
            if (v * h >= 2 * threads)
                return v * h;
}

// libswscale's SIMD row readers read up to 25 bytes past a row's last pixel (BGR24 in, SSSE3/AVX);
// FFmpeg pads its own buffers by this much for such reads, which leaves room for wider readers.
constexpr int kScalerReadsPastRow = AV_INPUT_BUFFER_PADDING_SIZE;

} // namespace

av::CodecContextPtr AvcodecEncoder::OpenContext(int width, int height, const EncoderSettings& settings) const
{
    const AVCodec* codec = avcodec_find_encoder_by_name(m_descriptor.encoder);
    if (!codec)
        return nullptr;
    av::CodecContextPtr context(avcodec_alloc_context3(codec));
    if (!context)
        return nullptr;
    context->width = width;
    context->height = height;
    context->pix_fmt = m_descriptor.pixelFormat;
    context->time_base = settings.timeBase;
    context->framerate = av_inv_q(settings.timeBase);
    context->max_b_frames = 0;
    context->gop_size = settings.keyRate > 0 ? std::max(1, settings.keyRate + m_descriptor.keyIntervalBias)
                                             : kKeyFramesWhenNeeded;
    context->keyint_min = context->gop_size;
    // Frame threads would hold frames back; one frame out per frame in.
    context->thread_type = FF_THREAD_SLICE;
    context->thread_count = workers::PartPool::Instance().Threads();
    if (m_descriptor.slicesForThreads && context->thread_count > 1 && width >= kSmallestSplitSide &&
        height >= kSmallestSplitSide)
        context->slices = SliceCountFor(context->thread_count);

    AVDictionary* options = nullptr;
    av_dict_parse_string(&options, m_descriptor.fixedOptions, "=", ";", 0);
    bool lossless = false;
    for (size_t i = 0; i < settings.optionValues.size() && i < m_descriptor.options.size(); ++i) {
        const CompressorOption& option = m_descriptor.options[i];
        const int32_t value = settings.optionValues[i];
        if (std::strcmp(option.name, kLosslessSwitch) == 0)
            lossless = value != 0;
        else if (!option.choices.empty())
            av_dict_set(&options, option.name, option.choices[static_cast<size_t>(value)], 0);
        else
            av_dict_set_int(&options, option.name, value, 0);
    }
    const LONG quality = settings.quality < 0 ? kDefaultCompressorQuality : std::min<LONG>(settings.quality, 10000);
    if (m_descriptor.quality == QualityControl::QScale) {
        const int qscale = 1 + ((10000 - quality) * 30 + 5000) / 10000;
        context->flags |= AV_CODEC_FLAG_QSCALE;
        context->global_quality = qscale * FF_QP2LAMBDA;
        context->qmin = 1;
        context->qmax = 31;
    } else if (m_descriptor.quality == QualityControl::Crf) {
        // A rate factor of 0 is lossless, which takes a 4:4:4 profile even for 4:2:0 frames.
        const int crf = lossless ? 0 : std::max(1, static_cast<int>(((10000 - quality) * 51 + 5000) / 10000));
        av_dict_set_int(&options, "crf", crf, 0);
    }
    const int rc = avcodec_open2(context.get(), codec, &options);
    av_dict_free(&options);
    if (rc < 0) {
        av::LogFailure(m_descriptor.encoder, rc);
        return nullptr;
    }
    if (context->active_thread_type & FF_THREAD_SLICE)
        context->execute = ExecuteOnPartPool;
    return context;
}

bool AvcodecEncoder::Open(int width, int height, const EncoderSettings& settings)
{
    m_context = OpenContext(width, height, settings);
    if (!m_context)
        return false;
    m_frame.reset(av_frame_alloc());
    m_spare.reset();
    m_packet.reset(av_packet_alloc());
    if (!m_frame || !m_packet)
        return false;
    // YUV 4:2:0 and RGB24 rows are converted by our own code, every other format by the scaler.
    if (!IsYuv420() && !IsRgb24() && !OpenScaler(width, height))
        return false;
    m_frameIndex = 0;
    return FreshFrame(width, height);
}

bool AvcodecEncoder::WritableFrame()
{
    if (av_frame_is_writable(m_frame.get()))
        return true;
    // The encoder still holds the frame last sent (FFV1 until the next one, the MPEG family as
    // its reference). The spare takes its place once the encoder has let it go, else a fresh
    // buffer: av_frame_make_writable would allocate one each time and copy the old picture into
    // it, all of which is overwritten.
    std::swap(m_frame, m_spare);
    if (m_frame && av_frame_is_writable(m_frame.get()))
        return true;
    if (!m_frame)
        m_frame.reset(av_frame_alloc());
    return m_frame && FreshFrame(m_context->width, m_context->height);
}

bool AvcodecEncoder::FreshFrame(int width, int height)
{
    av_frame_unref(m_frame.get());
    m_frame->format = m_descriptor.pixelFormat;
    m_frame->width = width;
    m_frame->height = height;
    if (const int rc = av_frame_get_buffer(m_frame.get(), 0); rc < 0) {
        av::LogFailure("video frame", rc);
        return false;
    }
    return true;
}

bool AvcodecEncoder::OpenScaler(int width, int height)
{
    m_scaler.reset(sws_alloc_context());
    m_endRows.reset(av_frame_alloc());
    if (!m_scaler || !m_endRows)
        return false;
    SwsContext* scaler = m_scaler.get();
    av_opt_set_int(scaler, "srcw", width, 0);
    av_opt_set_int(scaler, "srch", height, 0);
    av_opt_set_int(scaler, "src_format", AV_PIX_FMT_BGR24, 0);
    av_opt_set_int(scaler, "dstw", width, 0);
    av_opt_set_int(scaler, "dsth", height, 0);
    av_opt_set_int(scaler, "dst_format", m_descriptor.pixelFormat, 0);
    av_opt_set_int(scaler, "sws_flags", SWS_BILINEAR, 0);
    if (const int rc = sws_init_context(scaler, nullptr, nullptr); rc < 0) {
        av::LogFailure("colour conversion", rc);
        return false;
    }
    // Enough rows that what the scaler reads past the last row it is lent lies in the block.
    m_endRows->format = AV_PIX_FMT_BGR24;
    m_endRows->width = width;
    m_endRows->height = std::min(height, (kScalerReadsPastRow + width * 3 - 1) / (width * 3));
    if (const int rc = av_frame_get_buffer(m_endRows.get(), 0); rc < 0) {
        av::LogFailure("video frame", rc);
        return false;
    }
    return true;
}

WORD AvcodecEncoder::BitCount() const
{
    return static_cast<WORD>(m_context && m_context->bits_per_coded_sample > 0 ? m_context->bits_per_coded_sample : 24);
}

std::vector<uint8_t> AvcodecEncoder::ExtraData() const
{
    if (!m_context || !m_context->extradata || m_context->extradata_size <= 0)
        return {};
    return {m_context->extradata, m_context->extradata + m_context->extradata_size};
}

bool AvcodecEncoder::Encode(const uint8_t* top, int stride, EncodedFrame& frame)
{
    if (!m_context || !top)
        return false;
    if (!WritableFrame())
        return false;
    if (IsYuv420()) {
        BgrToYuv420(top, stride, m_context->width, m_context->height,
                    Yuv420Planes{m_frame->data[0], m_frame->data[1], m_frame->data[2], m_frame->linesize[0],
                                 m_frame->linesize[1], m_frame->linesize[2]});
    } else if (IsRgb24()) {
        BgrToRgb24(top, stride, m_context->width, m_context->height, m_frame->data[0], m_frame->linesize[0]);
    } else if (!Scale(top, stride)) {
        return false;
    }
    return Send(*m_frame, frame);
}

void AvcodecEncoder::CopyFrame(const uint8_t* rows, uint8_t* copy, int width, int height, int stride) const
{
    if (IsRgb24())
        BgrToRgb24(rows, stride, width, height, copy, stride);
    else
        FrameEncoder::CopyFrame(rows, copy, width, height, stride);
}

bool AvcodecEncoder::EncodeCopy(uint8_t* top, int stride, EncodedFrame& frame)
{
    if (!m_context || !top || !IsRgb24())
        return Encode(top, stride, frame);
    const int width = m_context->width;
    const int height = m_context->height;
    if (!m_lent && !(m_lent = av::FramePtr(av_frame_alloc())))
        return false;
    av_frame_unref(m_lent.get());
    // A buffer that frees nothing makes the frame counted by reference, so that the library
    // takes the rows as they are instead of copying them.
    uint8_t* first = stride < 0 ? top + static_cast<ptrdiff_t>(stride) * (height - 1) : top;
    const size_t bytes = static_cast<size_t>(std::abs(stride)) * static_cast<size_t>(height - 1) +
                         static_cast<size_t>(width) * 3;
    m_lent->buf[0] = av_buffer_create(
        first, bytes, [](void*, uint8_t*) {}, nullptr, 0);
    if (!m_lent->buf[0])
        return false;
    m_lent->data[0] = top;
    m_lent->linesize[0] = stride;
    m_lent->format = m_descriptor.pixelFormat;
    m_lent->width = width;
    m_lent->height = height;
    const bool sent = Send(*m_lent, frame);
    // The rows stay the caller's: nothing of the frame outlives this call.
    av_frame_unref(m_lent.get());
    return sent;
}

bool AvcodecEncoder::Send(AVFrame& converted, EncodedFrame& frame)
{
    converted.pts = m_frameIndex++;
    // A fixed quantiser is read from each frame.
    converted.quality = m_context->global_quality;

    av_packet_unref(m_packet.get());
    int rc = avcodec_send_frame(m_context.get(), &converted);
    if (rc >= 0)
        rc = avcodec_receive_packet(m_context.get(), m_packet.get());
    if (rc < 0) {
        av::LogFailure(m_descriptor.encoder, rc);
        return false;
    }
    frame.data = m_packet->data;
    frame.bytes = static_cast<size_t>(m_packet->size);
    frame.key = (m_packet->flags & AV_PKT_FLAG_KEY) != 0;
    return true;
}

bool AvcodecEncoder::IsYuv420() const { return m_descriptor.pixelFormat == AV_PIX_FMT_YUV420P; }

bool AvcodecEncoder::IsRgb24() const { return m_descriptor.pixelFormat == AV_PIX_FMT_RGB24; }

bool AvcodecEncoder::Scale(const uint8_t* top, int stride)
{
    const int width = m_frame->width;
    const int height = m_frame->height;
    const size_t rowBytes = static_cast<size_t>(width) * 3;
    // The copied rows keep the scaler's reads inside the block only if rows do not overlap.
    if (static_cast<size_t>(stride < 0 ? -stride : stride) < rowBytes)
        return false;
    // The scaler reads past the end of a row. The rows at the end of the caller's block (the last
    // ones shown, or the first when they lie bottom-up) are converted from a padded copy; the
    // others are read where they lie, without copying the frame.
    const int copied = m_endRows->height;
    const int lent = height - copied;
    const bool bottomUp = stride < 0;
    const int firstCopied = bottomUp ? 0 : lent;
    for (int y = 0; y < copied; ++y)
        std::memcpy(m_endRows->data[0] + static_cast<ptrdiff_t>(y) * m_endRows->linesize[0],
                    top + static_cast<ptrdiff_t>(firstCopied + y) * stride, rowBytes);

    struct Slice {
        const uint8_t* rows;
        int stride;
        int top;
        int height;
    };
    const Slice copiedSlice{m_endRows->data[0], m_endRows->linesize[0], firstCopied, copied};
    const Slice lentSlice{top + static_cast<ptrdiff_t>(bottomUp ? copied : 0) * stride, stride, bottomUp ? copied : 0,
                          lent};
    // The scaler takes slices in order from the top.
    for (const Slice& slice : bottomUp ? std::array{copiedSlice, lentSlice} : std::array{lentSlice, copiedSlice}) {
        if (slice.height == 0)
            continue;
        const uint8_t* const rows[4] = {slice.rows};
        const int strides[4] = {slice.stride};
        if (const int rc = sws_scale(m_scaler.get(), rows, strides, slice.top, slice.height, m_frame->data,
                                     m_frame->linesize);
            rc < 0) {
            av::LogFailure("colour conversion", rc);
            return false;
        }
    }
    return true;
}

} // namespace vfw

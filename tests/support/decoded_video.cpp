#include "tests/support/decoded_video.h"

#include "platform/av/av_handles.h"
#include "platform/av/input_format.h"
#include "platform/win/dib_rows.h"

extern "C" {
#include <libavutil/pixdesc.h>
}

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

uint32_t Le32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }

void ReceiveFrames(AVCodecContext* decoder, AVFrame* frame, DecodedVideo& out)
{
    while (avcodec_receive_frame(decoder, frame) >= 0) {
        const int w = frame->width;
        const int h = frame->height;
        av::SwsPtr sws(sws_getContext(w, h, static_cast<AVPixelFormat>(frame->format), w, h, AV_PIX_FMT_BGR24,
                                      SWS_BILINEAR | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INT, nullptr, nullptr, nullptr));
        std::vector<uint8_t> rows(static_cast<size_t>(w) * h * 3);
        uint8_t* target[4] = {rows.data(), nullptr, nullptr, nullptr};
        int stride[4] = {w * 3, 0, 0, 0};
        if (sws)
            sws_scale(sws.get(), frame->data, frame->linesize, 0, h, target, stride);
        out.frames.push_back(std::move(rows));
        av_frame_unref(frame);
    }
}

} // namespace

DecodedVideo DecodeVideo(const std::string& path, bool decodePixels)
{
    DecodedVideo out;
    av::QuietLogging();
    av::InputFormat input;
    if (input.Open(path) < 0)
        return out;
    out.opened = true;
    AVFormatContext* format = input.get();
    out.streamCount = static_cast<int>(format->nb_streams);
    int video = -1;
    for (unsigned i = 0; i < format->nb_streams; ++i)
        if (format->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_VIDEO) {
            ++out.videoStreamCount;
            if (video < 0)
                video = static_cast<int>(i);
        }
    if (video < 0)
        return out;
    const AVCodecParameters* par = format->streams[video]->codecpar;
    out.codecTag = par->codec_tag;
    out.width = par->width;
    out.height = par->height;
    if (const char* profile = avcodec_profile_name(par->codec_id, par->profile))
        out.profile = profile;
    if (const char* pixelFormat = av_get_pix_fmt_name(static_cast<AVPixelFormat>(par->format)))
        out.pixelFormat = pixelFormat;

    av::CodecContextPtr decoder;
    if (decodePixels) {
        const AVCodec* codec = avcodec_find_decoder(par->codec_id);
        decoder.reset(codec ? avcodec_alloc_context3(codec) : nullptr);
        if (!decoder || avcodec_parameters_to_context(decoder.get(), par) < 0)
            return out;
        decoder->thread_count = 1;
        if (avcodec_open2(decoder.get(), codec, nullptr) < 0)
            return out;
    }
    av::PacketPtr packet(av_packet_alloc());
    av::FramePtr frame(av_frame_alloc());
    while (av_read_frame(format, packet.get()) >= 0) {
        if (packet->stream_index == video) {
            out.keyFrames.push_back((packet->flags & AV_PKT_FLAG_KEY) != 0);
            out.packets.emplace_back(packet->data, packet->data + packet->size);
            if (decoder && avcodec_send_packet(decoder.get(), packet.get()) >= 0)
                ReceiveFrames(decoder.get(), frame.get(), out);
        }
        av_packet_unref(packet.get());
    }
    if (decoder) {
        avcodec_send_packet(decoder.get(), nullptr);
        ReceiveFrames(decoder.get(), frame.get(), out);
    }
    return out;
}

bool ReadFirstStreamHeader(const std::string& path, RawStreamHeader& header)
{
    std::ifstream file(path, std::ios::binary);
    std::vector<uint8_t> head(65536);
    file.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<size_t>(file.gcount()));
    for (size_t i = 0; i + 8 + 56 <= head.size(); ++i) {
        if (std::memcmp(&head[i], "strh", 4) != 0)
            continue;
        const uint8_t* p = &head[i + 8];
        header.fccType = Le32(p);
        header.fccHandler = Le32(p + 4);
        header.scale = Le32(p + 20);
        header.rate = Le32(p + 24);
        header.length = Le32(p + 32);
        header.suggestedBufferSize = Le32(p + 36);
        header.quality = Le32(p + 40);
        return true;
    }
    return false;
}

double Psnr(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b)
{
    if (a.size() != b.size() || a.empty())
        return 0.0;
    double sum = 0.0;
    for (size_t i = 0; i < a.size(); ++i) {
        const double d = double(a[i]) - double(b[i]);
        sum += d * d;
    }
    if (sum == 0.0)
        return 1000.0;
    return 10.0 * std::log10(255.0 * 255.0 / (sum / double(a.size())));
}

BITMAPINFOHEADER MakeDibHeader(int width, int height)
{
    BITMAPINFOHEADER h{};
    h.biSize = sizeof h;
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = 24;
    h.biCompression = BI_RGB;
    h.biSizeImage = static_cast<DWORD>(DibRowStride(static_cast<uint64_t>(width)) * static_cast<uint64_t>(height));
    return h;
}

std::vector<uint8_t> MakeDibFrame(int width, int height, int index)
{
    const int stride = static_cast<int>(DibRowStride(static_cast<uint64_t>(width)));
    std::vector<uint8_t> bits(static_cast<size_t>(stride) * height, 0);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = &bits[static_cast<size_t>(height - 1 - y) * stride];
        for (int x = 0; x < width; ++x) {
            const bool box = x >= index % width && x < index % width + width / 4 && y >= height / 3 && y < height / 2;
            row[x * 3 + 0] = static_cast<uint8_t>(box ? 230 : (x * 255) / std::max(1, width - 1));
            row[x * 3 + 1] = static_cast<uint8_t>(box ? 40 : (y * 255) / std::max(1, height - 1));
            row[x * 3 + 2] = static_cast<uint8_t>(box ? 90 : (x + y) * 200 / (width + height) + (index * 2) % 50);
        }
    }
    return bits;
}

std::vector<uint8_t> TopDownRows(const std::vector<uint8_t>& dib, int width, int height)
{
    const int stride = (width * 3 + 3) & ~3;
    std::vector<uint8_t> rows;
    rows.reserve(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = &dib[static_cast<size_t>(height - 1 - y) * stride];
        rows.insert(rows.end(), row, row + width * 3);
    }
    return rows;
}

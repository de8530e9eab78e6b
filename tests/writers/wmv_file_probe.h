// Reads back a written WMV file with libavformat: container, streams, every packet's time.
#pragma once

#include "platform/av/av_handles.h"
#include "platform/av/input_format.h"

extern "C" {
#include <libavutil/video_enc_params.h>
}

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

struct StreamProbe {
    AVMediaType type = AVMEDIA_TYPE_UNKNOWN;
    AVCodecID codec = AV_CODEC_ID_NONE;
    int width = 0;
    int height = 0;
    std::vector<int64_t> timesMs; // presentation time of each packet
    std::vector<int64_t> decodeTimesMs; // decoding time of each packet that has one
    int64_t bytes = 0;
    int64_t endMs = 0; // end of the last packet
    int sampleRate = 0;
    int64_t decodedSamples = 0; // audio: samples the decoder gave back
    int decodedFrames = 0; // video: pictures the decoder gave back
    double quantiserSum = 0; // video: the mean quantiser of each picture, summed
    int quantisedFrames = 0; // video: pictures that told their quantisers

    double DecodedSeconds() const { return sampleRate ? static_cast<double>(decodedSamples) / sampleRate : 0; }
    double MeanQuantiser() const { return quantisedFrames ? quantiserSum / quantisedFrames : 0; }
};

struct FileProbe {
    bool opened = false;
    std::string container;
    std::vector<StreamProbe> streams;

    const StreamProbe* Of(AVMediaType type) const
    {
        for (const StreamProbe& s : streams)
            if (s.type == type)
                return &s;
        return nullptr;
    }
};

// The mean quantiser of the picture's macroblocks, as its decoder exports them.
inline void AddQuantiser(const AVFrame& frame, StreamProbe& stream)
{
    const AVFrameSideData* data = av_frame_get_side_data(&frame, AV_FRAME_DATA_VIDEO_ENC_PARAMS);
    if (!data)
        return;
    auto* params = reinterpret_cast<AVVideoEncParams*>(data->data);
    if (params->nb_blocks == 0)
        return;
    // MPEG-style decoders export twice the quantiser scale.
    const double scale = params->type == AV_VIDEO_ENC_PARAMS_MPEG2 ? 0.5 : 1.0;
    double sum = 0;
    for (unsigned i = 0; i < params->nb_blocks; ++i)
        sum += params->qp + av_video_enc_params_block(params, i)->delta_qp;
    stream.quantiserSum += scale * sum / params->nb_blocks;
    ++stream.quantisedFrames;
}

inline FileProbe ProbeFile(const std::string& path)
{
    FileProbe probe;
    av::InputFormat input;
    if (input.Open(path) < 0)
        return probe;
    probe.opened = true;
    probe.container = input.get()->iformat->name;
    for (unsigned i = 0; i < input.get()->nb_streams; ++i) {
        const AVCodecParameters* p = input.get()->streams[i]->codecpar;
        StreamProbe s;
        s.type = p->codec_type;
        s.codec = p->codec_id;
        s.width = p->width;
        s.height = p->height;
        s.sampleRate = p->sample_rate;
        probe.streams.push_back(s);
    }
    std::vector<av::CodecContextPtr> decoders(input.get()->nb_streams);
    for (unsigned i = 0; i < input.get()->nb_streams; ++i) {
        const AVCodecParameters* p = input.get()->streams[i]->codecpar;
        if (p->codec_type != AVMEDIA_TYPE_AUDIO && p->codec_type != AVMEDIA_TYPE_VIDEO)
            continue;
        const AVCodec* codec = avcodec_find_decoder(p->codec_id);
        decoders[i].reset(avcodec_alloc_context3(codec));
        if (decoders[i])
            decoders[i]->export_side_data |= AV_CODEC_EXPORT_DATA_VIDEO_ENC_PARAMS;
        if (avcodec_parameters_to_context(decoders[i].get(), p) < 0 ||
            avcodec_open2(decoders[i].get(), codec, nullptr) < 0)
            decoders[i].reset();
    }
    av::FramePtr frame(av_frame_alloc());
    auto drain = [&](unsigned index) {
        while (avcodec_receive_frame(decoders[index].get(), frame.get()) >= 0) {
            probe.streams[index].decodedSamples += frame->nb_samples;
            if (probe.streams[index].type == AVMEDIA_TYPE_VIDEO) {
                ++probe.streams[index].decodedFrames;
                AddQuantiser(*frame, probe.streams[index]);
            }
            av_frame_unref(frame.get());
        }
    };
    av::PacketPtr packet(av_packet_alloc());
    while (av_read_frame(input.get(), packet.get()) >= 0) {
        const AVStream* stream = input.get()->streams[packet->stream_index];
        StreamProbe& s = probe.streams[packet->stream_index];
        const int64_t pts = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
        const int64_t ms = av_rescale_q(pts, stream->time_base, AVRational{1, 1000});
        s.timesMs.push_back(ms);
        if (packet->dts != AV_NOPTS_VALUE)
            s.decodeTimesMs.push_back(av_rescale_q(packet->dts, stream->time_base, AVRational{1, 1000}));
        s.bytes += packet->size;
        s.endMs = std::max(s.endMs, ms + av_rescale_q(packet->duration, stream->time_base, AVRational{1, 1000}));
        const unsigned index = static_cast<unsigned>(packet->stream_index);
        if (decoders[index] && avcodec_send_packet(decoders[index].get(), packet.get()) >= 0)
            drain(index);
        av_packet_unref(packet.get());
    }
    for (unsigned i = 0; i < decoders.size(); ++i)
        if (decoders[i] && avcodec_send_packet(decoders[i].get(), nullptr) >= 0)
            drain(i);
    return probe;
}

// The send time of every data packet of an ASF file, as its packet headers store it; empty when
// the file's layout is not understood.
inline std::vector<uint32_t> AsfSendTimes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto u8 = [&](size_t at) { return at < file.size() ? static_cast<uint8_t>(file[at]) : 0u; };
    const auto le = [&](size_t at, int bytes) {
        uint64_t value = 0;
        for (int i = bytes - 1; i >= 0; --i)
            value = value << 8 | u8(at + static_cast<size_t>(i));
        return value;
    };
    // File properties and data objects, by the first four bytes of their GUIDs.
    const size_t properties = file.find("\xA1\xDC\xAB\x8C", 0);
    const size_t data = file.find("\x36\x26\xB2\x75", 0);
    std::vector<uint32_t> times;
    if (properties == std::string::npos || data == std::string::npos)
        return times;
    const size_t packetSize = le(properties + 92, 4);
    const uint64_t packets = le(data + 40, 8);
    const auto fieldSize = [](unsigned code) { return code == 3 ? 4u : code; };
    for (uint64_t n = 0; n < packets && packetSize > 0; ++n) {
        size_t at = data + 50 + n * packetSize;
        if (at + packetSize > file.size())
            return {};
        if (u8(at) & 0x80)
            at += 1 + (u8(at) & 0x0F);
        const unsigned lengthFlags = u8(at);
        at += 2 + fieldSize((lengthFlags >> 5) & 3) + fieldSize((lengthFlags >> 1) & 3) +
              fieldSize((lengthFlags >> 3) & 3);
        times.push_back(static_cast<uint32_t>(le(at, 4)));
    }
    return times;
}

// Helper of wmv_profile_table.sh.
//   wmv_probe --rows   the rows of the WMV profile dialog's system-profile lists, one a line:
//                      "V8:25 18. 320x240 (VBR Fair)" (version and index as convert_bench takes them)
//   wmv_probe FILE     one line of what a decoder finds in the file's video stream, fields
//                      split by tabs: bytes frames kbit/s mean-quantiser profile pixel-format
// The mean quantiser is that of the macroblocks, as the decoder exports them ("-" when it does
// not); kbit/s counts the video packets over the video's duration.
#include "dialogs/wmv_profile_lists.h"
#include "platform/av/av_handles.h"
#include "platform/av/input_format.h"
#include "platform/win/text.h"

extern "C" {
#include <libavutil/pixdesc.h>
#include <libavutil/video_enc_params.h>
}

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

void PrintRows()
{
    const struct {
        const char* name;
        const ProfileList& list;
    } versions[] = {{"V4", Version4Profiles()}, {"V7", Version7Profiles()}, {"V8", Version8Profiles()}};
    for (const auto& v : versions)
        for (const ProfileRow& row : v.list.rows)
            std::printf("%s:%d %s\n", v.name, row.profileIndex, Utf16ToUtf8(std::u16string_view(row.text)).c_str());
}

// Mean of the picture's macroblock quantisers; MPEG-style decoders export twice the scale.
bool AddQuantiser(const AVFrame& frame, double& sum)
{
    const AVFrameSideData* data = av_frame_get_side_data(&frame, AV_FRAME_DATA_VIDEO_ENC_PARAMS);
    if (!data)
        return false;
    auto* params = reinterpret_cast<AVVideoEncParams*>(data->data);
    if (params->nb_blocks == 0)
        return false;
    double blocks = 0;
    for (unsigned i = 0; i < params->nb_blocks; ++i)
        blocks += params->qp + av_video_enc_params_block(params, i)->delta_qp;
    sum += (params->type == AV_VIDEO_ENC_PARAMS_MPEG2 ? 0.5 : 1.0) * blocks / params->nb_blocks;
    return true;
}

int Probe(const std::string& path)
{
    av::InputFormat input;
    if (input.Open(path) < 0) {
        std::printf("unreadable\n");
        return 1;
    }
    AVFormatContext* format = input.get();
    const int video = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (video < 0) {
        std::printf("no-video\n");
        return 1;
    }
    const AVStream* stream = format->streams[video];
    const AVCodecParameters* par = stream->codecpar;
    const AVCodec* codec = avcodec_find_decoder(par->codec_id);
    av::CodecContextPtr decoder(codec ? avcodec_alloc_context3(codec) : nullptr);
    if (!decoder || avcodec_parameters_to_context(decoder.get(), par) < 0)
        return 1;
    decoder->export_side_data |= AV_CODEC_EXPORT_DATA_VIDEO_ENC_PARAMS;
    if (avcodec_open2(decoder.get(), codec, nullptr) < 0)
        return 1;

    int64_t videoBytes = 0;
    int64_t endMs = 0;
    int frames = 0;
    int quantised = 0;
    double quantiserSum = 0;
    av::PacketPtr packet(av_packet_alloc());
    av::FramePtr frame(av_frame_alloc());
    const auto drain = [&] {
        while (avcodec_receive_frame(decoder.get(), frame.get()) >= 0) {
            ++frames;
            quantised += AddQuantiser(*frame, quantiserSum);
            av_frame_unref(frame.get());
        }
    };
    while (av_read_frame(format, packet.get()) >= 0) {
        if (packet->stream_index == video) {
            videoBytes += packet->size;
            const int64_t pts = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
            endMs = std::max(endMs, av_rescale_q(pts + packet->duration, stream->time_base, AVRational{1, 1000}));
            if (avcodec_send_packet(decoder.get(), packet.get()) >= 0)
                drain();
        }
        av_packet_unref(packet.get());
    }
    if (avcodec_send_packet(decoder.get(), nullptr) >= 0)
        drain();

    const char* profile = avcodec_profile_name(par->codec_id, par->profile);
    const char* pixelFormat = av_get_pix_fmt_name(static_cast<AVPixelFormat>(par->format));
    std::printf("%llu\t%d\t%.0f\t", static_cast<unsigned long long>(std::filesystem::file_size(path)), frames,
                endMs > 0 ? videoBytes * 8.0 / endMs : 0.0);
    if (quantised == frames && frames > 0)
        std::printf("%.2f", quantiserSum / quantised);
    else
        std::printf("-");
    std::printf("\t%s\t%s\n", profile ? profile : "-", pixelFormat ? pixelFormat : "-");
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    av::QuietLogging();
    if (argc == 2 && std::string(argv[1]) == "--rows") {
        PrintRows();
        return 0;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: wmv_probe --rows | FILE\n");
        return 2;
    }
    return Probe(argv[1]);
}

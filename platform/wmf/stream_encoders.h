// The per-input encoders of the writer: conversion of the input samples and their encoding.
#pragma once

#include "platform/av/av_handles.h"
#include "platform/wmf/encoder_setup.h"
#include "platform/wmf/media_objects.h"

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

extern "C" {
#include <libavutil/audio_fifo.h>
}

namespace wmf {

// How the bytes of one video sample are laid out.
struct VideoInputLayout {
    AVPixelFormat format = AV_PIX_FMT_NONE;
    int width = 0;
    int height = 0;
    bool bottomUp = false;
    bool swapChroma = false; // planes stored Y, V, U
    int planeCount = 1;
    int strides[3] = {};
    size_t planeBytes[3] = {};
    size_t frameBytes = 0;
    int64_t frameDuration = 0; // 100-ns units
};

// Empty for a type the writer cannot take as video input.
std::optional<VideoInputLayout> VideoLayoutOf(const MediaType& type);
// Empty for anything but 8- or 16-bit PCM with a sane rate and channel count.
std::optional<WAVEFORMATEX> AudioFormatOf(const MediaType& type);

// Receives each packet with the time of the sample it came from (100-ns units, video) or with
// its codec time stamps (audio).
using PacketSink = std::function<bool(AVPacket* packet, int64_t sampleTime)>;

struct AvFifoDeleter {
    void operator()(AVAudioFifo* f) const { av_audio_fifo_free(f); }
};

class VideoEncoder {
public:
    // For the final pass, frameBits are the analysis pass's frame sizes.
    [[nodiscard]] static std::unique_ptr<VideoEncoder> Open(const VideoStream& stream, const VideoInputLayout& input,
                                                            VideoPass pass, const std::vector<int64_t>* frameBits,
                                                            bool globalHeader);

    [[nodiscard]] bool Encode(const BYTE* data, DWORD length, int64_t sampleTime, const PacketSink& sink);
    [[nodiscard]] bool Flush(const PacketSink& sink);
    AVCodecContext* Context() const { return m_context.get(); }
    // The size in bits of every frame the analysis pass encoded, complete after Flush.
    const std::vector<int64_t>& FrameBits() const { return m_frameBits; }

private:
    VideoEncoder() = default;
    bool Drain(const PacketSink& sink);
    double NextQuantiser() const;

    av::CodecContextPtr m_context;
    av::SwsPtr m_scaler;
    av::FramePtr m_frame;
    av::PacketPtr m_packet;
    VideoInputLayout m_input;
    VideoPass m_pass = VideoPass::Single;
    std::deque<int64_t> m_times;
    int64_t m_nextPts = 0;
    std::vector<int64_t> m_frameBits;
    // Final pass: bits the analysis found from each frame to the end, the budget and what is spent.
    std::vector<int64_t> m_remainingAnalysisBits;
    double m_budgetBits = 0;
    double m_spentBits = 0;
    double m_lastQuantiser = kAnalysisQuantiser;
};

class AudioEncoder {
public:
    [[nodiscard]] static std::unique_ptr<AudioEncoder> Open(const AudioStream& stream, const WAVEFORMATEX& input,
                                                            bool globalHeader);

    [[nodiscard]] bool Encode(const BYTE* data, DWORD length, const PacketSink& sink);
    [[nodiscard]] bool Flush(const PacketSink& sink);
    AVCodecContext* Context() const { return m_context.get(); }

private:
    AudioEncoder() = default;
    [[nodiscard]] bool EncodeFrames(bool final, const PacketSink& sink);
    bool Drain(const PacketSink& sink);

    av::CodecContextPtr m_context;
    av::SwrPtr m_resampler;
    std::unique_ptr<AVAudioFifo, AvFifoDeleter> m_fifo;
    av::FramePtr m_frame;
    av::PacketPtr m_packet;
    WAVEFORMATEX m_input{};
    int64_t m_nextPts = 0;
};

} // namespace wmf

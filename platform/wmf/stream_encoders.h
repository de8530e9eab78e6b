// The per-input encoders of the writer: conversion of the input samples and their encoding.
#pragma once

#include "platform/av/av_handles.h"
#include "platform/wmf/encoder_setup.h"
#include "platform/wmf/media_objects.h"
#include "platform/wmf/picture_converter.h"

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

extern "C" {
#include <libavutil/audio_fifo.h>
}

namespace wmf {

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

    // Starts converting the sample's picture, on a thread of the encoder's own; the sample must
    // hold a whole frame and is held until then. Each picture added is encoded by one EncodeNext.
    void Add(ComPtr<SampleBuffer> sample) { m_converter->Add(std::move(sample)); }
    // Encodes the oldest picture added and not yet encoded, waiting for its conversion; false when
    // the conversion or the encoding failed, or when there is none. Calls come one at a time,
    // though from any thread.
    [[nodiscard]] bool EncodeNext(int64_t sampleTime, const PacketSink& sink);
    [[nodiscard]] bool Flush(const PacketSink& sink);
    AVCodecContext* Context() const { return m_context.get(); }
    // The size in bits of every frame the analysis pass encoded, complete after Flush.
    const std::vector<int64_t>& FrameBits() const { return m_frameBits; }

private:
    VideoEncoder() = default;
    bool Drain(const PacketSink& sink);
    double NextQuantiser() const;

    av::CodecContextPtr m_context;
    av::PacketPtr m_packet;
    VideoPass m_pass = VideoPass::Single;
    std::deque<int64_t> m_times;
    int64_t m_nextPts = 0;
    std::vector<int64_t> m_frameBits;
    // Final pass: bits the analysis found from each frame to the end, the budget and what is spent.
    std::vector<int64_t> m_remainingAnalysisBits;
    double m_budgetBits = 0;
    double m_spentBits = 0;
    double m_lastQuantiser = kAnalysisQuantiser;
    // Last: its thread ends before the rest goes.
    std::unique_ptr<PictureConverter> m_converter;
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

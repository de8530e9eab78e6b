// The generic engine: any libavcodec encoder, set up from its descriptor row.
#pragma once

#include "platform/av/av_handles.h"
#include "platform/vfw/frame_encoder.h"

namespace vfw {

class AvcodecEncoder final : public FrameEncoder {
public:
    explicit AvcodecEncoder(const CompressorDescriptor& descriptor) : m_descriptor(descriptor) {}

    [[nodiscard]] bool Open(int width, int height, const EncoderSettings& settings) override;
    WORD BitCount() const override;
    std::vector<uint8_t> ExtraData() const override;
    [[nodiscard]] bool Encode(const uint8_t* top, int stride, EncodedFrame& frame) override;
    // RGB24 rows are swapped on the way into the copy, and the copy is lent to the encoder.
    void CopyFrame(const uint8_t* rows, uint8_t* copy, int width, int height, int stride) const override;
    [[nodiscard]] bool EncodeCopy(uint8_t* top, int stride, EncodedFrame& frame) override;

private:
    av::CodecContextPtr OpenContext(int width, int height, const EncoderSettings& settings) const;
    bool IsYuv420() const;
    // Taken as a byte swap of the rows, without the scaler.
    bool IsRgb24() const;
    // The scaler and the padded copy of the last rows it reads.
    bool OpenScaler(int width, int height);
    // Gives the frame a buffer of its own, its contents undefined.
    bool FreshFrame(int width, int height);
    // The frame, writable, with any contents.
    bool WritableFrame();
    bool Scale(const uint8_t* top, int stride);
    // Encodes a converted frame (ours, or rows lent in one) into the packet.
    bool Send(AVFrame& converted, EncodedFrame& frame);

    const CompressorDescriptor& m_descriptor;
    av::CodecContextPtr m_context;
    av::SwsPtr m_scaler;
    av::FramePtr m_frame;
    av::FramePtr m_spare; // the frame sent before, while the encoder may still hold it
    av::FramePtr m_endRows; // the rows at the end of the caller's block, padded
    av::FramePtr m_lent; // the caller's rows, converted in place, for one frame
    av::PacketPtr m_packet;
    int64_t m_frameIndex = 0;
};

} // namespace vfw

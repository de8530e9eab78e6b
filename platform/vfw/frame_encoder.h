// The engine under one open compressor: 24-bit frames in, one compressed frame out for each.
#pragma once

#include "platform/vfw/compressor_catalogue.h"

extern "C" {
#include <libavutil/rational.h>
}

#include <cstdint>
#include <memory>
#include <vector>

namespace vfw {

// The quality a compressor uses when it is given none (0..10000).
constexpr LONG kDefaultCompressorQuality = 7500;

struct EncoderSettings {
    LONG quality = -1; // 0..10000, or -1 for the compressor's default
    LONG keyRate = 0; // <= 0: key frames only when needed
    AVRational timeBase{1, 30};
    std::vector<int32_t> optionValues; // one per option of the descriptor
};

struct EncodedFrame {
    const uint8_t* data = nullptr;
    size_t bytes = 0;
    bool key = false;
};

class FrameEncoder {
public:
    virtual ~FrameEncoder() = default;
    // False when the engine refuses this size or these settings.
    [[nodiscard]] virtual bool Open(int width, int height, const EncoderSettings& settings) = 0;
    // For the output format after Open: bits per pixel and the data that follows the header.
    virtual WORD BitCount() const = 0;
    virtual std::vector<uint8_t> ExtraData() const = 0;
    // top is the first row shown; stride is negative for bottom-up rows. The data stays valid
    // until the next call.
    [[nodiscard]] virtual bool Encode(const uint8_t* top, int stride, EncodedFrame& frame) = 0;
    // Copies a frame of height rows, stride bytes apart (stride > 0, in memory order), into a
    // block of the same layout for EncodeCopy. An engine that converts the colours does so on
    // the way: one pass over the frame instead of a copy and a conversion.
    virtual void CopyFrame(const uint8_t* rows, uint8_t* copy, int width, int height, int stride) const;
    // As Encode, for rows made by CopyFrame, which the engine may overwrite: an engine that takes
    // them as they lie needs no frame of its own.
    [[nodiscard]] virtual bool EncodeCopy(uint8_t* top, int stride, EncodedFrame& frame)
    {
        return Encode(top, stride, frame);
    }
};

std::unique_ptr<FrameEncoder> MakeFrameEncoder(const CompressorDescriptor& descriptor);

} // namespace vfw

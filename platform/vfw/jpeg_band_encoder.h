// Motion JPEG on libjpeg-turbo. The frame is cut into bands of whole MCU rows that are compressed
// side by side and joined into one baseline JPEG with a restart marker between bands, so a frame
// takes about the time of one band; any JPEG decoder reads it as one picture.
#pragma once

#include "platform/vfw/frame_encoder.h"

namespace vfw {

// How a frame is cut: MCU rows (16 pixel rows) per band and the number of bands. The restart
// interval, rowsPerBand times the MCUs of a row, must fit the 16 bits of its marker.
struct JpegBandPlan {
    int rowsPerBand;
    int bands;
};
JpegBandPlan PlanJpegBands(int width, int height, int threads);

// libjpeg's quality (1..100) for a compressor quality of 0..10000 or -1 (the default).
int JpegQuality(LONG quality);

class JpegBandEncoder final : public FrameEncoder {
public:
    JpegBandEncoder();
    ~JpegBandEncoder() override;
    JpegBandEncoder(const JpegBandEncoder&) = delete;
    JpegBandEncoder& operator=(const JpegBandEncoder&) = delete;

    [[nodiscard]] bool Open(int width, int height, const EncoderSettings& settings) override;
    WORD BitCount() const override { return 24; }
    std::vector<uint8_t> ExtraData() const override { return {}; }
    [[nodiscard]] bool Encode(const uint8_t* top, int stride, EncodedFrame& frame) override;

private:
    class Band;

    bool Join();

    int m_width = 0;
    int m_height = 0;
    int m_quality = 0;
    JpegBandPlan m_plan{};
    std::vector<std::unique_ptr<Band>> m_bands;
    std::vector<uint8_t> m_output;
};

} // namespace vfw

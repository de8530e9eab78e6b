#include "platform/vfw/frame_encoder.h"

#include "platform/vfw/avcodec_encoder.h"
#include "platform/vfw/jpeg_band_encoder.h"

#include <cstring>

namespace vfw {

void FrameEncoder::CopyFrame(const uint8_t* rows, uint8_t* copy, int, int height, int stride) const
{
    std::memcpy(copy, rows, static_cast<size_t>(stride) * static_cast<size_t>(height));
}

std::unique_ptr<FrameEncoder> MakeFrameEncoder(const CompressorDescriptor& descriptor)
{
    if (descriptor.engine == CompressorEngine::JpegBands)
        return std::make_unique<JpegBandEncoder>();
    return std::make_unique<AvcodecEncoder>(descriptor);
}

} // namespace vfw

#include "platform/vfw/frame_encoder.h"

#include "platform/vfw/avcodec_encoder.h"
#include "platform/vfw/jpeg_band_encoder.h"

namespace vfw {

std::unique_ptr<FrameEncoder> MakeFrameEncoder(const CompressorDescriptor& descriptor)
{
    if (descriptor.engine == CompressorEngine::JpegBands)
        return std::make_unique<JpegBandEncoder>();
    return std::make_unique<AvcodecEncoder>(descriptor);
}

} // namespace vfw

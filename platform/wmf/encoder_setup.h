// Opens the libavcodec encoders that a profile's streams name.
#pragma once

#include "platform/av/av_handles.h"
#include "platform/wmf/profile_description.h"

#include <string>

namespace wmf {

// Single: the encoder's own rate control at the stream's bit rate (or its quality). Analysis and
// Final: a quantiser chosen per frame by the caller, for two passes.
enum class VideoPass { Single, Analysis, Final };

// The quantiser of the analysis pass; its frame sizes predict the sizes at other quantisers.
constexpr int kAnalysisQuantiser = 4;

// frameDuration is the input's time per frame in 100-ns units.
[[nodiscard]] av::CodecContextPtr OpenVideoEncoder(const VideoStream& stream, int64_t frameDuration, VideoPass pass,
                                                   bool globalHeader);
[[nodiscard]] av::CodecContextPtr OpenAudioEncoder(const AudioStream& stream, bool globalHeader);

// Whether every audio and video stream of the profile opens with its encoder.
bool CanEncode(const ProfileDescription& profile);

} // namespace wmf

// What a profile asks the writer for: its streams, each with the codec settings it names.
#pragma once

#include "platform/wmf/wm_types.h"

#include <cstdint>
#include <vector>

namespace wmf {

enum class VideoCodec { MsMpeg4v3, Wmv1, Wmv2 };
enum class AudioCodec { Wmav1, Wmav2 };

struct VideoStream {
    VideoCodec codec = VideoCodec::Wmv2;
    int width = 0;
    int height = 0;
    int64_t bitRate = 0; // bits per second; unused with a quality
    int bufferWindowMs = 5000;
    int64_t keyFrameSpacing = 80000000; // 100-ns units
    int vbrQuality = -1; // 0..100 for quality-based variable bit rate, else -1
};

struct AudioStream {
    AudioCodec codec = AudioCodec::Wmav2;
    int sampleRate = 0;
    int channels = 0;
    int64_t bitRate = 0;
    // Bit-rate-based variable rate: encoded only in two passes; one-pass writes are refused.
    bool twoPassesOnly = false;
};

struct StreamDescription {
    GUID majorType = GUID_NULL;
    VideoStream video; // when majorType is WMMEDIATYPE_Video
    AudioStream audio; // when majorType is WMMEDIATYPE_Audio
};

struct ProfileDescription {
    std::vector<StreamDescription> streams;
};

} // namespace wmf

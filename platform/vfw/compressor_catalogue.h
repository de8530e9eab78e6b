// The installed video compressors: one descriptor per FourCC, served by libavcodec or, for
// Motion JPEG, by libjpeg-turbo.
#pragma once

#include "platform/vfw/vfw_types.h"

extern "C" {
#include <libavutil/pixfmt.h>
}

#include <span>
#include <vector>

namespace vfw {

enum class QualityControl {
    None, // the encoder has no quality setting
    QScale, // quality maps to a fixed quantiser 1 (best) .. 31
    Crf, // quality maps to a constant rate factor 1 (best) .. 51; 0, lossless, only by its switch
    Jpeg, // quality maps to libjpeg's 1 .. 100 (best)
};

enum class CompressorEngine {
    Avcodec, // the libavcodec encoder the row names
    JpegBands, // libjpeg-turbo, the frame compressed in bands side by side
};

// The name of a switch that no encoder option takes: when on, the frames are lossless in place
// of the quality. Lossless frames need decoders that few players have, so it is never a default.
inline constexpr char kLosslessSwitch[] = "lossless";

// One setting of a compressor's configure box and state block. A number runs from minimum to
// maximum; a choice (choices not null) stores the index of one of its names.
struct CompressorOption {
    const char* name; // the libavcodec option it sets, or kLosslessSwitch
    const WCHAR* label;
    int minimum = 0;
    int maximum;
    int defaultValue;
    std::span<const char* const> choices = {};
    const WCHAR* japaneseLabel; // the label on a Japanese system
};

// No compressor takes a frame with a longer side.
inline constexpr int kMaxFrameSide = 32768;

// The frame sizes an encoder takes: width and height each a multiple of these.
struct FrameSizeStep {
    int width = 1;
    int height = 1;
};

struct CompressorDescriptor {
    FOURCC fourcc;
    const WCHAR* name;
    const WCHAR* description;
    const char* encoder; // libavcodec's name; null for another engine
    AVPixelFormat pixelFormat;
    DWORD flags; // VIDCF_*
    QualityControl quality;
    const char* fixedOptions = ""; // "name=value;name=value" always given to the encoder
    std::span<const CompressorOption> options = {};
    DWORD stateVersion = 1;
    // Sizes off this step are refused before the encoder is opened: some libraries leak when
    // their own open refuses a size.
    FrameSizeStep sizeStep = {};
    // The longest side the encoder takes. With the step and libavcodec's bound on the area, it is
    // the whole of what the encoder refuses, so a query is answered without opening it.
    int maxSide = kMaxFrameSide;
    // Added to the key-frame interval for an encoder that counts it differently.
    int keyIntervalBias = 0;
    CompressorEngine engine = CompressorEngine::Avcodec;
    // The encoder splits a frame into slices only when asked for them (FFV1): it is given enough
    // for every thread of the pool.
    bool slicesForThreads = false;
};

// The rows whose engine is present (for libavcodec rows, whose encoder it has), in catalogue order.
const std::vector<const CompressorDescriptor*>& InstalledCompressors();
// FourCCs compare without regard to the case of their letters; "DIB " finds nothing.
const CompressorDescriptor* FindInstalledCompressor(FOURCC fourcc);

} // namespace vfw

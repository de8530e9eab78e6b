// The installed video compressors: one descriptor per FourCC, all served by libavcodec.
#pragma once

#include "platform/vfw/vfw_types.h"

extern "C" {
#include <libavutil/pixfmt.h>
}

#include <span>
#include <vector>

enum class QualityControl {
    None,   // the encoder has no quality setting
    QScale, // quality maps to a fixed quantiser 1 (best) .. 31
    Crf,    // quality maps to a constant rate factor 0 (best) .. 51
};

// One setting of a compressor's configure box and state block. A number runs from minimum to
// maximum; a choice (choices not null) stores the index of one of its names.
struct CompressorOption {
    const char* name; // the libavcodec option it sets
    const WCHAR* label;
    int minimum;
    int maximum;
    int defaultValue;
    std::span<const char* const> choices;
};

struct CompressorDescriptor {
    FOURCC fourcc;
    const WCHAR* name;
    const WCHAR* description;
    const char* encoder;
    AVPixelFormat pixelFormat;
    DWORD flags; // VIDCF_*
    QualityControl quality;
    const char* fixedOptions; // "name=value;name=value" always given to the encoder
    std::span<const CompressorOption> options;
    DWORD stateVersion;
    // Added to the key-frame interval for an encoder that counts it differently.
    int keyIntervalBias = 0;
};

std::span<const CompressorDescriptor> CompressorCatalogue();
// The rows whose encoder this libavcodec has, in catalogue order.
const std::vector<const CompressorDescriptor*>& InstalledCompressors();
// FourCCs compare without regard to the case of their letters; "DIB " finds nothing.
const CompressorDescriptor* FindInstalledCompressor(FOURCC fourcc);

// The output settings the output settings dialog edits: a plain copy of part of a settings record,
// so the dialog's edits reach the record only when its caller takes them after OK.
#pragma once

#include "foundation/info.h"

#include <cstdint>

struct OutputSettings {
    CString folder; // "hozon"
    int quality = 100; // "quality", 1 to 100
    UINT interval = 1; // "perfile", an image every n frames
    int interlaced = 0; // "InterLaced", the row of the deinterlace list
    int overwrite = 0; // "uwagaki", the row of the overwrite list
    int volume = 100; // "VOL"
};

// The record keeps the interval as a signed number, so larger ones are refused when typed.
constexpr UINT kMaxImageInterval = INT32_MAX;
constexpr int kInterlaceRows = 4;
constexpr int kOverwriteRows = 3;

OutputSettings OutputSettingsOf(const CInfo& info);
// Only the six values; everything else in the record stays as it was.
void ApplyOutputSettings(const OutputSettings& settings, CInfo& info);
// The quality a typed number stands for: 0 becomes 1, anything above 100 (a negative number
// counting as above) becomes 100.
int CorrectedQuality(int typed);

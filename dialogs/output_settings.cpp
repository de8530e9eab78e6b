#include "dialogs/output_settings.h"

#include <algorithm>

OutputSettings OutputSettingsOf(const CInfo& info)
{
    OutputSettings s;
    s.folder = info.hozon;
    s.quality = info.quality;
    // An interval below one frame is none: it opens clamped to 1, which OK then stores.
    s.interval = info.perfile > 0 ? static_cast<UINT>(info.perfile) : 1u;
    s.interlaced = info.InterLaced;
    s.overwrite = info.uwagaki;
    s.volume = info.VOL;
    return s;
}

void ApplyOutputSettings(const OutputSettings& settings, CInfo& info)
{
    info.hozon = settings.folder;
    info.quality = settings.quality;
    info.perfile = static_cast<int>(std::min(settings.interval, kMaxImageInterval));
    info.InterLaced = settings.interlaced;
    info.uwagaki = settings.overwrite;
    info.VOL = settings.volume;
}

int CorrectedQuality(int typed)
{
    if (typed == 0)
        return 1;
    if (typed > 100 || typed < 0)
        return 100;
    return typed;
}

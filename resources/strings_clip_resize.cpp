// Captions and labels of the clip-and-resize dialog, Japanese at N, English at N + 1.
#include "resources/string_table.h"

#include <array>

namespace {

constexpr std::array kClipResize = {
    StringResource{43521, u"クリッピング"},
    StringResource{43522, u"Clipping"},
    StringResource{43523, u"上"},
    StringResource{43524, u"Top"},
    StringResource{43525, u"左"},
    StringResource{43526, u"Left"},
    StringResource{43527, u"右"},
    StringResource{43528, u"Right"},
    StringResource{43529, u"下"},
    StringResource{43530, u"Bottom"},
    StringResource{43531, u"リサイズ"},
    StringResource{43532, u"Resize"},
    StringResource{43533, u"ピクセル"},
    StringResource{43534, u"Pixl"},
    StringResource{43535, u"クリア"},
    StringResource{43536, u"Clear"},
    StringResource{43537, u"クリッピング・リサイズ"},
    StringResource{43538, u"Clipping+Resize"},
};

} // namespace

std::span<const StringResource> ClipResizeStrings() { return kClipResize; }

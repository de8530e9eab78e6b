// Status and prompt texts of the player and the main frame, Japanese at N, English at N + 1.
#include "resources/string_table.h"

#include <array>

namespace {

constexpr std::array kStatus = {
    StringResource{43041, u"【一時停止中】"},
    StringResource{43042, u"[Pause]"},
    StringResource{43043, u"【停止中】"},
    StringResource{43044, u"[Stop]"},
    StringResource{43045, u"【作成中】"},
    StringResource{43046, u"[Make]"},
    StringResource{43047, u"【1パス目】"},
    StringResource{43048, u"[1Pass]"},
    StringResource{43049, u"【再生中】"},
    StringResource{43050, u"[Play]"},
    StringResource{43051, u"以下のファイルに保存しました。\n%s"},
    StringResource{43052, u"It preserved it in the following files. \n%s"},
    StringResource{43053, u"停止しますか？"},
    StringResource{43054, u"Stop?"},
    StringResource{43065, u"／"},
    StringResource{43066, u"/"},
    StringResource{43069, u" 標準"},
    StringResource{43070, u"Default"},
    StringResource{43071, u"カスタマイズ"},
    StringResource{43072, u" Customize"},
};

} // namespace

std::span<const StringResource> StatusStrings() { return kStatus; }

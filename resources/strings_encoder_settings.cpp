// Texts of the AVI compressor and WMV profile dialogs, Japanese at N, English at N + 1.
#include "resources/string_table.h"

#include <array>

namespace {

constexpr std::array kEncoderSettings = {
    StringResource{43581, u"バージョン指定"},
    StringResource{43582, u"Version Set"},
    StringResource{43583, u"でエンコする"},
    StringResource{43584, u"By Enc"},
    StringResource{43585, u"2パスでエンコする(PRX)(&C)"},
    StringResource{43586, u"2pass-Enc(PRX)(&C)"},
    StringResource{43587, u"ビットレート指定:"},
    StringResource{43588, u"Set Bitrate:"},
    StringResource{43589, u"PRXファイル指定"},
    StringResource{43590, u"Set PRX"},
    StringResource{
        43591,
        u"※WMV9以上を作成されたい方は、ウインドウズメディアエンコーダ9付属ソフト「プロファイルエディタ」でPRXファイ"
        u"ルを作成してください。"},
    StringResource{
        43592,
        u"You can make PRX by WindowsMediaEncoder9-OptionSoft\"Profile Edior\".\nPrx can encode by WMV9 or more."},
    StringResource{43593, u"WMVのエンコ設定"},
    StringResource{43594, u"Set WMV Encode"},
    StringResource{43611, u"圧縮プログラム"},
    StringResource{43612, u"Codec"},
    StringResource{43613, u"圧縮の品質:"},
    StringResource{43614, u"Quality:"},
    StringResource{43615, u"キーフレーム:"},
    StringResource{43616, u"KeyFrame:"},
    StringResource{43617, u"データレート:"},
    StringResource{43618, u"DataRate:"},
    StringResource{43619, u"フレームごと"},
    StringResource{43620, u"Frames"},
    StringResource{43621, u"Kバイト/秒"},
    StringResource{43622, u"KByte/s"},
    StringResource{43623, u"初期化(&D)"},
    StringResource{43624, u"Default(&D)"},
    StringResource{43625, u"設定...(&S)"},
    StringResource{43626, u"Setting...(&S)"},
    StringResource{43627, u"バージョン情報...(&A)"},
    StringResource{43628, u"About...(&A)"},
    StringResource{43629, u"AVIのエンコ設定"},
    StringResource{43630, u"Set AVI Codec"},
};

} // namespace

std::span<const StringResource> EncoderSettingsStrings() { return kEncoderSettings; }

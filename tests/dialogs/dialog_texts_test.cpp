#include "dialogs/bat_encode_dlg.h"
#include "dialogs/choice_dialogs.h"
#include "dialogs/lumi_filter_dlg.h"
#include "dialogs/mp3_set_dlg.h"
#include "dialogs/save_set_dlg.h"
#include "dialogs/vob_list_dlg.h"
#include "dialogs/volume_dlg.h"
#include "dialogs/wma_set_dlg.h"
#include "resources/aux_dialog_ids.h"
#include "tests/dialogs/dialog_test_support.h"
#include "tests/support/scoped_locale.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct TextCase {
    const char* name;
    std::function<std::unique_ptr<CDialog>()> make;
    const char* locale;
    const char16_t* caption;
    int id;
    const char16_t* text;
};
void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }

class DialogTexts : public ::testing::TestWithParam<TextCase> {
protected:
    void SetUp() override { TestApp(); }
};

TEST_P(DialogTexts, CaptionAndLabelsComeInTheSystemLanguage)
{
    const TextCase& c = GetParam();
    ScopedLocale locale(c.locale);
    std::unique_ptr<CDialog> dlg = c.make();
    CString caption, text;
    RunModal(*dlg, [&](CDialog& d) {
        caption = d.GetWindowTextString();
        text = ItemText(d, c.id);
    });
    EXPECT_EQ(caption, CString(c.caption));
    EXPECT_EQ(text, CString(c.text));
}

template <typename T, typename... Args>
std::function<std::unique_ptr<CDialog>()> Maker(Args... args)
{
    return [=] { return std::make_unique<T>(args...); };
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, DialogTexts,
    ::testing::Values(
        TextCase{"stream_ja", Maker<CStreamKindDlg>(nullptr, 0), kJapaneseLocale, u"ストリームの種類", IDC_STREAM_NOTE,
                 u"※2パスエンコの1パス目の場合は、\n　 ビデオのみを選択することを薦めます"},
        TextCase{"stream_en", Maker<CStreamKindDlg>(nullptr, 0), kEnglishLocale, u"Kind of stream",
                 IDC_STREAM_VIDEO_AUDIO, u"Video+Audio(&A)"},
        TextCase{"extract_ja", Maker<CExtractKindDlg>(nullptr, 0), kJapaneseLocale, u"抽出の種類", IDC_EXTRACT_WAV,
                 u"WAV(ACM)に変換抽出(&P)"},
        TextCase{"extract_en", Maker<CExtractKindDlg>(nullptr, 0), kEnglishLocale, u"Kind of extraction",
                 IDC_EXTRACT_WMA, u"Conversion extraction to WMA(&W)"},
        TextCase{"audio_ja", Maker<CAudioStreamDlg>(nullptr, 1), kJapaneseLocale, u"音声ストリーム処理の選択",
                 IDC_AUDIO_COPY, u"ストリームの直接コピー(&C)"},
        TextCase{"audio_en", Maker<CAudioStreamDlg>(nullptr, 1), kEnglishLocale,
                 u"Selection of Audio Stream processing", IDC_AUDIO_NONE, u"No Audio(&N)"},
        TextCase{"lumi_ja", Maker<CLumiFilterDlg>(nullptr, WM_USER, 0, 0), kJapaneseLocale, u"輝度調整",
                 IDC_LUMI_OFFSET_LABEL, u"明るさ"},
        TextCase{"lumi_en", Maker<CLumiFilterDlg>(nullptr, WM_USER, 0, 0), kEnglishLocale, u"Luminance Filter",
                 IDC_LUMI_GAMMA_LABEL, u"Gamma"},
        TextCase{"volume_ja", Maker<CVolume>(nullptr), kJapaneseLocale, u"音声ボリューム", IDC_VOLUME_LABEL,
                 u"ボリューム"},
        TextCase{"volume_en", Maker<CVolume>(nullptr), kEnglishLocale, u"Aduio Volume", IDC_VOLUME_LABEL, u"Vol"},
        TextCase{"save_ja", Maker<CSaveSetDlg>(nullptr, OutputSettings{}, CString(u"Zarn")), kJapaneseLocale,
                 u"出力ファイルの保存設定", IDC_SAVE_KEY_GROUP, u"レジストリ保存位置(※再起動後有効)"},
        TextCase{"save_en", Maker<CSaveSetDlg>(nullptr, OutputSettings{}, CString(u"Zarn")), kEnglishLocale,
                 u"Save Setting", IDC_SAVE_AUDIO, u"Audio Setting Dlg...(&S)"},
        TextCase{"batch_ja", Maker<CBatEncodeDlg>(nullptr, WM_USER, WM_USER + 1), kJapaneseLocale, u"バッチ処理",
                 IDC_BAT_TRAY, u"タスクトレイへ(&T)"},
        TextCase{"batch_en", Maker<CBatEncodeDlg>(nullptr, WM_USER, WM_USER + 1), kEnglishLocale,
                 u"Please put the project file in the list.", IDC_BAT_INSTRUCTION,
                 u"Please put the project file in the list. (Drag && Drop OK)"},
        TextCase{"vob_ja", Maker<CVobListDlg>(nullptr, CStringArray(), CString()), kJapaneseLocale,
                 u"分割VOBファイルをリストに入れてください", IDC_VOB_UP, u"上へ↑(&U)"},
        TextCase{"vob_en", Maker<CVobListDlg>(nullptr, CStringArray(), CString()), kEnglishLocale,
                 u"Please put division VOB file in the list.", IDC_VOB_FOLDER, u"Folder(&F)"},
        TextCase{"mp3_ja", Maker<CMP3SetDlg>(nullptr, CAudioInfo()), kJapaneseLocale,
                 u"MP3 Encoder設定(MP3/Layer-3 WAV)", IDC_MP3_CBR_LABEL, u"MPEG1 Layer3(CBR)　ビットレート"},
        TextCase{"mp3_en", Maker<CMP3SetDlg>(nullptr, CAudioInfo()), kEnglishLocale,
                 u"Setting MP3 Encoder(MP3/Layer-3 WAV)", IDC_MP3_VBR_GROUP, u"Setting VBR Encode"},
        TextCase{"wma_ja", Maker<CWMASetDlg>(nullptr, CAudioInfo()), kJapaneseLocale, u"WMA(MS-AUDIO)設定",
                 IDC_WMA_TWOPASS, u"2パスでエンコする(PRX)(&C)"},
        TextCase{"wma_en", Maker<CWMASetDlg>(nullptr, CAudioInfo()), kEnglishLocale, u"Setting WMA(MS-AUDIO)",
                 IDC_WMA_NOTE, u"You can make PRX by WindowsMediaEncoder9-OptionSoft\"Profile Edior\""}),
    [](const ::testing::TestParamInfo<TextCase>& info) { return std::string(info.param.name); });

} // namespace

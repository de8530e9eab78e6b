#include "foundation/error_message.h"

#include "resources/string_table.h"
#include "tests/support/cstring_printer.h"
#include "tests/support/scoped_locale.h"

#include <gtest/gtest.h>

namespace {

struct Message {
    int error;
    const char16_t* japanese;
    const char16_t* english;
};

// Every number with a message of its own, both texts exactly as the user reads them.
constexpr Message kMessages[] = {
    {-42, u"バッファオーバーしました", u"Buffer over"},
    {-41, u"ID3タグに対応していません", u"It doesn't correspond to the ID3 tag."},
    {-6, u"対応していない拡張子です。", u"It is an extension that doesn't correspond."},
    {-5, u"ファイルが開きません。", u"The file doesn't open."},
    {-4, u"例外発生。メモリ不足。出力先にファイルが作成できない等",
     u"Exception generation. Memory shortage. The file cannot be made at the output destination. etc..."},
    {-3, u"対応していないファイル形式です。", u"It is a file format that doesn't correspond."},
    {-1, u"フレームを取得できませんでした", u"The frame was not able to be acquired."},
    {103, u"保存エラー\nもしくわキャンセル\nもしくわ出力パスが悪いみたい?",
     u"Preservation error \n or cancellation \n or the output path is bad."},
    {501, u"メモリが不足しています。", u"Memory shortage"},
    {502, u"出力エラー", u"Output error"},
    {601, u"画像ファイルが開きません", u"The picture file doesn't open."},
    {602, u"入力画像フォルダを指定してください", u"Please specify the input image folder."},
    {603, u"入力画像フォルダに画像がありません", u"There is no image in the input image folder."},
    {701, u"ファイルが開きませんでした。", u"The file doesn't open."},
    {702, u"ファイルから情報を取得できませんでした", u"Information was not able to be acquired from the file."},
    {703, u"ファイルから色データを取得できませんでした", u"The color data was not able to be acquired from the file."},
    {800, u"MPEG2ソースからデコードされた音声データサイズがゼロ以下です。デコードに失敗した模様",
     u"Audio data size decoded from MPEG2 is 0 or less. It seems Decodeding failure."},
    {802, u"WMA作成初期化を失敗しました", u"It failed in the WMA making initialization."},
    {803, u"対応していないプロファイルです", u"It is a profile that doesn't correspond."},
    {806, u"システムインデックスがありません。", u"There is no system index."},
    {807, u"最後の書き込み処理を失敗", u"It fails in the last writing processing."},
    {808, u"出力失敗", u"Output failure"},
    {809, u"ストリーム書き込み失敗", u"Stream writing failure"},
    {810, u"VBR初期処理失敗", u"VBR initial processing failure"},
    {811, u"VBRストリーム書き込み失敗", u"VBR writing stream failure"},
    {812, u"1パス目最終処理の失敗", u"PRX reading failure"},
    {813, u"1パス目最終処理の失敗", u"Failure of the first passing finality processing"},
    {814, u"2パスでエンコしないといけないプロファイルです(音声)",
     u"It is a profile that should be Encorded by two passing. (Audio)"},
    {815, u"音声のバッファサイズがマイナスです", u"The size of the buffer of the voice is a minus."},
    {840, u"Mpeg Audioファイルではありません", u"It is not Mpeg Audio file."},
    {841, u"Mpeg Audioファイルのデコード失敗", u"Decode failure of Mpeg Audio file"},
    {901, u"音声書き込み失敗", u"Voice writing failure"},
    {911, u"ACMオープン失敗", u"ACM opening failure"},
    {915,
     u"対応しいてないファイル形式のようです。\nDirectShowフィルター等を入れてみてください。\nもしくわ音声なしのファイル"
     u"ですか?",
     u"The file format is not correspondence. \nPlease put the DirectShow filter etc. \nIs this file Audio file?"},
    {1002, u"ファイルオープン失敗", u"File opening failure"},
    {1003, u"ファイル情報取得失敗", u"File information acquisition failure"},
    {1004, u"ストリーム取得失敗", u"Stream acquisition failure"},
    {1005, u"ストリーム情報取得失敗", u"Stream information acquisition failure"},
    {1006, u"ビデオがありません\nそれともDV形式でしょうか?",
     u"There is no Video-Stream \n or Is this file DV-Format?\""},
    {1007, u"ストリーム読込失敗", u"Stream reading failure"},
    {1009, u"ストリームフォーマット取得失敗", u"Stream format acquisition failure"},
    {1107, u"音声ストリーム読込失敗", u"Audio stream reading failure"},
    {1201, u"音声ストリームがありません\nそれともDV形式でしょうか?",
     u"There is no Audio-Stream \n or Is this file DV-Format?"},
    {2001, u"保存先のファイルを作成できません。", u"Save Error.  I can't make file."},
    {2002, u"コーデック選択でエラーがおきました", u"The error put it by the codec selection."},
    {2003, u"映像ストリーム作成で失敗しました", u"It failed because of the Video stream making."},
    {2004, u"コーデック設定で失敗しました", u"It failed because of the codec setting."},
    {2005, u"フォーマット設定で失敗しました。縦横サイズがサポート外か", u"It failed because of the format setting."},
    {2006, u"ストリームを書込で失敗しました", u"It failed because of the writing stream."},
    {2105, u"音声ストリーム情報を取得できません", u"Audio stream information acquisition failure.\""},
    {2107, u"音声ストリーム読込で失敗しました。正しいVFW仕様で作成されていない模様",
     u"It failed because of the Audio stream reading."},
    {2109, u"音声ストリーム設定読込で失敗しました", u"It was failed at Audio stream setting and reading."},
    {2115, u"音声ストリーム書き込み失敗", u"Audio stream writing failure"},
    {2201, u"圧縮フレームスタート設定を失敗しました", u"It failed in the compression frame start setting."},
    {2202, u"圧縮フレーム作成失敗", u"Compression frame making failure"},
    {3001, u"対応していない(インストールされていない)バージョンでした。別のバージョンでエンコードしてください。",
     u"It was a version that did not correspond.(It was a version not installed.) Please encode by another version"},
    {3002, u"出力を失敗しました", u"It failed in the output."},
    {3003, u"ヘッダー作成で失敗しました。縦横サイズがサポート外か", u"It failed because of the header making."},
    {3004, u"PRX読込失敗", u"PRX reading failure"},
    {3005, u"2Pass初期設定失敗", u"2Pass initialization failure"},
    {3007, u"1Pass目最終処理失敗", u"1Pass finality processing failure"},
    {3008, u"ストリーム書き込み失敗", u"Stream writing failure"},
    {4001, u"プラグイン処理失敗", u"Plug-in processing failure"},
    {4002, u"ファイル情報を取得できませんでした", u"The file information was not able to be acquired."},
    {4003, u"ストリーム情報を取得できませんでした", u"Stream information was not able to be acquired."},
    {4004, u"映像がありません", u"There is no Video."},
    {5003, u"ファイルをロードできない", u"The file cannot be loaded."},
    {5004, u"動かない", u"It doesn't move."},
    {5006, u"コネクトできない", u"It is not possible to connect it."},
    {5007, u"レンダーできない", u"It can't Rendering."},
    {5008, u"DirectShowの問題あり", u"There is a problem of DirectShow."},
    {6001, u"ファイルをオープンできません。", u"The file doesn't open."},
    {6002, u"ファイルを読めませんでした", u"It was not possible to read a file."},
    {6004, u"WAVでありません", u"It is not WAV."},
    {6005, u"16ビット2チャンネルのPCMでありません", u"It is not PCM of 16 bit two channel."},
    {6006, u"出力ファイルを作成できません", u"The output file cannot be made."},
    {6100, u"AVIハンドラがおかしいです", u"AVI handler is amusing."},
    {8001, u"WMVとしてファイルをオープンできない", u"The file cannot be opened as WMV."},
    {8201, u"WMVをオープンできません", u"WMV cannot be opened."},
    {8202, u"コーデック読み込み処理失敗", u"Codec reading processing failure"},
    {8203, u"処理失敗", u"Processing failure"},
    {8204, u"情報取得失敗", u"Information acquisition failure"},
    {8205, u"情報設定失敗", u"Information setting failure"},
    {8301, u"エンコ初期処理を失敗", u"It fails in Enc initial processing."},
    {8302, u"出力ファイル作成失敗", u"Output file making failure"},
    {9001, u"ファイルのオープン失敗", u"Open failure of file\n"},
    {9002, u"ファイルの書き込みオープン失敗", u"Writing opening failure of file"},
    {9003, u"ファイルシーク失敗", u"File seek failure"},
    {9004, u"ファイル位置取得失敗", u"File position acquisition failure"},
    {9005, u"ファイル読み込み失敗", u"File reading failure"},
    {9006, u"AVI作成オープン処理失敗", u"AVI making opening processing failure"},
    {9010, u"ヘッダー読み込み失敗", u"Header reading failure"},
    {9011, u"FLVファイルではありません", u"It is not FLV file. "},
    {9012, u"ビデオまたはオーディオがありません", u"There is no video or nor audio. "},
    {9013, u"タグ読み込み失敗", u"Tag reading failure"},
    {9014, u"FLVの中身がおかしいです", u"Contents of FLV are amusing. "},
    {9015, u"音声のサイズが異常です", u"The size of the voice is abnormal."},
    {9016, u"ビデオのサイズが異常です", u"The size of the video is abnormal."},
    {9017, u"ヘッダー書き込み失敗", u"Header writing failure\n"},
    {9018, u"タグサイズ書き込み失敗", u"Writing size of tag failure\n"},
    {9019, u"メタデータ書き込み失敗", u"Meta data writing failure\n"},
    {9020, u"タグ書き込み失敗", u"Tag writing failure\n"},
    {9021, u"フォーマットが違います", u"The format is different."},
    {9022, u"タイムスタンプが異常です", u"The time stamp is abnormal. "},
    {9023, u"ビデオタグがありません", u"There is no video tag. \n"},
    {9024, u"オーディオタグがありません", u"There is no audio tag. \n"},
    {9025, u"対応していない形式です", u"It is a form that doesn't correspond. \n"},
};

CString Japanese(int error)
{
    ScopedLocale locale(kJapaneseLocale);
    return GetErrorMessage(error);
}

CString English(int error)
{
    ScopedLocale locale(kEnglishLocale);
    return GetErrorMessage(error);
}

} // namespace

TEST(ErrorMessage, EveryNumberHasItsOwnTextInBothLanguages)
{
    ASSERT_EQ(std::size(kMessages), 107u);
    for (const Message& m : kMessages) {
        EXPECT_EQ(Japanese(m.error), CString(m.japanese)) << m.error;
        EXPECT_EQ(English(m.error), CString(m.english)) << m.error;
    }
}

TEST(ErrorMessage, NothingToShowForSuccessAndCancel)
{
    for (int error : {0, -2}) {
        EXPECT_TRUE(Japanese(error).IsEmpty()) << error;
        EXPECT_TRUE(English(error).IsEmpty()) << error;
    }
}

TEST(ErrorMessage, AnyOtherNumberIsOtherErrors)
{
    for (int error : {1, -43, -7, 100, 504, 600, 801, 1000, 6003, 9026, 43101, INT32_MIN, INT32_MAX}) {
        EXPECT_EQ(Japanese(error), CString(u"その他のエラー")) << error;
        EXPECT_EQ(English(error), CString(u"Other Errors")) << error;
    }
}

TEST(ErrorMessage, PairsThatLieOutOfOrderOrShareTexts)
{
    EXPECT_EQ(English(6004), CString(u"It is not WAV."));
    EXPECT_EQ(English(6005), CString(u"It is not PCM of 16 bit two channel."));
    EXPECT_EQ(English(812), CString(u"PRX reading failure"));
    EXPECT_EQ(Japanese(812), CString(u"1パス目最終処理の失敗"));
    EXPECT_EQ(English(9001), CString(u"Open failure of file\n"));
    EXPECT_EQ(English(1006).Right(2), CString(u"?\""));
}

TEST(ErrorMessage, UnusedIdentifiersHoldASingleSpace)
{
    for (UINT id = 43273; id <= 43290; ++id) {
        ASSERT_NE(FindResourceString(id), nullptr) << id;
        EXPECT_EQ(CString(FindResourceString(id)), CString(u" ")) << id;
    }
}

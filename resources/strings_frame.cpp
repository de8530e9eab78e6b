// Texts of the main window: the document template's texts, the application's title, the status
// bar's idle and file-name texts, the frame-rate dialog's language pairs, and each command's
// status-bar prompt and tool tip (before and after the line feed; Japanese only).
#include "resources/string_table.h"

#include <array>

namespace {

constexpr std::array kFrame = {
    StringResource{128, u"Torvina\n\nTorvin\n\n\nTorvina.Document\nTorvin Document"},
    StringResource{10001, u"フレームレート数指定"},
    StringResource{10002, u"Setting FrameRate"},
    StringResource{10003, u"出力設定"},
    StringResource{10004, u"Setting Output"},
    StringResource{10005, u"%1 から %2 までの数値を入力してください。"},
    StringResource{10006, u"Please enter a number between %1 and %2."},
    StringResource{32731, u"クリッピング + リサイズ\n拡縮"},
    StringResource{32771, u"25%\n25%"},
    StringResource{32772, u"50%\n50%"},
    StringResource{32773, u"100%\n100%"},
    StringResource{32774, u"150%\n150%"},
    StringResource{32775, u"200%\n200%"},
    StringResource{32776, u"400%\n400%"},
    StringResource{32780, u"タスク優先度高\nタスク優先度高"},
    StringResource{32781, u"タスク優先度普通\nタスク優先度普通"},
    StringResource{32782, u"タスク優先度低\nタスク優先度低"},
    StringResource{32791, u"再生\n再生"},
    StringResource{32793, u"一時停止\n一停"},
    StringResource{32809, u"表示しない\n表示しない"},
    StringResource{32810, u"間引く\n間引く"},
    StringResource{32811, u"全表示\n全表示"},
    StringResource{32840, u"元絵の表示\n元絵の表示"},
    StringResource{32870, u"終端に移動\n終端に移動"},
    StringResource{32871, u"次のフレームに移動\n次"},
    StringResource{32872, u"前のフレームに移動\n前"},
    StringResource{32873, u"始端に移動\n始端に移動"},
    StringResource{32874, u"停止\n停止"},
    StringResource{32901, u"JPG\nJPG"},
    StringResource{32902, u"BMP\nBMP"},
    StringResource{32903, u"TIF\nTIF"},
    StringResource{32904, u"PNG\nPNG"},
    StringResource{32910, u"再生時にAVI作成\nAVI"},
    StringResource{32911, u"再生時にWMV作成\nWMV"},
    StringResource{32912, u"出力設定\n設定"},
    StringResource{57344, u"Torvina"},
    StringResource{57345, u"Are You Ready?"},
    StringResource{57601, u"入力画像フォルダの設定\n開く"},
    StringResource{57664, u"バージョン情報\nバージョン情報"},
    StringResource{57670, u"ヘルプ\nヘルプ"},
    StringResource{61447, u"FileName"},
};

} // namespace

std::span<const StringResource> FrameStrings() { return kFrame; }

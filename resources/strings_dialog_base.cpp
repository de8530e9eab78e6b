// Texts that every dialog's base shows: the system menu's About command and the balloon of the
// tray icon, Japanese at N, English at N + 1.
#include "resources/string_table.h"

#include <array>

namespace {

constexpr std::array kDialogBase = {
    StringResource{43381, u"バージョン情報"},
    StringResource{43382, u"About"},
    StringResource{43383, u"お知らせ"},
    StringResource{43384, u"Info"},
    StringResource{43385, u"タスクトレイに格納しました"},
    StringResource{43386, u"In the TaskTray"},
};

} // namespace

std::span<const StringResource> DialogBaseStrings() { return kDialogBase; }

#include "resources/menus.h"

#include "platform/afx/cframewnd.h"
#include "platform/win/ui_types.h"
#include "resources/resource_ids.h"

#include <array>

namespace {

using Item = MenuItemResource;

constexpr Item Command(UINT id, LPCWSTR text) { return {MF_STRING, id, text}; }
constexpr Item Separator() { return {MF_SEPARATOR, 0, nullptr}; }
template <std::size_t N>
constexpr Item Popup(LPCWSTR text, const std::array<Item, N>& items)
{
    return {MF_POPUP, 0, text, items.data(), N};
}

// ---- Japanese menu 128 ----

constexpr std::array kJaFolder = {Command(ID_OPEN_FOLDER, u"1.入力画像フォルダの選択(&I)")};
constexpr std::array kJaInputType = {
    Command(ID_INPUT_JPG, u"JPG(&J)"),
    Command(ID_INPUT_BMP, u"BMP(&B)"),
    Command(ID_INPUT_TIF, u"TIF(&T)"),
    Command(ID_INPUT_PNG, u"PNG(&P)"),
};
constexpr std::array kJaOutput = {
    Command(ID_MAKE_AVI, u"再生時にAVI作成(&A)"),
    Command(ID_MAKE_WMV, u"再生時にWMV作成(&W)"),
    Separator(),
    Command(ID_OUTPUT_SETTING, u"出力設定...(&S)"),
};
constexpr std::array kJaPlay = {
    Command(ID_PLAY, u"再生\tCtrl+P"),
    Command(ID_PAUSE, u"一時停止\tSpace"),
    Command(ID_STOP, u"停止\tCtrl+S"),
    Separator(),
    Command(ID_MOVE_FIRST, u"始端に移動(&S)"),
    Command(ID_MOVE_LAST, u"終端に移動(&E)"),
    Command(ID_MOVE_PREV, u"前のフレームに移動\t←"),
    Command(ID_MOVE_NEXT, u"次のフレームに移動\t→"),
};
constexpr std::array kJaFilter = {Command(ID_CLIP_RESIZE, u"クリッピング + リサイズ...\tCtrl+R")};
constexpr std::array kJaPreview = {
    Command(ID_DISPLAY_ALL, u"全表示"),
    Command(ID_DISPLAY_THIN, u"間引く"),
    Command(ID_DISPLAY_NONE, u"表示しない"),
};
constexpr std::array kZoom = {
    Command(ID_ZOOM_400, u"400%"), Command(ID_ZOOM_200, u"200%"), Command(ID_ZOOM_150, u"150%"),
    Command(ID_ZOOM_100, u"100%"), Command(ID_ZOOM_50, u"50%"),   Command(ID_ZOOM_25, u"25%"),
};
constexpr std::array kJaPriority = {
    Command(ID_PRIORITY_HIGH, u"高い"),
    Command(ID_PRIORITY_NORMAL, u"通常"),
    Command(ID_PRIORITY_LOW, u"低い"),
};
constexpr std::array kJaToolbars = {Command(ID_VIEW_TOOLBAR, u"プレースホルダ")};
constexpr std::array kJaOffice2007 = {
    Command(ID_VIEW_APPLOOK_OFF_2007_BLUE, u"ブルー スタイル(&B)"),
    Command(ID_VIEW_APPLOOK_OFF_2007_BLACK, u"ブラック スタイル(&L)"),
    Command(ID_VIEW_APPLOOK_OFF_2007_SILVER, u"シルバー スタイル(&S)"),
    Command(ID_VIEW_APPLOOK_OFF_2007_AQUA, u"アクア スタイル(&A)"),
};
constexpr std::array kJaLook = {
    Command(ID_VIEW_APPLOOK_WIN_2000, u"Windows 2000(&2)"),
    Command(ID_VIEW_APPLOOK_OFF_XP, u"Office XP(&X)"),
    Command(ID_VIEW_APPLOOK_WIN_XP, u"Windows XP(&W)"),
    Command(ID_VIEW_APPLOOK_OFF_2003, u"Office 2003(&3)"),
    Command(ID_VIEW_APPLOOK_VS_2005, u"Visual Studio .NET 2005(&5)"),
    Popup(u"Office 2007(&7)", kJaOffice2007),
};
constexpr std::array kJaView = {
    Popup(u"ツール バーとドッキング ウィンドウ(&T)", kJaToolbars),
    Command(ID_VIEW_STATUS_BAR, u"ステータス バー(&S)"),
    Popup(u"アプリケーションの外観(&A)", kJaLook),
};
constexpr std::array kJaOther = {
    Command(ID_SHOW_SOURCE, u"元絵の表示...(&O)"),
    Popup(u"プレビュー表示", kJaPreview),
    Popup(u"プレビュー倍率", kZoom),
    Popup(u"タスク優先度", kJaPriority),
    Popup(u"表示(&V)", kJaView),
    Separator(),
};
constexpr std::array kJaHelp = {
    Command(ID_APP_ABOUT, u"Torvina のバージョン情報(&A)..."),
    Command(ID_HELP, u"ヘルプ\tF1"),
};
constexpr std::array kJapanese = {
    Popup(u"1.入力画像フォルダの設定(&I)", kJaFolder),
    Popup(u"2.読込画像拡張子(&K)", kJaInputType),
    Popup(u"3.出力項目設定(&O)", kJaOutput),
    Popup(u"4.画像読込(&R)", kJaPlay),
    Popup(u"フィルター(&K)", kJaFilter),
    Popup(u"その他(&S)", kJaOther),
    Popup(u"ヘルプ(&H)", kJaHelp),
};

// ---- English menu 129 ----

constexpr std::array kEnFolder = {Command(ID_OPEN_FOLDER, u"1.Open Folder(&I)")};
constexpr std::array kEnInputType = {
    Command(ID_INPUT_JPG, u"JPG"),
    Command(ID_INPUT_BMP, u"BMP"),
    Command(ID_INPUT_TIF, u"TIF"),
    Command(ID_INPUT_PNG, u"PNG"),
};
constexpr std::array kEnOutput = {
    Command(ID_MAKE_AVI, u"Output AVI, when playing"),
    Command(ID_MAKE_WMV, u"Output WMV, when playing"),
    Separator(),
    Command(ID_OUTPUT_SETTING, u"Setting"),
};
constexpr std::array kEnPlay = {
    Command(ID_PLAY, u"Play\tCtrl+P"),
    Command(ID_PAUSE, u"Pause\tSpace"),
    Command(ID_STOP, u"Stop\tCtrl+S"),
};
constexpr std::array kEnFilter = {Command(ID_CLIP_RESIZE, u"Clipping + Resize...\tCtrl+R")};
constexpr std::array kEnPreview = {
    Command(ID_DISPLAY_ALL, u"All"),
    Command(ID_DISPLAY_THIN, u"thins"),
    Command(ID_DISPLAY_NONE, u"No"),
};
constexpr std::array kEnPriority = {
    Command(ID_PRIORITY_HIGH, u"High"),
    Command(ID_PRIORITY_NORMAL, u"Normal"),
    Command(ID_PRIORITY_LOW, u"Low"),
};
constexpr std::array kEnToolbars = {Command(ID_VIEW_TOOLBAR, u"Placeholder")};
constexpr std::array kEnOffice2007 = {
    Command(ID_VIEW_APPLOOK_OFF_2007_BLUE, u"Blue(&B)"),
    Command(ID_VIEW_APPLOOK_OFF_2007_BLACK, u"Black(&L)"),
    Command(ID_VIEW_APPLOOK_OFF_2007_SILVER, u"Silver(&S)"),
    Command(ID_VIEW_APPLOOK_OFF_2007_AQUA, u"Aqua(&A)"),
};
constexpr std::array kEnLook = {
    Command(ID_VIEW_APPLOOK_WIN_2000, u"Windows 2000(&2)"),
    Command(ID_VIEW_APPLOOK_OFF_XP, u"Office XP(&X)"),
    Command(ID_VIEW_APPLOOK_WIN_XP, u"Windows XP(&W)"),
    Command(ID_VIEW_APPLOOK_OFF_2003, u"Office 2003(&3)"),
    Command(ID_VIEW_APPLOOK_VS_2005, u"Visual Studio .NET 2005(&5)"),
    Popup(u"Office 2007(&7)", kEnOffice2007),
};
constexpr std::array kEnView = {
    Popup(u"Toolbar && Docking WindowT)", kEnToolbars),
    Command(ID_VIEW_STATUS_BAR, u"Status bar(&S)"),
    Popup(u"Skin(&A)", kEnLook),
};
constexpr std::array kEnOther = {
    Command(ID_SHOW_SOURCE, u"Display of former picture...\tCtrl+V"),
    Popup(u"Preview", kEnPreview),
    Popup(u"Preview magnification", kZoom),
    Popup(u"Task priority", kEnPriority),
    Popup(u"View(&V)", kEnView),
    Separator(),
};
constexpr std::array kEnHelp = {
    Command(ID_APP_ABOUT, u"Torvina Version Info(&A)..."),
    Command(ID_HELP, u"Help\tF1"),
};
constexpr std::array kEnglish = {
    Popup(u"1.Setting Img-Folder(I)", kEnFolder),
    Popup(u"2.Reading Extention(&K)", kEnInputType),
    Popup(u"3.Output Setting(&O)", kEnOutput),
    Popup(u"4.Play(&R)", kEnPlay),
    Popup(u"Filter(&K)", kEnFilter),
    Popup(u"other(&S)", kEnOther),
    Popup(u"Help(&H)", kEnHelp),
};

// ---- context menus 140 and 141 of the view ----

constexpr std::array kJaContextTypes = {
    Command(ID_INPUT_JPG, u"JPG"),
    Command(ID_INPUT_BMP, u"BMP"),
    Command(ID_INPUT_TIF, u"TIF"),
    Command(ID_INPUT_PNG, u"PNG"),
};
constexpr std::array kJaContextItems = {
    Popup(u"プレビュー倍率", kZoom),
    Popup(u"読込画像拡張子", kJaContextTypes),
    Separator(),
    Command(ID_OPEN_FOLDER, u"入力画像フォルダの設定(&I)"),
    Separator(),
    Command(ID_PLAY, u"再生\tCtrl+P"),
    Command(ID_PAUSE, u"一時停止\tSpace"),
    Command(ID_STOP, u"停止\tCtrl+S"),
};
constexpr std::array kJaContext = {Popup(u"Context", kJaContextItems)};
constexpr std::array kEnContextItems = {
    Popup(u"Preview magnification", kZoom),
    Popup(u"2.Reading Extention(&K)", kJaContextTypes),
    Separator(),
    Command(ID_OPEN_FOLDER, u"Setting Img-Folder(&I)"),
    Separator(),
    Command(ID_PLAY, u"Play\tCtrl+P"),
    Command(ID_PAUSE, u"Pause\tSpace"),
    Command(ID_STOP, u"Stop\tCtrl+S"),
};
constexpr std::array kEnContext = {Popup(u"Context", kEnContextItems)};

constexpr std::array kMenus = {
    MenuResource{IDR_MAINFRAME, kJapanese},
    MenuResource{IDR_MAINFRAME_ENGLISH, kEnglish},
    MenuResource{IDR_CONTEXT_JAPANESE, kJaContext},
    MenuResource{IDR_CONTEXT_ENGLISH, kEnContext},
};

// Only the Japanese menu's resource id has an accelerator table.
constexpr std::array kKeys = {
    AcceleratorResource{FVIRTKEY | FCONTROL, 'O', ID_OPEN_FOLDER},
    AcceleratorResource{FVIRTKEY | FCONTROL, 'P', ID_PLAY},
    AcceleratorResource{FVIRTKEY, VK_SPACE, ID_PAUSE},
    AcceleratorResource{FVIRTKEY | FCONTROL, 'S', ID_STOP},
    AcceleratorResource{FVIRTKEY, VK_LEFT, ID_MOVE_PREV},
    AcceleratorResource{FVIRTKEY, VK_RIGHT, ID_MOVE_NEXT},
    AcceleratorResource{FVIRTKEY | FCONTROL, VK_F1, ID_HELP},
};
constexpr AcceleratorTableResource kAccelerators{IDR_MAINFRAME, kKeys};

constexpr auto kButtons = std::to_array<UINT>({
    ID_OPEN_FOLDER,
    0,
    ID_PLAY,
    ID_PAUSE,
    ID_STOP,
    0,
    ID_MOVE_PREV,
    ID_MOVE_NEXT,
    0,
    ID_MAKE_AVI,
    ID_MAKE_WMV,
    0,
    ID_INPUT_JPG,
    ID_INPUT_BMP,
    ID_INPUT_TIF,
    ID_INPUT_PNG,
    0,
    ID_OUTPUT_SETTING,
    ID_CLIP_RESIZE,
    0,
    ID_HELP,
});
constexpr ToolBarResource kToolBar{IDR_MAINFRAME, 16, 15, kButtons};

} // namespace

const MenuResource* FindProgramMenu(UINT id)
{
    for (const MenuResource& menu : kMenus)
        if (menu.id == id)
            return &menu;
    return nullptr;
}

const AcceleratorTableResource* FindProgramAccelerators(UINT id)
{
    return id == kAccelerators.id ? &kAccelerators : nullptr;
}

const ToolBarResource* FindProgramToolBar(UINT id) { return id == kToolBar.id ? &kToolBar : nullptr; }

// Identifiers of the program's resources that code names. Strings and dialog templates are
// numbered where their tables stand.
#pragma once

#include "platform/win/types.h"

// The main frame's Japanese menu, accelerator table, toolbar and icon; the icon is the
// application's icon on every window.
constexpr UINT IDR_MAINFRAME = 128;
// The main frame's English menu and icon.
constexpr UINT IDR_MAINFRAME_ENGLISH = 129;

// Templates of the audio, batch, file-list, output-settings, choice and luminance dialogs.
constexpr UINT IDD_MP3SET = 40002;
constexpr UINT IDD_VOBLIST = 40004;
constexpr UINT IDD_SAVESET = 40006;
constexpr UINT IDD_STREAMKIND = 40007;
constexpr UINT IDD_LUMIFILTER = 40008;
constexpr UINT IDD_BATENCODE = 40009;
constexpr UINT IDD_WMASET = 40010;
constexpr UINT IDD_AUDIOSTREAM = 40011;
constexpr UINT IDD_EXTRACTKIND = 40013;
constexpr UINT IDD_VOLUME = 40017;
// Of the same family, opened by no code.
constexpr UINT IDD_INFO = 40003;
constexpr UINT IDD_INFO2 = 40005;
constexpr UINT IDD_VERSION = 40012;

// The WMV profile dialog's version icons.
constexpr UINT IDI_WMV_V4 = 41002;
constexpr UINT IDI_WMV_V8 = 41003;
constexpr UINT IDI_WMV_V7 = 41004;
constexpr UINT IDI_WMV_PRX = 41005;

// The player view's context menus.
constexpr UINT IDR_CONTEXT_JAPANESE = 140;
constexpr UINT IDR_CONTEXT_ENGLISH = 141;

// Input folder and type.
constexpr UINT ID_OPEN_FOLDER = 57601;
constexpr UINT ID_INPUT_JPG = 32901;
constexpr UINT ID_INPUT_BMP = 32902;
constexpr UINT ID_INPUT_TIF = 32903;
constexpr UINT ID_INPUT_PNG = 32904;
// Outputs.
constexpr UINT ID_MAKE_AVI = 32910;
constexpr UINT ID_MAKE_WMV = 32911;
constexpr UINT ID_OUTPUT_SETTING = 32912;
// Playing.
constexpr UINT ID_PLAY = 32791;
constexpr UINT ID_PAUSE = 32793;
constexpr UINT ID_STOP = 32874;
constexpr UINT ID_MOVE_FIRST = 32873;
constexpr UINT ID_MOVE_LAST = 32870;
constexpr UINT ID_MOVE_PREV = 32872;
constexpr UINT ID_MOVE_NEXT = 32871;
// Filter and other.
constexpr UINT ID_CLIP_RESIZE = 32731;
constexpr UINT ID_SHOW_SOURCE = 32840;
constexpr UINT ID_DISPLAY_ALL = 32811;
constexpr UINT ID_DISPLAY_THIN = 32810;
constexpr UINT ID_DISPLAY_NONE = 32809;
constexpr UINT ID_ZOOM_25 = 32771;
constexpr UINT ID_ZOOM_50 = 32772;
constexpr UINT ID_ZOOM_100 = 32773;
constexpr UINT ID_ZOOM_150 = 32774;
constexpr UINT ID_ZOOM_200 = 32775;
constexpr UINT ID_ZOOM_400 = 32776;
constexpr UINT ID_PRIORITY_HIGH = 32780;
constexpr UINT ID_PRIORITY_NORMAL = 32781;
constexpr UINT ID_PRIORITY_LOW = 32782;
// Looks: Windows 2000, Office XP, Windows XP, Office 2003, Visual Studio 2005, Office 2007 blue,
// black, silver and aqua.
constexpr UINT ID_VIEW_APPLOOK_FIRST = 40001;
constexpr UINT ID_VIEW_APPLOOK_WIN_2000 = 40001;
constexpr UINT ID_VIEW_APPLOOK_OFF_XP = 40002;
constexpr UINT ID_VIEW_APPLOOK_WIN_XP = 40003;
constexpr UINT ID_VIEW_APPLOOK_OFF_2003 = 40004;
constexpr UINT ID_VIEW_APPLOOK_VS_2005 = 40005;
constexpr UINT ID_VIEW_APPLOOK_OFF_2007_BLUE = 40006;
constexpr UINT ID_VIEW_APPLOOK_OFF_2007_BLACK = 40007;
constexpr UINT ID_VIEW_APPLOOK_OFF_2007_SILVER = 40008;
constexpr UINT ID_VIEW_APPLOOK_OFF_2007_AQUA = 40009;
constexpr UINT ID_VIEW_APPLOOK_LAST = 40009;
// The customize command of the tool bar and the bars' context menu.
constexpr UINT ID_VIEW_CUSTOMIZE = 124;
// Sent to the view by its modeless windows, and the seek bar's control id.
constexpr UINT ID_VIEWER = 61449;
constexpr UINT ID_RESIZE = 61452;
constexpr UINT ID_DISPLAY = 61454;
constexpr UINT IDC_SLIDER = 61456;
// The status bar's file-name pane, and its first text.
constexpr UINT ID_INDICATOR_FILENAME = 61447;

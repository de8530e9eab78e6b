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

// The WMV profile dialog's version icons.
constexpr UINT IDI_WMV_V4 = 41002;
constexpr UINT IDI_WMV_V8 = 41003;
constexpr UINT IDI_WMV_V7 = 41004;
constexpr UINT IDI_WMV_PRX = 41005;

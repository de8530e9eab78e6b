// Control identifiers of the audio, batch, file-list, output-settings, choice and luminance
// dialogs; their template identifiers stand in resource_ids.h.
#pragma once

#include "resources/resource_ids.h"

// MP3 settings.
constexpr int IDC_MP3_CHANNEL_LABEL = 42060;
constexpr int IDC_MP3_CHANNEL = 42044;
constexpr int IDC_MP3_CBR_LABEL = 42021;
constexpr int IDC_MP3_CBR = 42040;
constexpr int IDC_MP3_VBR_CHECK = 42008;
constexpr int IDC_MP3_VBR_GROUP = 42013;
constexpr int IDC_MP3_QUALITY_LABEL = 42015;
constexpr int IDC_MP3_QUALITY = 42011;
constexpr int IDC_MP3_VBR_LABEL = 42017;
constexpr int IDC_MP3_VBR = 42049;

// WMA settings.
constexpr int IDC_WMA_VERSION_LABEL = 42041;
constexpr int IDC_WMA_VERSION = 42080;
constexpr int IDC_WMA_VERSION_AFTER = 42045;
constexpr int IDC_WMA_TWOPASS = 42027;
constexpr int IDC_WMA_BITRATE_LABEL = 42051;
constexpr int IDC_WMA_V4_LABEL = 42069;
constexpr int IDC_WMA_V4 = 42053;
constexpr int IDC_WMA_V7_LABEL = 42064;
constexpr int IDC_WMA_V7 = 42037;
constexpr int IDC_WMA_PRX_LABEL = 42072;
constexpr int IDC_WMA_PRX = 42150;
constexpr int IDC_WMA_PRX_BROWSE = 42024;
constexpr int IDC_WMA_NOTE = 42075;

// Volume.
constexpr int IDC_VOLUME_LABEL = 42152;
constexpr int IDC_VOLUME = 42151;

// Batch encoding.
constexpr int IDC_BAT_INSTRUCTION = 42153;
constexpr int IDC_BAT_LIST = 42014;
constexpr int IDC_BAT_ADD = 42023;
constexpr int IDC_BAT_DELETE = 42020;
constexpr int IDC_BAT_TRAY = 42028;
constexpr int IDC_BAT_END_LABEL = 42081;
constexpr int IDC_BAT_END_ACTION = 42025;
constexpr int IDC_BAT_START = 42006;
constexpr int IDC_BAT_STOP = 42018;

// MPEG-2 file list.
constexpr int IDC_VOB_INSTRUCTION = 42153;
constexpr int IDC_VOB_LIST = 42005;
constexpr int IDC_VOB_ADD = 42029;
constexpr int IDC_VOB_DELETE = 42019;
constexpr int IDC_VOB_UP = 42055;
constexpr int IDC_VOB_DOWN = 42036;
constexpr int IDC_VOB_FOLDER = 42068;
constexpr int IDC_VOB_RESET = 42083;

// Output settings.
constexpr int IDC_SAVE_FOLDER_GROUP = 42104;
constexpr int IDC_SAVE_FOLDER = 42004;
constexpr int IDC_SAVE_BROWSE = 42001;
constexpr int IDC_SAVE_QUALITY_GROUP = 42105;
constexpr int IDC_SAVE_QUALITY = 42016;
constexpr int IDC_SAVE_QUALITY_SPIN = 42003;
constexpr int IDC_SAVE_INTERVAL_GROUP = 42115;
constexpr int IDC_SAVE_INTERVAL = 42007;
constexpr int IDC_SAVE_INTERVAL_AFTER = 42110;
constexpr int IDC_SAVE_AUDIO_GROUP = 42112;
constexpr int IDC_SAVE_AUDIO = 42035;
constexpr int IDC_SAVE_INTERLACE_GROUP = 42108;
constexpr int IDC_SAVE_INTERLACE = 42030;
constexpr int IDC_SAVE_OVERWRITE_GROUP = 42117;
constexpr int IDC_SAVE_OVERWRITE = 42033;
constexpr int IDC_SAVE_KEY_GROUP = 42120;
constexpr int IDC_SAVE_KEY = 42009;

// Stream kind.
constexpr int IDC_STREAM_VIDEO = 42062;
constexpr int IDC_STREAM_VIDEO_AUDIO = 42065;
constexpr int IDC_STREAM_NOTE = 42047;

// Extraction kind.
constexpr int IDC_EXTRACT_SOURCE = 42089;
constexpr int IDC_EXTRACT_WAV = 42093;
constexpr int IDC_EXTRACT_WMA = 42096;

// Audio stream handling.
constexpr int IDC_AUDIO_RECOMPRESS = 42087;
constexpr int IDC_AUDIO_COPY = 42090;
constexpr int IDC_AUDIO_NONE = 42094;

// Luminance filter.
constexpr int IDC_LUMI_GAMMA_LABEL = 42128;
constexpr int IDC_LUMI_GAMMA = 42002;
constexpr int IDC_LUMI_GAMMA_VALUE = 42076;
constexpr int IDC_LUMI_OFFSET_LABEL = 42130;
constexpr int IDC_LUMI_OFFSET = 42074;
constexpr int IDC_LUMI_OFFSET_VALUE = 42079;

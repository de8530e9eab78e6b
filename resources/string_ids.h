// Names of the language pairs that code loads: each constant is the Japanese text's odd
// identifier, and the English text follows at the next one. Grouped as the strings_<group>.cpp
// tables are, and numbered where those tables stand.
#pragma once

#include "platform/win/types.h"

namespace strings {

// strings_status.cpp: the player's and the main frame's status and prompt texts.
constexpr UINT kStatusPause = 43041;
constexpr UINT kStatusStop = 43043;
constexpr UINT kStatusMake = 43045;
constexpr UINT kStatusFirstPass = 43047;
constexpr UINT kStatusPlay = 43049;
constexpr UINT kSavedToFile = 43051; // takes the path for %s
constexpr UINT kStopPrompt = 43053;
constexpr UINT kSlash = 43065;
constexpr UINT kStandardToolbar = 43069;
constexpr UINT kCustomize = 43071;

// strings_errors.cpp: the messages of the error numbers stand in GetErrorMessage's table; this
// one answers every number without a message of its own.
constexpr UINT kOtherErrors = 43271;

// strings_frame.cpp: the frame-rate dialog.
constexpr UINT kFrameRateLabel = 10001;
constexpr UINT kOutputCaption = 10003;
constexpr UINT kFrameRateRange = 10005; // takes the lowest and highest rate for %1 and %2

// strings_aux_dialogs.cpp: batch encoding.
constexpr UINT kBatchInstruction = 43401;
constexpr UINT kBatchAdd = 43403;
constexpr UINT kBatchDelete = 43405;
constexpr UINT kBatchTray = 43407;
constexpr UINT kBatchStart = 43409;
constexpr UINT kBatchStop = 43411;
constexpr UINT kBatchEndLabel = 43413;
constexpr UINT kBatchCaption = 43415;
constexpr UINT kBatchEndNothing = 43417;
constexpr UINT kBatchEndShutdown = 43419;
constexpr UINT kBatchEndSuspend = 43421;
constexpr UINT kBatchEndHibernate = 43423;
constexpr UINT kBatchEndExit = 43425;

// strings_aux_dialogs.cpp: output settings.
constexpr UINT kSaveFolderGroup = 43431;
constexpr UINT kSaveQualityGroup = 43433;
constexpr UINT kSaveIntervalGroup = 43435;
constexpr UINT kSaveIntervalAfter = 43437;
constexpr UINT kSaveInterlaceGroup = 43439;
constexpr UINT kSaveAudioGroup = 43441;
constexpr UINT kSaveAudio = 43443;
constexpr UINT kSaveKeyGroup = 43445;
constexpr UINT kSaveOverwriteGroup = 43447;
constexpr UINT kSaveCaption = 43449;
constexpr UINT kSaveInterlaceNone = 43451;
constexpr UINT kSaveInterlaceOdd = 43453;
constexpr UINT kSaveInterlaceEven = 43455;
constexpr UINT kSaveInterlaceDouble = 43457;
constexpr UINT kSaveOverwrite = 43459;
constexpr UINT kSaveOverwriteNumbered = 43461;
constexpr UINT kSaveOverwriteAsk = 43463;
constexpr UINT kSaveBadKeyName = 43465;
constexpr UINT kSaveWriteFailed = 43467; // takes the file's path for %s

// strings_aux_dialogs.cpp: MPEG-2 file list.
constexpr UINT kVobInstruction = 43501;
constexpr UINT kVobAdd = 43503;
constexpr UINT kVobDelete = 43505;
constexpr UINT kVobUp = 43507;
constexpr UINT kVobDown = 43509;
constexpr UINT kVobFolder = 43511;
constexpr UINT kVobReset = 43513;
constexpr UINT kVobCaption = 43515;
constexpr UINT kVobAllFilesFilter = 43517; // a filter row of the file dialog, ending in |

// strings_aux_dialogs.cpp: WMA settings.
constexpr UINT kWmaVersionLabel = 43541;
constexpr UINT kWmaVersionAfter = 43543;
constexpr UINT kWmaBitrateLabel = 43545;
constexpr UINT kWmaV7Label = 43547;
constexpr UINT kWmaV4Label = 43549;
constexpr UINT kWmaPrxLabel = 43551;
constexpr UINT kWmaTwoPass = 43553;
constexpr UINT kWmaNote = 43555;
constexpr UINT kWmaCaption = 43557;

// strings_aux_dialogs.cpp: stream kind.
constexpr UINT kStreamVideo = 43561;
constexpr UINT kStreamVideoAudio = 43563;
constexpr UINT kStreamNote = 43565;
constexpr UINT kStreamCaption = 43567;

// strings_aux_dialogs.cpp: volume.
constexpr UINT kVolumeLabel = 43571;
constexpr UINT kVolumeCaption = 43573;

// strings_aux_dialogs.cpp: luminance filter.
constexpr UINT kLumiGammaLabel = 43601;
constexpr UINT kLumiOffsetLabel = 43603;
constexpr UINT kLumiCaption = 43605;

// strings_aux_dialogs.cpp: audio stream handling.
constexpr UINT kAudioRecompress = 43641;
constexpr UINT kAudioCopy = 43643;
constexpr UINT kAudioNone = 43645;
constexpr UINT kAudioCaption = 43647;

// strings_aux_dialogs.cpp: MP3 settings.
constexpr UINT kMp3ChannelLabel = 43671;
constexpr UINT kMp3CbrLabel = 43673;
constexpr UINT kMp3VbrCheck = 43675;
constexpr UINT kMp3VbrGroup = 43677;
constexpr UINT kMp3QualityLabel = 43679;
constexpr UINT kMp3VbrLabel = 43681;
constexpr UINT kMp3Caption = 43683; // takes the encoder's name for %s
constexpr UINT kMp3Mono = 43685;
constexpr UINT kMp3Stereo = 43687;
constexpr UINT kMp3JointStereo = 43689;
constexpr UINT kMp3MidSideStereo = 43691;
constexpr UINT kMp3DualChannel = 43693;

// strings_aux_dialogs.cpp: extraction kind.
constexpr UINT kExtractSource = 43701;
constexpr UINT kExtractWav = 43703;
constexpr UINT kExtractWma = 43705;
constexpr UINT kExtractCaption = 43707;

// strings_clip_resize.cpp.
constexpr UINT kClipGroup = 43521;
constexpr UINT kClipTop = 43523;
constexpr UINT kClipLeft = 43525;
constexpr UINT kClipRight = 43527;
constexpr UINT kClipBottom = 43529;
constexpr UINT kResizeGroup = 43531;
constexpr UINT kResizePixel = 43533;
constexpr UINT kClipClear = 43535;
constexpr UINT kClipResizeCaption = 43537;

// strings_encoder_settings.cpp: WMV profile.
constexpr UINT kWmvVersionLabel = 43581;
constexpr UINT kWmvByEnc = 43583;
constexpr UINT kWmvTwoPass = 43585;
constexpr UINT kWmvBitrateLabel = 43587;
constexpr UINT kWmvPrxLabel = 43589;
constexpr UINT kWmvPrxNote = 43591;
constexpr UINT kWmvCaption = 43593;

// strings_encoder_settings.cpp: AVI compressor.
constexpr UINT kAviCodecLabel = 43611;
constexpr UINT kAviQualityLabel = 43613;
constexpr UINT kAviKeyFrameLabel = 43615;
constexpr UINT kAviDataRateLabel = 43617;
constexpr UINT kAviFramesUnit = 43619;
constexpr UINT kAviDataRateUnit = 43621;
constexpr UINT kAviDefault = 43623;
constexpr UINT kAviConfigure = 43625;
constexpr UINT kAviAbout = 43627;
constexpr UINT kAviCaption = 43629;

// strings_dialog_base.cpp: every dialog's base.
constexpr UINT kAboutMenu = 43381;
constexpr UINT kTrayBalloonTitle = 43383;
constexpr UINT kTrayBalloonText = 43385;

} // namespace strings

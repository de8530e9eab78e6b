#include "resources/aux_dialog_templates.h"

#include "platform/win/ui_types.h"
#include "resources/aux_dialog_ids.h"

#include <array>

namespace {

constexpr LPCWSTR kFont = u"ＭＳ Ｐゴシック";
constexpr DWORD kPopup = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT;
constexpr DWORD kModal = kPopup | WS_MINIMIZEBOX | DS_MODALFRAME;

constexpr DWORD kLabel = WS_VISIBLE | SS_LEFT;
constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kDefault = WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON;
constexpr DWORD kCheck = WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kRadio = WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON;
constexpr DWORD kGroupBox = WS_VISIBLE | BS_GROUPBOX;
constexpr DWORD kDropList = WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
constexpr DWORD kEdit = WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kFileList = WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY |
                            LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
constexpr DWORD kTrackbar = WS_VISIBLE | WS_TABSTOP | TBS_AUTOTICKS;

using Item = DialogItemTemplate;

constexpr std::array kMp3SetItems = {
    Item{IDC_MP3_CHANNEL_LABEL, u"STATIC", kLabel, 0, 9, 10, 80, 8, u"Encode Type"},
    Item{IDC_MP3_CHANNEL, u"COMBOBOX", kDropList, 0, 8, 24, 83, 120, u""},
    Item{IDC_MP3_CBR_LABEL, u"STATIC", kLabel, 0, 7, 49, 115, 8, u"MPEG1 Layer3(CBR)　Bitrate"},
    Item{IDC_MP3_CBR, u"COMBOBOX", kDropList, 0, 7, 63, 83, 120, u""},
    Item{IDC_MP3_VBR_CHECK, u"BUTTON", kCheck, 0, 9, 90, 84, 10, u"Encode By VBR(&E)"},
    Item{IDC_MP3_VBR_GROUP, u"BUTTON", kGroupBox, 0, 125, 8, 127, 90, u"Setting VBR Encode"},
    Item{IDC_MP3_QUALITY_LABEL, u"STATIC", kLabel, 0, 137, 22, 112, 8, u"Quality(Height0～9Low)"},
    Item{IDC_MP3_QUALITY, u"COMBOBOX", kDropList, 0, 138, 37, 48, 101, u""},
    Item{IDC_MP3_VBR_LABEL, u"STATIC", kLabel, 0, 139, 60, 112, 8, u"MPEG2 Layer3(VBR)　Bitrate"},
    Item{IDC_MP3_VBR, u"COMBOBOX", kDropList, 0, 139, 75, 83, 120, u""},
    Item{IDOK, u"BUTTON", kDefault, 0, 148, 110, 50, 14, u"OK"},
    Item{IDCANCEL, u"BUTTON", kButton, 0, 201, 110, 50, 14, u"Cancel"},
};

constexpr std::array kWmaSetItems = {
    Item{IDC_WMA_VERSION_LABEL, u"STATIC", kLabel, 0, 8, 7, 70, 8, u"Version Set"},
    Item{IDC_WMA_VERSION, u"ComboBoxEx32", kDropList, 0, 15, 24, 59, 64, u""},
    Item{IDC_WMA_VERSION_AFTER, u"STATIC", kLabel, 0, 77, 26, 52, 8, u"By Enc"},
    Item{IDC_WMA_TWOPASS, u"BUTTON", kCheck, 0, 139, 26, 102, 10, u"2pass-Enc(PRX)(&C)"},
    Item{IDC_WMA_BITRATE_LABEL, u"STATIC", kLabel, 0, 11, 47, 100, 8, u"Set Bitrate:"},
    Item{IDC_WMA_V4_LABEL, u"STATIC", kLabel, 0, 22, 68, 72, 8, u"WMA v4 Bitrate"},
    Item{IDC_WMA_V4, u"COMBOBOX", kDropList, 0, 22, 82, 83, 120, u""},
    Item{IDC_WMA_V7_LABEL, u"STATIC", kLabel, 0, 122, 68, 72, 8, u"WMA v7 Bitrate"},
    Item{IDC_WMA_V7, u"COMBOBOX", kDropList, 0, 121, 82, 83, 120, u""},
    Item{IDC_WMA_PRX_LABEL, u"STATIC", kLabel, 0, 25, 103, 100, 8, u"Set PRX"},
    Item{IDC_WMA_PRX, u"EDIT", kEdit | ES_READONLY, 0, 23, 116, 189, 14, u""},
    Item{IDC_WMA_PRX_BROWSE, u"BUTTON", kButton, 0, 211, 116, 19, 14, u"...(&B)"},
    Item{IDC_WMA_NOTE, u"STATIC", kLabel, 0, 29, 139, 194, 27, u""},
    Item{IDOK, u"BUTTON", kDefault, 0, 135, 167, 50, 14, u"OK"},
    Item{IDCANCEL, u"BUTTON", kButton, 0, 188, 167, 50, 14, u"cancel"},
};

constexpr std::array kVolumeItems = {
    Item{IDC_VOLUME_LABEL, u"STATIC", kLabel, 0, 10, 24, 61, 8, u"Vol"},
    Item{IDC_VOLUME, u"EDIT", kEdit, 0, 26, 39, 65, 14, u""},
    Item{IDC_STATIC, u"STATIC", kLabel, 0, 96, 43, 33, 8, u"%"},
    Item{IDOK, u"BUTTON", kDefault, 0, 96, 72, 50, 14, u"OK"},
};

constexpr std::array kBatEncodeItems = {
    Item{IDC_BAT_INSTRUCTION, u"STATIC", kLabel, 0, 7, 9, 220, 8, u""},
    Item{IDC_BAT_LIST, u"LISTBOX", kFileList, 0, 7, 26, 221, 116, u""},
    Item{IDC_BAT_ADD, u"BUTTON", kButton, 0, 7, 152, 54, 14, u"File addition(&A)"},
    Item{IDC_BAT_DELETE, u"BUTTON", kButton, 0, 63, 152, 54, 14, u"File Delete(&D)"},
    Item{IDC_BAT_TRAY, u"BUTTON", kButton, 0, 175, 152, 54, 14, u"TaskTray(&T)"},
    Item{IDC_BAT_END_LABEL, u"STATIC", kLabel, 0, 7, 169, 220, 8, u"Operation when batch processing ends"},
    Item{IDC_BAT_END_ACTION, u"COMBOBOX", kDropList, 0, 9, 180, 107, 120, u""},
    Item{IDC_BAT_START, u"BUTTON", kButton, 0, 119, 180, 54, 14, u"Bat Start(&B)"},
    Item{IDC_BAT_STOP, u"BUTTON", kButton | WS_DISABLED, 0, 175, 180, 54, 14, u"Bat Stop(&S)"},
};

constexpr std::array kVobListItems = {
    Item{IDC_VOB_INSTRUCTION, u"STATIC", kLabel, 0, 7, 9, 220, 8, u""},
    Item{IDC_VOB_LIST, u"LISTBOX", kFileList, 0, 7, 26, 221, 116, u""},
    Item{IDC_VOB_ADD, u"BUTTON", kButton, 0, 7, 152, 54, 14, u"File addition(&A)"},
    Item{IDC_VOB_DELETE, u"BUTTON", kButton, 0, 63, 152, 54, 14, u"File Delete(&D)"},
    Item{IDC_VOB_UP, u"BUTTON", kButton, 0, 119, 152, 54, 14, u"Up(&U)"},
    Item{IDC_VOB_DOWN, u"BUTTON", kButton, 0, 175, 152, 54, 14, u"Down(&D)"},
    Item{IDC_VOB_FOLDER, u"BUTTON", kButton, 0, 7, 180, 54, 14, u"Folder(&F)"},
    Item{IDC_VOB_RESET, u"BUTTON", kButton, 0, 63, 180, 54, 14, u"Reset(&R)"},
    Item{IDOK, u"BUTTON", kDefault, 0, 119, 180, 54, 14, u"OK"},
    Item{IDCANCEL, u"BUTTON", kButton, 0, 175, 180, 54, 14, u"Cancel"},
};

constexpr std::array kSaveSetItems = {
    Item{IDC_SAVE_FOLDER_GROUP, u"BUTTON", kGroupBox, 0, 7, 7, 305, 44, u"directory of output file"},
    Item{IDC_SAVE_FOLDER, u"EDIT", kEdit | ES_READONLY, 0, 15, 26, 270, 14, u""},
    Item{IDC_SAVE_BROWSE, u"BUTTON", kButton, 0, 285, 26, 19, 14, u"...(&B)"},
    Item{IDC_SAVE_QUALITY_GROUP, u"BUTTON", kGroupBox, 0, 7, 59, 148, 42, u"JPG compressibility"},
    Item{IDC_SAVE_QUALITY, u"EDIT", kEdit | ES_NUMBER, 0, 26, 77, 40, 14, u""},
    Item{IDC_SAVE_QUALITY_SPIN, u"msctls_updown32",
         WS_VISIBLE | UDS_ARROWKEYS | UDS_AUTOBUDDY | UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_WRAP, 0, 66, 77, 10, 14,
         u""},
    Item{IDC_STATIC, u"STATIC", kLabel, 0, 86, 80, 40, 8, u"(1～100)"},
    Item{IDC_SAVE_INTERVAL_GROUP, u"BUTTON", kGroupBox, 0, 164, 59, 148, 42, u"Output interval of image (BMP,JPG)"},
    Item{IDC_SAVE_INTERVAL, u"EDIT", kEdit, 0, 174, 77, 40, 14, u""},
    Item{IDC_SAVE_INTERVAL_AFTER, u"STATIC", kLabel, 0, 220, 81, 88, 8, u"intervals of the scene"},
    Item{IDC_SAVE_AUDIO_GROUP, u"BUTTON", kGroupBox, 0, 9, 112, 148, 42, u"Audio Setting"},
    Item{IDC_SAVE_AUDIO, u"BUTTON", kButton, 0, 43, 128, 83, 19, u"Audio Setting Dlg...(&S)"},
    Item{IDC_SAVE_INTERLACE_GROUP, u"BUTTON", kGroupBox, 0, 164, 112, 148, 42, u"Interlaced release default"},
    Item{IDC_SAVE_INTERLACE, u"COMBOBOX", kDropList, 0, 200, 130, 79, 110, u""},
    Item{IDC_SAVE_OVERWRITE_GROUP, u"BUTTON", kGroupBox, 0, 9, 164, 148, 42, u"When SaveFile already exists"},
    Item{IDC_SAVE_OVERWRITE, u"COMBOBOX", kDropList, 0, 45, 182, 79, 110, u""},
    Item{IDC_SAVE_KEY_GROUP, u"BUTTON", kGroupBox, 0, 164, 164, 148, 42, u"Registry Save Positoin(Need ReStart)"},
    Item{IDC_SAVE_KEY, u"EDIT", kEdit, 0, 198, 182, 85, 14, u""},
    Item{IDOK, u"BUTTON", kDefault, 0, 207, 211, 50, 14, u"OK"},
    Item{IDCANCEL, u"BUTTON", kButton, 0, 262, 211, 50, 14, u"Cancel"},
};

constexpr std::array kStreamKindItems = {
    Item{IDC_STREAM_VIDEO, u"BUTTON", kRadio | WS_GROUP, 0, 19, 16, 143, 10, u"Video Only(&V)"},
    Item{IDC_STREAM_VIDEO_AUDIO, u"BUTTON", kRadio, 0, 19, 37, 141, 10, u"Video+Audio(&A)"},
    Item{IDC_STREAM_NOTE, u"STATIC", kLabel | WS_GROUP, 0, 16, 65, 147, 19, u""},
    Item{IDOK, u"BUTTON", kDefault, 0, 130, 89, 50, 14, u"OK"},
};

constexpr std::array kExtractKindItems = {
    Item{IDC_EXTRACT_SOURCE, u"BUTTON", kRadio | WS_GROUP, 0, 22, 20, 220, 10,
         u"It outputs it with the original sound form(ac3,mpa,dts)(&O)"},
    Item{IDC_EXTRACT_WAV, u"BUTTON", kRadio, 0, 22, 40, 220, 10, u"Conversion extraction to WAV(ACM)(&P)"},
    Item{IDC_EXTRACT_WMA, u"BUTTON", kRadio, 0, 22, 60, 220, 10, u"Conversion extraction to WMA(&W)"},
    Item{IDOK, u"BUTTON", kButton | WS_GROUP, 0, 192, 72, 50, 14, u"OK"},
};

constexpr std::array kAudioStreamItems = {
    Item{IDC_AUDIO_RECOMPRESS, u"BUTTON", kRadio | WS_GROUP, 0, 22, 20, 75, 10, u"ReCompress(&R)"},
    Item{IDC_AUDIO_COPY, u"BUTTON", kRadio, 0, 22, 40, 99, 10, u"Copy Stream Directly(&C)"},
    Item{IDC_AUDIO_NONE, u"BUTTON", kRadio, 0, 22, 60, 57, 10, u"No Audio(&N)"},
    Item{IDOK, u"BUTTON", kButton | WS_GROUP, 0, 110, 72, 50, 14, u"OK"},
};

constexpr std::array kLumiFilterItems = {
    Item{IDC_LUMI_GAMMA_LABEL, u"STATIC", kLabel, 0, 8, 23, 28, 8, u"Gamma"},
    Item{IDC_LUMI_GAMMA, u"msctls_trackbar32", kTrackbar, 0, 37, 18, 100, 15, u""},
    Item{IDC_LUMI_GAMMA_VALUE, u"EDIT", kEdit | ES_READONLY | ES_CENTER, 0, 143, 18, 40, 14, u""},
    Item{IDC_STATIC, u"STATIC", kLabel, 0, 192, 20, 55, 8, u"(-256～256)"},
    Item{IDC_LUMI_OFFSET_LABEL, u"STATIC", kLabel, 0, 8, 47, 28, 8, u"Offset"},
    Item{IDC_LUMI_OFFSET, u"msctls_trackbar32", kTrackbar, 0, 37, 42, 100, 15, u""},
    Item{IDC_LUMI_OFFSET_VALUE, u"EDIT", kEdit | ES_READONLY | ES_CENTER, 0, 143, 42, 40, 14, u""},
    Item{IDC_STATIC, u"STATIC", kLabel, 0, 192, 44, 55, 8, u"(-256～256)"},
};

} // namespace

const DialogTemplate kMp3SetTemplate{
    IDD_MP3SET,  kPopup | WS_MINIMIZEBOX, 0, 0, 0, 258, 135, u"Setting MP3 Encoder(MP3/Layer-3 WAV)", kFont, 9,
    kMp3SetItems};
const DialogTemplate kWmaSetTemplate{
    IDD_WMASET,  kPopup | WS_MINIMIZEBOX | WS_VISIBLE, 0, 0, 0, 255, 195, u"Setting WMA(MS-AUDIO)", kFont, 9,
    kWmaSetItems};
const DialogTemplate kVolumeTemplate{IDD_VOLUME, kModal, 0, 0, 0, 153, 93, u"Aduio Volume", kFont, 9, kVolumeItems};
const DialogTemplate kBatEncodeTemplate{
    IDD_BATENCODE,  kPopup | DS_MODALFRAME, 0, 0, 0, 235, 200, u"Please put the project file in the list.", kFont, 9,
    kBatEncodeItems};
const DialogTemplate kVobListTemplate{
    IDD_VOBLIST, kModal, 0, 0, 0, 235, 200, u"Please put division VOB file in the list.", kFont, 9, kVobListItems};
const DialogTemplate kSaveSetTemplate{IDD_SAVESET, kModal, 0, 0, 0, 319, 237, u"Save Setting", kFont, 9, kSaveSetItems};
const DialogTemplate kStreamKindTemplate{IDD_STREAMKIND,  kModal, 0, 0, 0, 187, 113, u"Kind of stream", kFont, 9,
                                         kStreamKindItems};
const DialogTemplate kExtractKindTemplate{
    IDD_EXTRACTKIND, kModal | WS_VISIBLE, 0, 0, 0, 250, 98, u"Kind of extraction", kFont, 9, kExtractKindItems};
const DialogTemplate kAudioStreamTemplate{
    IDD_AUDIOSTREAM,  kModal | WS_VISIBLE, 0, 0, 0, 171, 97, u"Selection of Audio Stream processing", kFont, 9,
    kAudioStreamItems};
const DialogTemplate kLumiFilterTemplate{
    IDD_LUMIFILTER,  kPopup | DS_MODALFRAME | WS_VISIBLE, 0, 0, 0, 253, 89, u"Luminance Filter", kFont, 9,
    kLumiFilterItems};

// Templates of the two dialogs that choose how a run encodes: the AVI compressor and the WMV
// profile.
#include "resources/dialog_table.h"

#include "platform/win/ui_types.h"

#include <array>

namespace {

// Rectangles in dialog units; labels are wide enough for both languages in the dialog font.
constexpr DWORD kModalStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME | DS_SETFONT;
constexpr DWORD kShown = WS_VISIBLE;
constexpr DWORD kTab = WS_VISIBLE | WS_TABSTOP;
constexpr DWORD kHotTrack = 0x100;
constexpr DWORD kSpin = kShown | UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS |
                        kHotTrack;
constexpr DWORD kList = kTab | CBS_DROPDOWNLIST | WS_VSCROLL;
constexpr LPCWSTR kDialogFont = u"ＭＳ Ｐゴシック";

constexpr std::array kAviItems = {
    DialogItemTemplate{42054, u"STATIC", kShown, 0, 6, 9, 102, 8, u"Codec"},
    DialogItemTemplate{42025, u"COMBOBOX", kList, 0, 10, 23, 122, 156, u""},
    DialogItemTemplate{42056, u"STATIC", kShown, 0, 6, 52, 42, 8, u"Quality:"},
    DialogItemTemplate{42052, u"EDIT", kTab | ES_AUTOHSCROLL | WS_BORDER, 0, 50, 50, 40, 14, u""},
    DialogItemTemplate{42039, u"msctls_updown32", kSpin, 0, 89, 37, 10, 14, u"Spin1"},
    DialogItemTemplate{IDC_STATIC, u"STATIC", kShown, 0, 94, 53, 32, 8, u"(0-100)"},
    DialogItemTemplate{42063, u"STATIC", kShown, 0, 6, 70, 42, 8, u"KeyFrame:"},
    DialogItemTemplate{42022, u"EDIT", kTab | WS_BORDER, 0, 50, 68, 40, 14, u""},
    DialogItemTemplate{42059, u"msctls_updown32", kSpin, 0, 92, 59, 9, 14, u"Spin2"},
    DialogItemTemplate{42071, u"STATIC", kShown, 0, 94, 71, 39, 8, u"Frames"},
    DialogItemTemplate{42066, u"STATIC", kShown, 0, 6, 88, 43, 8, u"DataRate:"},
    DialogItemTemplate{42032, u"EDIT", kTab | WS_BORDER, 0, 50, 86, 40, 14, u""},
    DialogItemTemplate{42057, u"msctls_updown32", kSpin, 0, 89, 95, 9, 14, u"Spin3"},
    DialogItemTemplate{42073, u"STATIC", kShown, 0, 94, 88, 40, 8, u"KByte/s"},
    DialogItemTemplate{IDOK, u"BUTTON", kTab | BS_PUSHBUTTON, 0, 138, 10, 66, 14, u"OK"},
    DialogItemTemplate{IDCANCEL, u"BUTTON", kTab | BS_PUSHBUTTON, 0, 138, 30, 66, 14, u"Cancel"},
    DialogItemTemplate{42058, u"BUTTON", kTab | BS_PUSHBUTTON, 0, 138, 50, 66, 14, u"Default"},
    DialogItemTemplate{42043, u"BUTTON", kTab | BS_PUSHBUTTON, 0, 138, 70, 66, 14, u"Setting..."},
    DialogItemTemplate{42048, u"BUTTON", kTab | BS_PUSHBUTTON, 0, 138, 90, 66, 14, u"About..."},
};

constexpr std::array kWmvItems = {
    DialogItemTemplate{42038, u"STATIC", kShown, 0, 19, 7, 70, 8, u"Version Set"},
    DialogItemTemplate{42080, u"ComboBoxEx32", kList, 0, 16, 23, 59, 64, u""},
    DialogItemTemplate{42042, u"STATIC", kShown, 0, 78, 25, 52, 8, u"By Enc"},
    DialogItemTemplate{42129, u"BUTTON", kTab | BS_AUTOCHECKBOX, 0, 147, 25, 156, 10, u"2pass-Enc(PRX)"},
    DialogItemTemplate{42046, u"STATIC", kShown, 0, 19, 47, 90, 8, u"Set Bitrate:"},
    // Three lists across the dialog, each wide enough to show its longest row whole when closed.
    DialogItemTemplate{42107, u"STATIC", kShown, 0, 9, 65, 44, 8, u"WMV V4"},
    DialogItemTemplate{42086, u"COMBOBOX", kList, 0, 7, 77, 99, 113, u""},
    DialogItemTemplate{42114, u"STATIC", kShown, 0, 112, 65, 44, 8, u"WMV V7"},
    DialogItemTemplate{42098, u"COMBOBOX", kList, 0, 110, 77, 99, 117, u""},
    DialogItemTemplate{42119, u"STATIC", kShown, 0, 215, 65, 44, 8, u"WMV V8"},
    DialogItemTemplate{42103, u"COMBOBOX", kList, 0, 213, 77, 99, 167, u""},
    DialogItemTemplate{42125, u"STATIC", kShown, 0, 32, 100, 51, 8, u"Set PRX"},
    DialogItemTemplate{42012, u"EDIT", kTab | ES_READONLY | ES_AUTOHSCROLL | WS_BORDER, 0, 30, 113, 250, 14, u""},
    DialogItemTemplate{42123, u"BUTTON", kTab | BS_PUSHBUTTON, 0, 282, 113, 30, 14, u"...(&B)"},
    DialogItemTemplate{42047, u"STATIC", kShown, 0, 31, 132, 226, 30,
                       u"You can make PRX by WindowsMediaEncoder9-OptionSoft\"Profile Edior\".\nPrx can encode by "
                       u"WMV9 or more."},
    DialogItemTemplate{IDOK, u"BUTTON", kTab | BS_DEFPUSHBUTTON, 0, 262, 144, 50, 14, u"OK"},
};

} // namespace

const DialogTemplate kAviCodecDialogTemplate{40016, kModalStyle,      0,           0, 0,        211,
                                             118,   u"Set AVI Codec", kDialogFont, 9, kAviItems};
const DialogTemplate kWmvEncodeDialogTemplate{40014, kModalStyle,       0,           0, 0,        319,
                                              165,   u"Set WMV Encode", kDialogFont, 9, kWmvItems};

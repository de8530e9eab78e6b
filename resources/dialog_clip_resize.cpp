// Template of the clip-and-resize dialog.
#include "resources/clip_resize_ids.h"
#include "resources/dialog_table.h"

#include "platform/win/ui_types.h"

#include <array>

namespace {

constexpr DWORD kEdit = WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kSpin = WS_VISIBLE | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS | UDS_NOTHOUSANDS;
constexpr DWORD kRadio = WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON;
constexpr DWORD kLabel = WS_VISIBLE | SS_LEFT;
constexpr DWORD kRightLabel = WS_VISIBLE | SS_RIGHT;
constexpr LPCWSTR kUpDown = u"msctls_updown32";

constexpr auto kItems = std::to_array<DialogItemTemplate>({
    {IDC_CLIP_GROUP, u"BUTTON", WS_VISIBLE | BS_GROUPBOX, 0, 7, 6, 193, 117, u"Clipping"},
    // Between the left and right edits, wide enough for two sizes of five digits on their lines.
    {IDC_STATIC, u"STATIC", WS_VISIBLE | SS_BLACKRECT, 0, 61, 41, 84, 48, u""},
    {IDC_SIZE_INFO, u"STATIC", WS_VISIBLE | SS_CENTER, 0, 63, 55, 80, 18, u"Static\ndd"},
    {IDC_LABEL_TOP, u"STATIC", kRightLabel, 0, 65, 21, 15, 8, u"Top"},
    {IDC_CLIP_TOP, u"EDIT", kEdit, 0, 82, 18, 40, 14, u""},
    {IDC_SPIN_TOP, kUpDown, kSpin, 0, 122, 18, 10, 14, u"Spin1"},
    {IDC_LABEL_LEFT, u"STATIC", kLabel, 0, 18, 47, 12, 8, u"Left"},
    {IDC_CLIP_LEFT, u"EDIT", kEdit, 0, 18, 58, 40, 14, u""},
    {IDC_SPIN_LEFT, kUpDown, kSpin, 0, 47, 67, 10, 14, u"Spin2"},
    {IDC_LABEL_RIGHT, u"STATIC", kLabel, 0, 149, 47, 16, 8, u"Right"},
    {IDC_CLIP_RIGHT, u"EDIT", kEdit, 0, 148, 58, 40, 14, u""},
    {IDC_SPIN_RIGHT, kUpDown, kSpin, 0, 188, 66, 10, 14, u"Spin3"},
    // Wider to the left than drawn on the original platform, so the right-aligned text is not cut.
    {IDC_LABEL_BOTTOM, u"STATIC", kRightLabel, 0, 47, 101, 32, 8, u"Bottom"},
    {IDC_CLIP_BOTTOM, u"EDIT", kEdit, 0, 82, 98, 40, 14, u""},
    {IDC_SPIN_BOTTOM, kUpDown, kSpin, 0, 122, 97, 10, 14, u"Spin4"},
    {IDC_RESIZE_GROUP, u"BUTTON", WS_VISIBLE | BS_GROUPBOX, 0, 7, 129, 193, 66, u"Resize"},
    {IDC_OUT_WIDTH, u"EDIT", kEdit, 0, 52, 145, 40, 14, u""},
    {IDC_SPIN_WIDTH, kUpDown, kSpin, 0, 89, 135, 10, 14, u"Spin5"},
    {IDC_STATIC, u"STATIC", kLabel, 0, 96, 148, 8, 8, u"×"},
    {IDC_OUT_HEIGHT, u"EDIT", kEdit, 0, 107, 145, 40, 14, u""},
    {IDC_SPIN_HEIGHT, kUpDown, kSpin, 0, 145, 133, 10, 14, u"Spin6"},
    {IDC_LABEL_PIXEL, u"STATIC", kLabel, 0, 150, 148, 29, 8, u"Pixl"},
    {IDC_PRESET_640x480, u"BUTTON", kRadio, 0, 14, 163, 40, 10, u"640x480"},
    {IDC_PRESET_640x360, u"BUTTON", kRadio, 0, 61, 163, 40, 10, u"640x360"},
    {IDC_PRESET_512x288, u"BUTTON", kRadio, 0, 108, 163, 40, 10, u"512x288"},
    {IDC_PRESET_480x360, u"BUTTON", kRadio, 0, 155, 163, 40, 10, u"480x360"},
    {IDC_PRESET_320x240, u"BUTTON", kRadio, 0, 14, 177, 40, 10, u"320x240"},
    {IDC_PRESET_176x144, u"BUTTON", kRadio, 0, 61, 177, 40, 10, u"176x144"},
    {IDC_PRESET_160x120, u"BUTTON", kRadio, 0, 108, 177, 40, 10, u"160x120"},
    {IDC_PRESET_720x480, u"BUTTON", kRadio, 0, 155, 177, 40, 10, u"720x480"},
    {IDC_CLEAR, u"BUTTON", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 92, 202, 50, 14, u"Clear"},
    {IDOK, u"BUTTON", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 150, 202, 50, 14, u"OK"},
});

} // namespace

const DialogTemplate kClipResizeTemplate{IDD_CLIP_RESIZE,
                                         WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_ABSALIGN |
                                             DS_SETFONT,
                                         0,
                                         0,
                                         0,
                                         207,
                                         223,
                                         u"Clipping+Resize",
                                         u"ＭＳ Ｐゴシック",
                                         9,
                                         kItems};

// Templates of the frame-rate dialog and the About box.
#include "resources/app_dialog_ids.h"
#include "resources/dialog_table.h"

#include "platform/win/ui_types.h"

#include <array>

namespace {

constexpr auto kOutputItems = std::to_array<DialogItemTemplate>({
    {IDC_FPS, u"EDIT", WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 0, 86, 10, 40, 14, u""},
    {IDOK, u"BUTTON", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 58, 37, 50, 14, u"OK"},
    {IDCANCEL, u"BUTTON", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 115, 37, 50, 14, u"Cancel"},
    {IDC_FPS_LABEL, u"STATIC", WS_VISIBLE | SS_RIGHT, 0, 17, 13, 68, 8, u"Setting FrameRate"},
    {IDC_STATIC, u"STATIC", WS_VISIBLE | SS_LEFT, 0, 130, 14, 10, 8, u"fps"},
});

// The notice and the address are the project's own.
constexpr auto kAboutItems = std::to_array<DialogItemTemplate>({
    {IDC_VERSION, u"STATIC", WS_VISIBLE | SS_CENTER | SS_NOPREFIX, 0, 17, 61, 130, 8, u"Version"},
    {IDC_STATIC, u"STATIC", WS_VISIBLE | SS_CENTER, 0, 17, 76, 130, 8, u"Torvina for Linux project"},
    {IDC_LINK, u"BUTTON", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 17, 98, 130, 14, u"https://torvina.example.org/"},
    {IDOK, u"BUTTON", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 0, 48, 117, 68, 27, u"OK"},
    {IDC_APP_ICON, u"STATIC", WS_VISIBLE | SS_ICON, 0, 72, 35, 20, 20, u""},
});

} // namespace

const DialogTemplate kOutputTemplate{IDD_OUTPUT,
                                     WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
                                     0,
                                     0,
                                     0,
                                     171,
                                     61,
                                     u"Setting Output",
                                     u"ＭＳ Ｐゴシック",
                                     9,
                                     kOutputItems};

const DialogTemplate kAboutTemplate{IDD_ABOUTBOX,
                                    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
                                    0,
                                    0,
                                    0,
                                    165,
                                    193,
                                    u"Version",
                                    u"ＭＳ Ｐゴシック",
                                    9,
                                    kAboutItems};

// Templates of the dialog family that no code of the program opens. Only their captions are
// known, so each holds an OK button alone.
#include "platform/win/ui_types.h"
#include "resources/aux_dialog_templates.h"
#include "resources/resource_ids.h"

#include <array>

namespace {

constexpr DWORD kModal = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME | DS_SETFONT;

constexpr std::array kOkOnly = {
    DialogItemTemplate{IDOK, u"BUTTON", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 130, 41, 50, 14, u"OK"},
};

} // namespace

const DialogTemplate kInfoTemplate{IDD_INFO, kModal, 0, 0, 0, 187, 62, u"Info", u"ＭＳ Ｐゴシック", 9, kOkOnly};
const DialogTemplate kInfo2Template{IDD_INFO2, kModal, 0, 0, 0, 187, 62, u"Info", u"ＭＳ Ｐゴシック", 9, kOkOnly};
const DialogTemplate kVersionTemplate{IDD_VERSION,        kModal, 0,      0, 0, 187, 62, u"Version",
                                      u"ＭＳ Ｐゴシック", 9,      kOkOnly};

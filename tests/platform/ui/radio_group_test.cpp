#include "platform/afx/cdialog.h"
#include "platform/afx/controls.h"
#include "resources/dialog_table.h"
#include "tests/support/qt_app.h"

#include <gtest/gtest.h>

#include <array>

namespace {

// Two groups of automatic radio buttons split by a static, then a plain radio button.
constexpr int A1 = 201, A2 = 202, A3 = 203, B1 = 211, B2 = 212, PLAIN = 221;
constexpr DWORD kAuto = WS_VISIBLE | BS_AUTORADIOBUTTON;
constexpr std::array kItems = {
    DialogItemTemplate{A1, u"BUTTON", kAuto | WS_GROUP, 0, 5, 5, 60, 10, u"A1"},
    DialogItemTemplate{A2, u"BUTTON", kAuto, 0, 5, 17, 60, 10, u"A2"},
    DialogItemTemplate{A3, u"BUTTON", kAuto, 0, 5, 29, 60, 10, u"A3"},
    DialogItemTemplate{-1, u"STATIC", WS_VISIBLE | WS_GROUP, 0, 5, 41, 60, 8, u"next"},
    DialogItemTemplate{B1, u"BUTTON", kAuto | WS_GROUP, 0, 5, 53, 60, 10, u"B1"},
    DialogItemTemplate{B2, u"BUTTON", kAuto, 0, 5, 65, 60, 10, u"B2"},
    DialogItemTemplate{PLAIN, u"BUTTON", WS_VISIBLE | BS_RADIOBUTTON | WS_GROUP, 0, 5, 77, 60, 10, u"plain"},
};
const DialogTemplate kTemplate{902, WS_POPUP | WS_CAPTION, 0, 0, 0, 100, 95, u"Radios", u"ＭＳ Ｐゴシック", 9, kItems};

struct ClickCase {
    std::vector<int> ticked; // before the click
    int clicked;
    std::vector<int> expected; // ticked after it
};

class RadioGroup : public ::testing::TestWithParam<ClickCase> {};

TEST_P(RadioGroup, ClickingAnAutomaticRadioClearsOnlyItsOwnGroup)
{
    TestApp();
    CDialog dlg;
    ASSERT_TRUE(dlg.CreateIndirect(&kTemplate, nullptr));
    for (int id : GetParam().ticked)
        dlg.CheckDlgButton(id, BST_CHECKED);
    dlg.GetDlgItem(GetParam().clicked)->SendMessage(BM_CLICK);
    for (int id : {A1, A2, A3, B1, B2, PLAIN}) {
        const bool expected = std::find(GetParam().expected.begin(), GetParam().expected.end(), id) !=
                              GetParam().expected.end();
        EXPECT_EQ(dlg.IsDlgButtonChecked(id), expected ? BST_CHECKED : BST_UNCHECKED) << "button " << id;
    }
}

INSTANTIATE_TEST_SUITE_P(Clicks, RadioGroup,
                         ::testing::Values(ClickCase{{A1, B1}, A3, {A3, B1}}, // the other group keeps its tick
                                           ClickCase{{A2, B2}, B1, {A2, B1}}, // a group after a static
                                           ClickCase{{A2}, A2, {A2}}, // clicking the ticked one keeps it
                                           ClickCase{
                                               {A1, A2, B1}, A1, {A1, B1}}, // program-made double ticks are mended
                                           ClickCase{{A1}, PLAIN, {A1}})); // a plain radio changes only by program

} // namespace

#include "platform/afx/cdialog.h"
#include "platform/afx/cwinapp.h"
#include "platform/afx/dialog_template.h"
#include "tests/support/qt_app.h"

#include <gtest/gtest.h>

#include <array>

// A quit message ends every loop of the process for good, so this test has a program of its own.
namespace {

constexpr std::array kItems = {
    DialogItemTemplate{IDOK, u"BUTTON", WS_VISIBLE | BS_DEFPUSHBUTTON, 0, 5, 5, 50, 14, u"OK"},
};
const DialogTemplate kTemplate{902, WS_POPUP | WS_CAPTION, 0, 0, 0, 60, 24, u"Quit", u"ＭＳ Ｐゴシック", 9, kItems};

class QuitDialog : public CDialog {
public:
    QuitDialog() { InitModalIndirect(&kTemplate); }
    BOOL OnInitDialog() override
    {
        WhenModal([] { PostQuitMessage(3); });
        return CDialog::OnInitDialog();
    }
};

TEST(QuitMessage, EndsANestedModalLoopAndLaterOnesDoNotStart)
{
    TestApp();
    QuitDialog dlg;
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_TRUE(IsQuitMessagePosted());
    QuitDialog later;
    EXPECT_EQ(later.DoModal(), -1);
}

} // namespace

#include "platform/afx/cdialog.h"
#include "platform/afx/ddx.h"
#include "resources/dialog_table.h"
#include "tests/support/qt_app.h"

#include <gtest/gtest.h>

#include <array>

namespace {

constexpr int IDC_FIRST = 1101, IDC_SECOND = 1102;

constexpr std::array kItems = {
    DialogItemTemplate{IDC_FIRST, u"EDIT", WS_VISIBLE | WS_TABSTOP, 0, 7, 7, 50, 14, u""},
    DialogItemTemplate{IDC_SECOND, u"EDIT", WS_VISIBLE | WS_TABSTOP, 0, 7, 25, 50, 14, u""},
};
const DialogTemplate kTemplate{901, WS_POPUP | WS_CAPTION, 0, 0, 0, 100, 50, u"Lockout", u"ＭＳ Ｐゴシック", 9, kItems};

// Two edits whose change handlers record the values they see.
class ExchangeDialog : public CDialog {
public:
    int first = 1;
    int second = 2;
    std::vector<int> changes;

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_FIRST, first);
        DDX_Text(pDX, IDC_SECOND, second);
    }
    void OnChangeFirst() { changes.push_back(IDC_FIRST); }
    void OnChangeSecond() { changes.push_back(IDC_SECOND); }

    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(ExchangeDialog, CDialog)
    ON_EN_CHANGE(IDC_FIRST, OnChangeFirst)
    ON_EN_CHANGE(IDC_SECOND, OnChangeSecond)
END_MESSAGE_MAP()

TEST(NotifyLockout, ControlsDoNotNotifyTheDialogWhileItExchangesTheirData)
{
    TestApp();
    ExchangeDialog dlg;
    ASSERT_TRUE(dlg.CreateIndirect(&kTemplate, nullptr));
    // Initialisation wrote both edits without a notification reaching the handlers.
    EXPECT_EQ(dlg.GetDlgItem(IDC_FIRST)->GetWindowTextString(), CString(u"1"));
    EXPECT_TRUE(dlg.changes.empty());

    dlg.first = 10;
    dlg.second = 20;
    EXPECT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_TRUE(dlg.changes.empty());

    // Outside an exchange the edits notify as before.
    dlg.GetDlgItem(IDC_SECOND)->SetWindowText(u"21");
    EXPECT_EQ(dlg.changes, std::vector<int>{IDC_SECOND});
    dlg.DestroyWindow();
}

} // namespace

#include "platform/afx/cdialog.h"
#include "platform/afx/controls.h"
#include "platform/afx/controls_host.h"
#include "platform/afx/cwinapp.h"
#include "platform/afx/dialog_template.h"
#include "tests/support/qt_app.h"

#include <QDir>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <array>

namespace {

constexpr int IDC_COMBO = 101, IDC_LIST = 102, IDC_SLIDER = 103, IDC_EDIT = 104, IDC_SPIN = 105;

constexpr std::array kItems = {
    DialogItemTemplate{IDC_COMBO, u"COMBOBOX", WS_VISIBLE | CBS_DROPDOWNLIST, 0, 5, 5, 80, 60, u""},
    DialogItemTemplate{IDC_LIST, u"LISTBOX", WS_VISIBLE | LBS_NOTIFY | WS_VSCROLL, 0, 5, 25, 80, 40, u""},
    DialogItemTemplate{IDC_SLIDER, u"msctls_trackbar32", WS_VISIBLE, 0, 5, 70, 100, 15, u""},
    DialogItemTemplate{IDC_EDIT, u"EDIT", WS_VISIBLE, 0, 110, 5, 40, 14, u""},
    DialogItemTemplate{IDC_SPIN, u"msctls_updown32", WS_VISIBLE | UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ALIGNRIGHT, 0,
                       150, 5, 10, 14, u""},
};
const DialogTemplate kTemplate{901,         WS_POPUP | WS_CAPTION, 0, 0,     0, 170, 90,
                               u"Controls", u"ＭＳ Ｐゴシック",    9, kItems};

class Host : public CDialog {
public:
    std::vector<std::pair<UINT, UINT>> scrolls;
    std::vector<int> deltas;
    bool vetoDelta = false;
    void OnVScroll(UINT code, UINT pos, CScrollBar*) { scrolls.emplace_back(code, pos); }
    void OnDeltaPos(NMHDR* hdr, LRESULT* result)
    {
        deltas.push_back(reinterpret_cast<NMUPDOWN*>(hdr)->iDelta);
        *result = vetoDelta ? 1 : 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Host, CDialog)
    ON_WM_VSCROLL()
    ON_NOTIFY(UDN_DELTAPOS, IDC_SPIN, OnDeltaPos)
END_MESSAGE_MAP()

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApp();
        ASSERT_TRUE(dlg.CreateIndirect(&kTemplate, nullptr));
        ASSERT_TRUE(combo.SubclassDlgItem(IDC_COMBO, &dlg));
        ASSERT_TRUE(list.SubclassDlgItem(IDC_LIST, &dlg));
        ASSERT_TRUE(slider.SubclassDlgItem(IDC_SLIDER, &dlg));
        ASSERT_TRUE(spin.SubclassDlgItem(IDC_SPIN, &dlg));
    }
    Host dlg;
    CComboBox combo;
    CListBox list;
    CSliderCtrl slider;
    CSpinButtonCtrl spin;
};

TEST_F(ControlsTest, ComboBoxKeepsItemDataAndReportsNoSelectionAsMinusOne)
{
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    EXPECT_EQ(combo.AddString(u"first"), 0);
    EXPECT_EQ(combo.AddString(u"second"), 1);
    EXPECT_EQ(combo.InsertString(0, u"zero"), 0);
    combo.SetItemData(2, 600);
    EXPECT_EQ(combo.GetItemData(2), 600u);
    EXPECT_EQ(combo.SetCurSel(1), 1);
    CString text;
    combo.GetLBText(1, text);
    EXPECT_EQ(text, CString(u"first"));
    EXPECT_EQ(combo.SetCurSel(7), CB_ERR);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    EXPECT_EQ(combo.GetLBText(9, text), CB_ERR);
    EXPECT_EQ(combo.DeleteString(0), 2);
    EXPECT_EQ(combo.DeleteString(5), CB_ERR);
}

TEST_F(ControlsTest, ListBoxEditsItsItems)
{
    list.AddString(u"a");
    list.AddString(u"b");
    list.InsertString(1, u"middle");
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_EQ(list.GetCurSel(), LB_ERR);
    list.SetCurSel(2);
    EXPECT_EQ(list.GetCurSel(), 2);
    CString text;
    list.GetText(1, text);
    EXPECT_EQ(text, CString(u"middle"));
    EXPECT_EQ(list.DeleteString(0), 2);
    EXPECT_EQ(list.GetText(5, text), LB_ERR);
    CRect rc;
    ASSERT_EQ(list.GetItemRect(0, &rc), 0);
    BOOL outside = TRUE;
    EXPECT_EQ(list.ItemFromPoint(CPoint(rc.left + 2, rc.top + 2), outside), 0u);
    EXPECT_FALSE(outside);
}

TEST_F(ControlsTest, TrackbarKeepsPositionsInsideItsRange)
{
    slider.SetRange(0, 100);
    slider.SetPos(150);
    EXPECT_EQ(slider.GetPos(), 100);
    slider.SetPos(-3);
    EXPECT_EQ(slider.GetPos(), 0);
    EXPECT_EQ(slider.GetRangeMax(), 100);
}

TEST_F(ControlsTest, UpDownClampsToItsRangeAndWritesItsBuddy)
{
    spin.SetRange32(1, 3);
    spin.SetPos32(2);
    EXPECT_EQ(dlg.GetDlgItem(IDC_EDIT)->GetWindowTextString(), CString(u"2"));
    auto* host = dynamic_cast<UpDownHost*>(WindowRecord::From(spin.m_hWnd));
    ASSERT_NE(host, nullptr);
    host->Step(+1);
    host->Step(+1);
    EXPECT_EQ(spin.GetPos32(), 3);
    EXPECT_EQ(dlg.GetDlgItem(IDC_EDIT)->GetWindowTextString(), CString(u"3"));
    ASSERT_EQ(dlg.deltas.size(), 2u);
    EXPECT_EQ(dlg.deltas[0], 1);
    ASSERT_FALSE(dlg.scrolls.empty());
    EXPECT_EQ(dlg.scrolls.back(), std::make_pair(UINT(SB_THUMBPOSITION), UINT(3)));
    dlg.vetoDelta = true;
    host->Step(-1);
    EXPECT_EQ(spin.GetPos32(), 3);
    spin.SetPos32(-50);
    EXPECT_EQ(spin.GetPos32(), 1);
    // A typed value outside the range is reported, the position stays.
    dlg.SetDlgItemText(IDC_EDIT, u"42");
    BOOL error = FALSE;
    EXPECT_EQ(spin.GetPos32(&error), 1);
    EXPECT_TRUE(error);
}

TEST_F(ControlsTest, RenderedControls)
{
    combo.AddString(u"Uncompressed");
    combo.SetCurSel(0);
    list.AddString(u"frame 0001.jpg");
    list.AddString(u"frame 0002.jpg");
    slider.SetRange(0, 100);
    slider.SetPos(40);
    spin.SetRange32(0, 100);
    spin.SetPos32(25);
    QWidget* w = WindowRecord::From(dlg.m_hWnd)->widget;
    w->show();
    QDir().mkpath(QStringLiteral(SHOTS_DIR));
    EXPECT_TRUE(w->grab().save(QStringLiteral(SHOTS_DIR "/controls.png")));
}

TEST_F(ControlsTest, UpDownStandsBesideItsBuddy)
{
    const QRect edit = WindowRecord::From(dlg.GetDlgItem(IDC_EDIT)->m_hWnd)->widget->geometry();
    const QRect updown = WindowRecord::From(spin.m_hWnd)->widget->geometry();
    EXPECT_EQ(updown.left(), edit.right() + 1);
    EXPECT_EQ(updown.top(), edit.top());
}

} // namespace

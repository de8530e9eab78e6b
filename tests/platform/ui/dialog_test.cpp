#include "platform/afx/cdialog.h"
#include "platform/afx/controls.h"
#include "platform/afx/cwinapp.h"
#include "platform/afx/ddx.h"
#include "platform/afx/dialog_template.h"
#include "platform/afx/dialog_units.h"
#include "platform/afx/window_host.h"
#include "tests/support/qt_app.h"

#include <QDir>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMessageBox>

#include <gtest/gtest.h>

#include <array>

namespace {

constexpr int IDC_VALUE = 1001, IDC_NAME = 1002, IDC_CHECK = 1003, IDC_KIND = 1004, IDC_LABEL = 1005;

constexpr std::array kItems = {
    DialogItemTemplate{IDC_LABEL, u"STATIC", WS_VISIBLE | SS_LEFT, 0, 7, 9, 60, 8, u"&Value:"},
    DialogItemTemplate{IDC_VALUE, u"EDIT", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0, 70, 7, 50, 14, u""},
    DialogItemTemplate{IDC_NAME, u"EDIT", WS_VISIBLE | WS_TABSTOP, 0, 70, 25, 100, 14, u""},
    DialogItemTemplate{IDC_CHECK, u"BUTTON", WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 7, 45, 80, 10, u"Check"},
    DialogItemTemplate{IDC_KIND, u"COMBOBOX", WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST, 0, 7, 60, 90, 60, u""},
    DialogItemTemplate{IDOK, u"BUTTON", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 80, 80, 50, 14, u"OK"},
    DialogItemTemplate{IDCANCEL, u"BUTTON", WS_VISIBLE | WS_TABSTOP, 0, 136, 80, 50, 14, u"Cancel"},
};
const DialogTemplate kTemplate{
    900,   WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 0, 0, 193, 101, u"Test dialog", u"ＭＳ Ｐゴシック", 9,
    kItems};

class ValueDialog : public CDialog {
public:
    ValueDialog() { InitModalIndirect(&kTemplate); }
    int value = 5;
    CString name = u"abc";
    int check = 1;
    int kind = -1;
    int okCalls = 0;
    int cancelCalls = 0;
    std::function<void(ValueDialog&)> onInit;

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_VALUE, value);
        DDV_MinMaxInt(pDX, value, 1, 10);
        DDX_Text(pDX, IDC_NAME, name);
        DDX_Check(pDX, IDC_CHECK, check);
        DDX_CBIndex(pDX, IDC_KIND, kind);
    }
    BOOL OnInitDialog() override
    {
        auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_KIND));
        combo->AddString(u"one");
        combo->AddString(u"two");
        CDialog::OnInitDialog();
        if (onInit)
            onInit(*this);
        return TRUE;
    }
    void OnOK() override
    {
        ++okCalls;
        CDialog::OnOK();
    }
    void OnCancel() override
    {
        ++cancelCalls;
        CDialog::OnCancel();
    }
};

QWidget* Widget(CWnd* w) { return WindowRecord::From(w->m_hWnd)->widget; }

void PressKey(QWidget* target, Qt::Key key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
}

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override { TestApp(); }
};

TEST_F(DialogTest, DialogFontIsIpaPGothicAtNinePoints)
{
    const QFont font = DialogFont(u"ＭＳ Ｐゴシック", 9);
    EXPECT_EQ(QFontInfo(font).family(), QString("IPAPGothic"));
    EXPECT_EQ(font.pixelSize(), 12);
}

TEST_F(DialogTest, ControlsStandAtTheRectanglesTheirDialogUnitsGive)
{
    const QFont font = DialogFont(u"ＭＳ Ｐゴシック", 9);
    const QFontMetrics fm(font);
    // Base units as the original platform measures them.
    const int cx = (fm.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 26 + 1) / 2;
    const int cy = fm.height();
    const DialogBaseUnits units = BaseUnitsOf(font);
    EXPECT_EQ(units.cx, cx);
    EXPECT_EQ(units.cy, cy);
    EXPECT_GT(cx, 3);
    EXPECT_GT(cy, 10);

    ValueDialog dlg;
    ASSERT_TRUE(dlg.CreateIndirect(&kTemplate, nullptr));
    CRect client;
    dlg.GetClientRect(&client);
    EXPECT_EQ(client.Width(), MulDiv(193, cx, 4));
    EXPECT_EQ(client.Height(), MulDiv(101, cy, 8));
    for (const DialogItemTemplate& item : kItems) {
        CWnd* control = dlg.GetDlgItem(item.id);
        ASSERT_NE(control, nullptr) << item.id;
        const QRect g = Widget(control)->geometry();
        EXPECT_EQ(g.x(), MulDiv(item.x, cx, 4)) << item.id;
        EXPECT_EQ(g.y(), MulDiv(item.y, cy, 8)) << item.id;
        EXPECT_EQ(g.width(), MulDiv(item.cx, cx, 4)) << item.id;
        if (item.id != IDC_KIND) { // a combo box's template height includes its list
            EXPECT_EQ(g.height(), MulDiv(item.cy, cy, 8)) << item.id;
        }
    }
    CRect mapped(7, 9, 67, 17);
    dlg.MapDialogRect(&mapped);
    EXPECT_EQ(mapped, CRect(MulDiv(7, cx, 4), MulDiv(9, cy, 8), MulDiv(67, cx, 4), MulDiv(17, cy, 8)));
    // The label shows its text without the mnemonic marker but keeps it as its window text.
    EXPECT_EQ(dlg.GetDlgItem(IDC_LABEL)->GetWindowTextString(), CString(u"&Value:"));
    dlg.DestroyWindow();
}

TEST_F(DialogTest, InitialisationTransfersDataAndOkReadsItBack)
{
    ValueDialog dlg;
    dlg.onInit = [](ValueDialog& d) {
        EXPECT_EQ(d.GetDlgItem(IDC_VALUE)->GetWindowTextString(), CString(u"5"));
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_CHECK), 1u);
        EXPECT_EQ(static_cast<CComboBox*>(d.GetDlgItem(IDC_KIND))->GetCurSel(), -1);
        d.SetDlgItemText(IDC_VALUE, u" 7 ");
        d.SetDlgItemText(IDC_NAME, u"xyz");
        d.CheckDlgButton(IDC_CHECK, 0);
        static_cast<CComboBox*>(d.GetDlgItem(IDC_KIND))->SetCurSel(1);
        d.PostMessage(WM_COMMAND, IDOK, 0);
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.value, 7);
    EXPECT_EQ(dlg.name, CString(u"xyz"));
    EXPECT_EQ(dlg.check, 0);
    EXPECT_EQ(dlg.kind, 1);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST_F(DialogTest, EnterIsTheDefaultButtonAndEscIsCancel)
{
    ValueDialog dlg;
    dlg.onInit = [](ValueDialog& d) { WhenModal([&d] { PressKey(Widget(d.GetDlgItem(IDC_NAME)), Qt::Key_Escape); }); };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.cancelCalls, 1);

    ValueDialog second;
    second.onInit = [](ValueDialog& d) {
        WhenModal([&d] { PressKey(Widget(d.GetDlgItem(IDC_NAME)), Qt::Key_Return); });
    };
    EXPECT_EQ(second.DoModal(), IDOK);
    EXPECT_EQ(second.okCalls, 1);
}

TEST_F(DialogTest, CloseBoxEndsWithCancel)
{
    ValueDialog dlg;
    dlg.onInit = [](ValueDialog& d) { WhenModal([&d] { Widget(&d)->close(); }); };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

// Where a dialog opens: a modal one centred on its owner, a modeless one at its template's
// place beside its owner, and one that placed itself where it put itself.
class DialogPlacementTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApp();
        ASSERT_TRUE(owner.CreateIndirect(&kTemplate, nullptr));
        Widget(&owner)->setGeometry(120, 90, 700, 500);
        Widget(&owner)->show();
    }
    void TearDown() override { owner.DestroyWindow(); }

    static QPoint Centre(CWnd* w) { return Widget(w)->frameGeometry().center(); }

    ValueDialog owner;
};

TEST_F(DialogPlacementTest, AModalDialogOpensCentredOnItsOwner)
{
    ValueDialog dlg;
    dlg.InitModalIndirect(&kTemplate, &owner);
    QPoint centre;
    dlg.onInit = [&](ValueDialog& d) {
        WhenModal([&] {
            centre = Centre(&d);
            d.EndDialog(IDCANCEL);
        });
    };
    dlg.DoModal();
    EXPECT_LE((centre - Centre(&owner)).manhattanLength(), 2);
}

TEST_F(DialogPlacementTest, AModelessDialogKeepsItsTemplatesPlaceBesideItsOwner)
{
    ValueDialog dlg;
    ASSERT_TRUE(dlg.CreateIndirect(&kTemplate, &owner));
    EXPECT_EQ(Widget(&dlg)->pos(), Widget(&owner)->mapToGlobal(QPoint(0, 0)));
    dlg.DestroyWindow();
}

TEST_F(DialogPlacementTest, ADialogThatPlacesItselfStaysWhereItWasPut)
{
    ValueDialog dlg;
    dlg.InitModalIndirect(&kTemplate, &owner);
    QPoint where;
    dlg.onInit = [&](ValueDialog& d) {
        d.SetWindowPos(nullptr, 33, 44, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        WhenModal([&] {
            where = Widget(&d)->pos();
            d.EndDialog(IDCANCEL);
        });
    };
    dlg.DoModal();
    EXPECT_EQ(where, QPoint(33, 44));
}

struct PromptCase {
    const char16_t* typed;
    const char16_t* prompt;
    int valueAfter; // a parse failure keeps the old value; a range failure has stored the new one
};
void PrintTo(const PromptCase& c, std::ostream* os) { *os << QString::fromUtf16(c.typed).toStdString(); }

class DataValidationTest : public ::testing::TestWithParam<PromptCase> {
protected:
    void SetUp() override { TestApp(); }
};

TEST_P(DataValidationTest, BadNumberShowsTheLibraryPromptAndFocusesTheEdit)
{
    ValueDialog dlg;
    ASSERT_TRUE(dlg.CreateIndirect(&kTemplate, nullptr));
    Widget(&dlg)->show();
    Widget(&dlg)->activateWindow();
    QApplication::setActiveWindow(Widget(&dlg));
    dlg.SetDlgItemText(IDC_VALUE, GetParam().typed);
    Widget(dlg.GetDlgItem(IDC_NAME))->setFocus();
    QString shown;
    WhenModal([&shown] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        shown = box->text();
        box->accept();
    });
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    EXPECT_EQ(shown, QString::fromUtf16(GetParam().prompt));
    EXPECT_EQ(dlg.value, GetParam().valueAfter);
    // The failing edit holds the dialog's focus again, its text selected.
    EXPECT_EQ(Widget(&dlg)->focusWidget(), Widget(dlg.GetDlgItem(IDC_VALUE)));
    dlg.DestroyWindow();
}

INSTANTIATE_TEST_SUITE_P(Prompts, DataValidationTest,
                         ::testing::Values(PromptCase{u"abc", u"整数を入力してください。", 5},
                                           PromptCase{u"3x", u"整数を入力してください。", 5},
                                           PromptCase{u"", u"整数を入力してください。", 5},
                                           PromptCase{u"99999999999", u"整数を入力してください。", 5},
                                           PromptCase{u"11", u"1 から 10 までの整数を入力してください。", 11},
                                           PromptCase{u"-3", u"1 から 10 までの整数を入力してください。", -3}));

} // namespace

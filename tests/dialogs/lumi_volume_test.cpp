#include "dialogs/lumi_filter_dlg.h"
#include "dialogs/volume_dlg.h"
#include "platform/afx/cwinapp.h"
#include "platform/afx/ddx.h"
#include "resources/aux_dialog_ids.h"
#include "tests/dialogs/dialog_test_support.h"

#include <QKeyEvent>
#include <QSlider>

#include <gtest/gtest.h>

namespace {

constexpr UINT WM_LUMINANCE = WM_USER + 77;

class LumiOwner : public CWnd {
public:
    std::vector<std::pair<int, int>> received;
    LRESULT OnLuminance(WPARAM w, LPARAM l)
    {
        received.emplace_back(static_cast<int>(w), static_cast<int>(l));
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(LumiOwner, CWnd)
    ON_MESSAGE(WM_LUMINANCE, OnLuminance)
END_MESSAGE_MAP()

class LumiFilter : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApp();
        ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), u"owner", WS_POPUP, 0, 0, 80, 80, nullptr, 0));
    }
    static int SliderPos(const CWnd& dlg, int id)
    {
        return static_cast<int>(dlg.GetDlgItem(id)->SendMessage(TBM_GETPOS));
    }
    static void Drag(const CWnd& dlg, int id, QAbstractSlider::SliderAction action)
    {
        qobject_cast<QSlider*>(WidgetOf(dlg.GetDlgItem(id)))->triggerAction(action);
    }
    LumiOwner owner;
};

struct OpenCase {
    int gamma, offset;
    int shownGamma, shownOffset;
};

TEST_F(LumiFilter, OpensWithValuesTheSlidersCanShowAndClosesWithoutPrompt)
{
    for (const OpenCase& c :
         {OpenCase{300, -999, 256, -256}, OpenCase{-12, 40, -12, 40}, OpenCase{256, -256, 256, -256}}) {
        MessageBoxCatcher boxes;
        CLumiFilterDlg dlg(&owner, WM_LUMINANCE, c.gamma, c.offset);
        std::pair<int, int> sliders, edits;
        const INT_PTR end = RunModal(dlg, [&](CDialog& d) {
            sliders = {SliderPos(d, IDC_LUMI_GAMMA), SliderPos(d, IDC_LUMI_OFFSET)};
            edits = {d.GetDlgItemInt(IDC_LUMI_GAMMA_VALUE), d.GetDlgItemInt(IDC_LUMI_OFFSET_VALUE)};
        });
        EXPECT_EQ(end, IDCANCEL);
        EXPECT_EQ(sliders, std::make_pair(c.shownGamma, c.shownOffset)) << c.gamma;
        EXPECT_EQ(edits, sliders) << c.gamma;
        EXPECT_TRUE(boxes.texts.empty()) << c.gamma;
        EXPECT_EQ(std::make_pair(dlg.GetGamma(), dlg.GetOffset()), sliders);
    }
}

TEST_F(LumiFilter, EverySliderMovementReachesTheOwnerAtOnce)
{
    CLumiFilterDlg dlg(&owner, WM_LUMINANCE, 10, 20);
    CString gammaEdit, offsetEdit;
    RunModal(dlg, [&](CDialog& d) {
        Drag(d, IDC_LUMI_GAMMA, QAbstractSlider::SliderToMinimum);
        Drag(d, IDC_LUMI_OFFSET, QAbstractSlider::SliderToMaximum);
        Drag(d, IDC_LUMI_GAMMA, QAbstractSlider::SliderSingleStepAdd);
        gammaEdit = ItemText(d, IDC_LUMI_GAMMA_VALUE);
        offsetEdit = ItemText(d, IDC_LUMI_OFFSET_VALUE);
    });
    const std::vector<std::pair<int, int>> expected = {{-256, 20}, {-256, 256}, {-255, 256}};
    EXPECT_EQ(owner.received, expected);
    EXPECT_EQ(gammaEdit, CString(u"-255"));
    EXPECT_EQ(offsetEdit, CString(u"256"));
}

struct VolumeCase {
    const char* name;
    const char16_t* typed; // null: leave the edit as shown
    bool ok; // OK, else the close box
    int expected;
    int prompts; // integer prompts shown
};
void PrintTo(const VolumeCase& c, std::ostream* os) { *os << c.name; }

class VolumeEdit : public ::testing::TestWithParam<VolumeCase> {
protected:
    void SetUp() override { TestApp(); }
};

TEST_P(VolumeEdit, ReturnsTheTypedWholeNumberOrTheVolumeBefore)
{
    const VolumeCase& c = GetParam();
    MessageBoxCatcher boxes;
    CString shown;
    bool openAfterOk = false;
    WhenModal([&] {
        auto* dlg = ShownDialog<CVolume>();
        ASSERT_NE(dlg, nullptr);
        shown = ItemText(*dlg, IDC_VOLUME);
        if (c.typed)
            dlg->SetDlgItemText(IDC_VOLUME, c.typed);
        if (c.ok) {
            dlg->SendMessage(WM_COMMAND, IDOK, 0);
            openAfterOk = dlg->IsWindowVisible() != FALSE;
        }
        if (dlg->IsWindowVisible())
            dlg->SendMessage(WM_CLOSE);
    });
    EXPECT_EQ(EditVolume(80, nullptr), c.expected);
    EXPECT_EQ(shown, CString(u"80"));
    EXPECT_EQ(static_cast<int>(boxes.texts.size()), c.prompts);
    for (const QString& text : boxes.texts)
        EXPECT_EQ(text, QString::fromUtf16(kPromptParseInt));
    EXPECT_EQ(openAfterOk, c.ok && c.prompts > 0);
}

INSTANTIATE_TEST_SUITE_P(Typed, VolumeEdit,
                         ::testing::Values(VolumeCase{"unchanged", nullptr, true, 80, 0},
                                           VolumeCase{"above_hundred", u"250", true, 250, 0},
                                           VolumeCase{"negative", u"-5", true, -5, 0},
                                           VolumeCase{"blanks_around", u" 42 ", true, 42, 0},
                                           VolumeCase{"close_box_keeps_typed", u"60", false, 60, 0},
                                           VolumeCase{"text_prompts_twice", u"loud", true, 80, 2},
                                           VolumeCase{"empty_prompts", u"", true, 80, 2},
                                           VolumeCase{"too_large", u"2147483648", true, 80, 2},
                                           VolumeCase{"fraction", u"12.5", true, 80, 2}),
                         [](const ::testing::TestParamInfo<VolumeCase>& info) { return std::string(info.param.name); });

TEST(VolumeKeys, EscDoesNotCloseTheDialog)
{
    TestApp();
    CVolume dlg(nullptr);
    dlg.SetVolume(30);
    bool stillOpen = false;
    RunModal(dlg, [&](CDialog& d) {
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(WidgetOf(d.GetDlgItem(IDC_VOLUME)), &esc);
        d.SendMessage(WM_COMMAND, IDCANCEL, 0);
        stillOpen = d.IsWindowVisible() != FALSE;
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(dlg.GetVolume(), 30);
}

} // namespace

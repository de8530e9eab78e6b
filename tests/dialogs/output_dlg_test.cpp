#include "dialogs/frame_rate.h"
#include "dialogs/output_dlg.h"
#include "platform/afx/app_profile.h"
#include "resources/app_dialog_ids.h"
#include "tests/dialogs/dialog_test_support.h"
#include "tests/support/scoped_locale.h"
#include "tests/support/test_support.h"

#include <QKeyEvent>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(FrameRate, TheEditedNumberIsTruncatedAndOnlyUsableRatesComeBack)
{
    struct Case {
        double fps;
        std::optional<UINT> rate;
    };
    const std::vector<Case> cases = {
        {29.97, 299700u},
        {30, 300000u},
        {25, 250000u},
        {23.976, 239760u},
        {59.94, 599400u},
        {1.001, 10009u}, // 10009.999999999998
        {0.0001, 1u},
        {214748.3647, 2147483647u},
        {0, std::nullopt},
        {0.00009, std::nullopt},
        {-25, std::nullopt},
        {214748.3648, std::nullopt},
        {1e300, std::nullopt},
        {std::numeric_limits<double>::infinity(), std::nullopt},
        {std::numeric_limits<double>::quiet_NaN(), std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FrameRateFromFps(c.fps), c.rate) << c.fps;
}

void Type(CDialog& dlg, const char16_t* text) { dlg.GetDlgItem(IDC_FPS)->SetWindowText(text); }

void Press(CDialog& dlg, Qt::Key key)
{
    QWidget* edit = WidgetOf(dlg.GetDlgItem(IDC_FPS));
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(edit, &press);
}

class OutputDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApp();
        m_profile.SetRegistryKey(u"OutputDlgTest", u"Torvina");
        AfxSetAppProfile(&m_profile);
    }
    void TearDown() override { AfxSetAppProfile(nullptr); }

    // Runs the dialog on a record holding rate; step acts on the open dialog.
    UINT Run(int rate, std::function<void(CDialog&)> step, CString* shown = nullptr, INT_PTR* result = nullptr)
    {
        COutputDlg dlg(nullptr);
        dlg.m_info.fps = rate;
        const INT_PTR r = RunModal(dlg, [&](CDialog& d) {
            if (shown)
                *shown = ItemText(d, IDC_FPS);
            step(d);
        });
        if (result)
            *result = r;
        return static_cast<UINT>(dlg.m_info.fps);
    }

    TempConfigHome m_config;
    CAppProfile m_profile;
};

TEST_F(OutputDlgTest, ShowsTheRateAndItsLabelsInTheSystemsLanguage)
{
    const ScopedLocale english(kEnglishLocale);
    CString shown, caption, label;
    Run(
        299700,
        [&](CDialog& d) {
            caption = d.GetWindowTextString();
            label = ItemText(d, IDC_FPS_LABEL);
            Press(d, Qt::Key_Escape);
        },
        &shown);
    EXPECT_EQ(shown, CString(u"29.97"));
    EXPECT_EQ(caption, CString(u"Setting Output"));
    EXPECT_EQ(label, CString(u"Setting FrameRate"));
    const ScopedLocale japanese(kJapaneseLocale);
    Run(
        300000,
        [&](CDialog& d) {
            caption = d.GetWindowTextString();
            label = ItemText(d, IDC_FPS_LABEL);
            Press(d, Qt::Key_Escape);
        },
        &shown);
    EXPECT_EQ(shown, CString(u"30"));
    EXPECT_EQ(caption, CString(u"出力設定"));
    EXPECT_EQ(label, CString(u"フレームレート数指定"));
}

TEST_F(OutputDlgTest, EnterStoresTheEditedRateAndEscKeepsTheOldOne)
{
    struct Case {
        const char* name;
        int stored;
        const char16_t* typed; // null: left as shown
        Qt::Key key;
        UINT expected;
    };
    const std::vector<Case> cases = {
        {"unedited default", 299700, nullptr, Qt::Key_Return, 299700},
        {"unedited rate whose text does not round-trip", 10009, nullptr, Qt::Key_Return, 10009},
        {"25", 299700, u"25", Qt::Key_Return, 250000},
        {"1.001 truncates", 299700, u"1.001", Qt::Key_Return, 10009},
        {"23.976", 299700, u" 23.976 ", Qt::Key_Return, 239760},
        {"Esc after editing", 299700, u"40", Qt::Key_Escape, 299700},
    };
    for (const Case& c : cases) {
        INT_PTR result = 0;
        const UINT rate = Run(
            c.stored,
            [&](CDialog& d) {
                if (c.typed)
                    Type(d, c.typed);
                Press(d, c.key);
            },
            nullptr, &result);
        EXPECT_EQ(rate, c.expected) << c.name;
        EXPECT_EQ(result, IDOK) << c.name;
    }
}

TEST_F(OutputDlgTest, ARateOutsideTheUsableRangeIsRefusedInTheSystemsLanguageAndTheDialogStaysOpen)
{
    const std::pair<const char*, QString> languages[] = {
        {kJapaneseLocale, QStringLiteral("0.0001 から 214748.3647 までの数値を入力してください。")},
        {kEnglishLocale, QStringLiteral("Please enter a number between 0.0001 and 214748.3647.")},
    };
    for (const auto& [locale, prompt] : languages) {
        const ScopedLocale language(locale);
        for (const char16_t* typed : {u"0", u"-5", u"0.00001", u"300000"}) {
            MessageBoxCatcher boxes;
            bool stillOpen = false;
            const UINT rate = Run(299700, [&](CDialog& d) {
                Type(d, typed);
                Press(d, Qt::Key_Return);
                stillOpen = IsWindow(d.m_hWnd) && d.IsWindowVisible();
            });
            EXPECT_TRUE(stillOpen) << QString::fromUtf16(typed).toStdString();
            EXPECT_EQ(rate, 299700u);
            ASSERT_EQ(boxes.texts.size(), 1u);
            EXPECT_EQ(boxes.texts[0], prompt) << locale;
        }
    }
}

TEST_F(OutputDlgTest, TextThatIsNotANumberIsPromptedAndKeepsTheRate)
{
    MessageBoxCatcher boxes;
    const UINT rate = Run(10009, [&](CDialog& d) {
        Type(d, u"abc");
        Press(d, Qt::Key_Return);
    });
    EXPECT_EQ(rate, 10009u);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], QStringLiteral("数字を入力してください。")) << "the class library's own prompt";
}

TEST_F(OutputDlgTest, TheCommandCopiesTheRecordBackAndSavesItToTheProfile)
{
    CInfo info(FALSE);
    info.fps = 299700;
    WhenModal([] {
        auto* dlg = ShownDialog<COutputDlg>();
        ASSERT_NE(dlg, nullptr);
        Type(*dlg, u"25");
        Press(*dlg, Qt::Key_Return);
    });
    EditOutputSetting(info, nullptr);
    EXPECT_EQ(info.fps, 250000);
    EXPECT_EQ(m_profile.GetProfileInt(u"DATA", u"fps", 0), 250000u);
}

} // namespace

#include "dialogs/save_set_dlg.h"
#include "dialogs/volume_dlg.h"
#include "foundation/registry_key_name.h"
#include "platform/afx/ddx.h"
#include "platform/win/text.h"
#include "resources/aux_dialog_ids.h"
#include "tests/dialogs/dialog_test_support.h"
#include "tests/support/scoped_locale.h"
#include "tests/support/test_support.h"

#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class SaveSetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApp();
        info.hozon = u"/tmp";
        info.quality = 75;
        info.perfile = 3;
        info.InterLaced = 2;
        info.uwagaki = 1;
        info.VOL = 90;
        info.fps = 150000;
        info.PRX = u"/p/a.prx";
    }
    std::string SettingIni() const { return config.Path() + "/torvina/Setting.ini"; }
    // Runs the entry function; step acts on the dialog while it is open.
    int Edit(std::function<void(CSaveSetDlg&)> step)
    {
        WhenModal([step] {
            auto* dlg = ShownDialog<CSaveSetDlg>();
            ASSERT_NE(dlg, nullptr);
            step(*dlg);
            if (dlg->IsWindowVisible())
                dlg->SendMessage(WM_CLOSE);
        });
        return EditOutputSettings(info, nullptr);
    }
    static void Ok(CWnd& dlg) { dlg.SendMessage(WM_COMMAND, IDOK, 0); }

    ScopedLocale locale{kEnglishLocale};
    TempConfigHome config;
    CInfo info{FALSE};
};

TEST_F(SaveSetTest, OpensOnTheRecordAndTheKeyNameInUse)
{
    ASSERT_TRUE(SaveRegistryKeyName(u"Studio"));
    std::vector<CString> interlaceRows, overwriteRows;
    CString folder, quality, interval, key;
    int interlaceSel = -9, overwriteSel = -9;
    EXPECT_EQ(Edit([&](CSaveSetDlg& d) {
                  folder = ItemText(d, IDC_SAVE_FOLDER);
                  quality = ItemText(d, IDC_SAVE_QUALITY);
                  interval = ItemText(d, IDC_SAVE_INTERVAL);
                  key = ItemText(d, IDC_SAVE_KEY);
                  interlaceRows = ComboRows(d, IDC_SAVE_INTERLACE);
                  overwriteRows = ComboRows(d, IDC_SAVE_OVERWRITE);
                  interlaceSel = ComboSel(d, IDC_SAVE_INTERLACE);
                  overwriteSel = ComboSel(d, IDC_SAVE_OVERWRITE);
              }),
              -2);
    EXPECT_EQ(folder, CString(u"/tmp"));
    EXPECT_EQ(quality, CString(u"75"));
    EXPECT_EQ(interval, CString(u"3"));
    EXPECT_EQ(key, CString(u"Studio"));
    EXPECT_EQ(interlaceRows, (std::vector<CString>{u"NO", u"Odd", u"Even", u"Doubling"}));
    EXPECT_EQ(overwriteRows, (std::vector<CString>{u"OverWrite", u"Automatic enhancing", u"Certain Dlg"}));
    EXPECT_EQ(interlaceSel, 2);
    EXPECT_EQ(overwriteSel, 1);
}

TEST_F(SaveSetTest, TheQualityEditNeverKeepsAValueOutsideOneToHundred)
{
    const std::pair<const char16_t*, const char16_t*> typed[] = {
        {u"0", u"1"}, {u"150", u"100"}, {u"55", u"55"}, {u"", u"1"}, {u"100", u"100"}, {u"99999999999", u"100"}};
    for (const auto& [number, corrected] : {std::pair{0, 1}, {1, 1}, {100, 100}, {101, 100}, {-4, 100}})
        EXPECT_EQ(CorrectedQuality(number), corrected) << number;
    std::vector<CString> results;
    Edit([&](CSaveSetDlg& d) {
        for (const auto& [text, shown] : typed) {
            d.SetDlgItemText(IDC_SAVE_QUALITY, text);
            results.push_back(ItemText(d, IDC_SAVE_QUALITY));
        }
    });
    ASSERT_EQ(results.size(), std::size(typed));
    for (size_t i = 0; i < results.size(); ++i)
        EXPECT_EQ(results[i], CString(typed[i].second)) << Utf16ToUtf8(typed[i].first);
}

TEST_F(SaveSetTest, AStoredIntervalBelowOneOpensAsOneAndOkStoresOne)
{
    // An interval below one frame is no interval: it is clamped to 1, as the edit's range asks.
    for (int stored : {0, -3}) {
        info.perfile = stored;
        CString shown;
        EXPECT_EQ(Edit([&](CSaveSetDlg& d) {
                      shown = ItemText(d, IDC_SAVE_INTERVAL);
                      Ok(d);
                  }),
                  0);
        EXPECT_EQ(shown, CString(u"1")) << stored;
        EXPECT_EQ(info.perfile, 1) << stored;
    }
}

TEST_F(SaveSetTest, TheQualityEditTakesOnlyTypedDigits)
{
    CString afterLetters, afterDigits;
    Edit([&](CSaveSetDlg& d) {
        auto* edit = qobject_cast<QLineEdit*>(WidgetOf(d.GetDlgItem(IDC_SAVE_QUALITY)));
        ASSERT_NE(edit, nullptr);
        edit->setFocus();
        edit->selectAll();
        const auto type = [edit](const QString& keys) {
            for (const QChar c : keys) {
                QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
                QCoreApplication::sendEvent(edit, &press);
                QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
                QCoreApplication::sendEvent(edit, &release);
            }
        };
        type(QStringLiteral("abc"));
        afterLetters = ItemText(d, IDC_SAVE_QUALITY);
        edit->selectAll();
        type(QStringLiteral("4x2"));
        afterDigits = ItemText(d, IDC_SAVE_QUALITY);
    });
    EXPECT_EQ(afterLetters, CString(u"75")) << "letters are refused";
    EXPECT_EQ(afterDigits, CString(u"42"));
}

TEST_F(SaveSetTest, OkTakesTheEditsWritesTheKeyNameAndLeavesTheRestOfTheRecord)
{
    EXPECT_EQ(Edit([](CSaveSetDlg& d) {
                  d.SetDlgItemText(IDC_SAVE_QUALITY, u"40");
                  d.SetDlgItemText(IDC_SAVE_INTERVAL, u"12");
                  SelectRow(d, IDC_SAVE_INTERLACE, 3);
                  SelectRow(d, IDC_SAVE_OVERWRITE, 2);
                  d.SetDlgItemText(IDC_SAVE_KEY, u"Another");
                  Ok(d);
              }),
              0);
    EXPECT_EQ(info.quality, 40);
    EXPECT_EQ(info.perfile, 12);
    EXPECT_EQ(info.InterLaced, 3);
    EXPECT_EQ(info.uwagaki, 2);
    EXPECT_EQ(info.hozon, CString(u"/tmp"));
    EXPECT_EQ(info.VOL, 90);
    EXPECT_EQ(info.fps, 150000);
    EXPECT_EQ(info.PRX, CString(u"/p/a.prx"));
    EXPECT_EQ(ReadFileText(SettingIni()), "[SAVE]\nRegPos=Another\n");
}

TEST_F(SaveSetTest, StoredRowsThatMatchNoRowSurviveOk)
{
    info.InterLaced = 7;
    info.uwagaki = -3;
    int interlaceSel = 0, overwriteSel = 0;
    EXPECT_EQ(Edit([&](CSaveSetDlg& d) {
                  interlaceSel = ComboSel(d, IDC_SAVE_INTERLACE);
                  overwriteSel = ComboSel(d, IDC_SAVE_OVERWRITE);
                  Ok(d);
              }),
              0);
    EXPECT_EQ(interlaceSel, -1);
    EXPECT_EQ(overwriteSel, -1);
    EXPECT_EQ(info.InterLaced, 7);
    EXPECT_EQ(info.uwagaki, -3);
}

struct VolumeCase {
    bool ok;
    int expectedVolume;
};

TEST_F(SaveSetTest, AVolumeChangeLastsOnlyWithOk)
{
    for (const VolumeCase& c : {VolumeCase{false, 90}, VolumeCase{true, 35}}) {
        info.VOL = 90;
        const int result = Edit([&](CSaveSetDlg& d) {
            WhenModal([] {
                CVolume* volume = ShownDialog<CVolume>();
                ASSERT_NE(volume, nullptr);
                volume->SetDlgItemText(IDC_VOLUME, u"35");
                volume->SendMessage(WM_COMMAND, IDOK, 0);
            });
            Click(d, IDC_SAVE_AUDIO);
            EXPECT_EQ(d.Settings().volume, 35);
            if (c.ok)
                Ok(d);
            else
                d.SendMessage(WM_COMMAND, IDCANCEL, 0);
        });
        EXPECT_EQ(result, c.ok ? 0 : -2);
        EXPECT_EQ(info.VOL, c.expectedVolume);
    }
}

struct RefusalCase {
    const char* name;
    const char16_t* interval;
    const char16_t* key;
    const char16_t* prompt; // the start of the message shown
};
void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }

class SaveSetRefusal : public SaveSetTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(SaveSetRefusal, OkRefusesWithAMessageAndChangesNothing)
{
    const RefusalCase& c = GetParam();
    ASSERT_TRUE(SaveRegistryKeyName(u"Before"));
    MessageBoxCatcher boxes;
    bool openAfterOk = false;
    const int result = Edit([&](CSaveSetDlg& d) {
        d.SetDlgItemText(IDC_SAVE_QUALITY, u"10");
        d.SetDlgItemText(IDC_SAVE_INTERVAL, c.interval);
        d.SetDlgItemText(IDC_SAVE_KEY, c.key);
        Ok(d);
        openAfterOk = d.IsWindowVisible() != FALSE;
        d.SendMessage(WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_TRUE(openAfterOk);
    EXPECT_EQ(result, -2);
    ASSERT_FALSE(boxes.texts.empty());
    EXPECT_TRUE(boxes.texts.front().startsWith(QString::fromUtf16(c.prompt))) << boxes.texts.front().toStdString();
    EXPECT_EQ(info.quality, 75);
    EXPECT_EQ(ReadFileText(SettingIni()), "[SAVE]\nRegPos=Before\n");
}

INSTANTIATE_TEST_SUITE_P(
    Fields, SaveSetRefusal,
    ::testing::Values(RefusalCase{"interval_zero", u"0", u"Key", u"1 から 2147483647 までの整数"},
                      RefusalCase{"interval_text", u"often", u"Key", u"正の整数を入力してください。"},
                      RefusalCase{"interval_beyond_record", u"2147483648", u"Key", u"1 から 2147483647"},
                      RefusalCase{"key_empty", u"5", u"", u"The registry save position cannot be used."},
                      RefusalCase{"key_backslash", u"5", u"a\\b", u"The registry save position cannot be used."},
                      RefusalCase{"key_blank_end", u"5", u"Key ", u"The registry save position cannot be used."}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

TEST_F(SaveSetTest, TheFolderPickerSetsTheFolderAndCancelKeepsIt)
{
    const QString chosen = QString::fromStdString(config.Path());
    CString afterCancel, afterChoice;
    EXPECT_EQ(Edit([&](CSaveSetDlg& d) {
                  WhenModal([] { qobject_cast<QFileDialog*>(QApplication::activeModalWidget())->reject(); });
                  Click(d, IDC_SAVE_BROWSE);
                  afterCancel = ItemText(d, IDC_SAVE_FOLDER);
                  WhenModal([chosen] {
                      auto* picker = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                      picker->setDirectory(chosen);
                      picker->selectFile(chosen);
                      static_cast<QDialog*>(picker)->accept();
                  });
                  Click(d, IDC_SAVE_BROWSE);
                  afterChoice = ItemText(d, IDC_SAVE_FOLDER);
                  Ok(d);
              }),
              0);
    EXPECT_EQ(afterCancel, CString(u"/tmp"));
    EXPECT_EQ(QDir(QString::fromUtf16(afterChoice.GetString())).canonicalPath(), QDir(chosen).canonicalPath());
    EXPECT_EQ(info.hozon, afterChoice);
}

} // namespace

// The quality spin wraps at its ends, by its arrows under the mouse and by the arrow keys in the
// edit, and OK takes the wrapped value.
TEST_F(SaveSetTest, TheQualitySpinWrapsBetweenOneAndHundred)
{
    struct Step {
        const char* name;
        bool key; // else a click on the spin's arrow
        bool up;
        const char16_t* shown;
    };
    const Step steps[] = {
        {"up arrow at 99", false, true, u"100"},   {"up arrow at 100", false, true, u"1"},
        {"down arrow at 1", false, false, u"100"}, {"Up key at 100", true, true, u"1"},
        {"Down key at 1", true, false, u"100"},    {"Down key at 100", true, false, u"99"},
        {"Down key at 99", true, false, u"98"},    {"up arrow at 98", false, true, u"99"},
    };
    info.quality = 99;
    std::vector<CString> shown;
    EXPECT_EQ(Edit([&](CSaveSetDlg& d) {
                  QWidget* spin = WidgetOf(d.GetDlgItem(IDC_SAVE_QUALITY_SPIN));
                  QWidget* edit = WidgetOf(d.GetDlgItem(IDC_SAVE_QUALITY));
                  for (const Step& s : steps) {
                      if (s.key) {
                          edit->setFocus();
                          QTest::keyClick(edit, s.up ? Qt::Key_Up : Qt::Key_Down);
                      } else {
                          const QPoint arrow(spin->width() / 2, s.up ? spin->height() / 4 : spin->height() * 3 / 4);
                          QTest::mouseClick(spin, Qt::LeftButton, Qt::NoModifier, arrow);
                      }
                      shown.push_back(ItemText(d, IDC_SAVE_QUALITY));
                  }
                  Ok(d);
              }),
              0);
    ASSERT_EQ(shown.size(), std::size(steps));
    for (size_t i = 0; i < shown.size(); ++i)
        EXPECT_EQ(shown[i], CString(steps[i].shown)) << steps[i].name;
    EXPECT_EQ(info.quality, 99);
}

#include "dialogs/mp3_set_dlg.h"
#include "dialogs/wma_set_dlg.h"
#include "foundation/profile_access.h"
#include "platform/afx/app_profile.h"
#include "platform/afx/shell.h"
#include "resources/aux_dialog_ids.h"
#include "tests/dialogs/dialog_test_support.h"
#include "tests/support/scoped_locale.h"
#include "tests/support/test_support.h"

#include <QFileDialog>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class AudioSettingsTest : public ::testing::Test {
protected:
    void SetUp() override { TestApp(); }
    ScopedLocale locale{kEnglishLocale};
};

// ---- MP3

TEST_F(AudioSettingsTest, Mp3ListsItsRowsAndSelectsTheStoredValues)
{
    CAudioInfo info;
    info.EncType = 3;
    info.cbr_bps = 192;
    info.vbr_bps = 8;
    info.Qual = 9;
    CMP3SetDlg dlg(nullptr, info);
    std::vector<CString> channels, cbr, vbr, quality;
    std::vector<int> selected;
    CString caption;
    RunModal(dlg, [&](CDialog& d) {
        channels = ComboRows(d, IDC_MP3_CHANNEL);
        cbr = ComboRows(d, IDC_MP3_CBR);
        vbr = ComboRows(d, IDC_MP3_VBR);
        quality = ComboRows(d, IDC_MP3_QUALITY);
        for (int id : {IDC_MP3_CHANNEL, IDC_MP3_CBR, IDC_MP3_VBR, IDC_MP3_QUALITY})
            selected.push_back(ComboSel(d, id));
        caption = d.GetWindowTextString();
    });
    EXPECT_EQ(channels, (std::vector<CString>{u"Compelling Mono", u"Stereo", u"Joint Stereo", u"MidSide Stereo",
                                              u"Dual channel"}));
    ASSERT_EQ(cbr.size(), 14u);
    EXPECT_EQ(cbr.front(), CString(u" 32kbps"));
    EXPECT_EQ(cbr[7], CString(u"112kbps"));
    EXPECT_EQ(cbr.back(), CString(u"320kbps"));
    ASSERT_EQ(vbr.size(), 14u);
    EXPECT_EQ(vbr.front(), CString(u"  8kbps"));
    EXPECT_EQ(vbr.back(), CString(u"160kbps"));
    ASSERT_EQ(quality.size(), 10u);
    EXPECT_EQ(quality.front(), CString(u"0"));
    EXPECT_EQ(quality.back(), CString(u"9"));
    EXPECT_EQ(selected, (std::vector<int>{3, 10, 0, 9}));
    EXPECT_EQ(caption, CString(u"Setting MP3 Encoder(MP3/Layer-3 WAV)"));
}

TEST_F(AudioSettingsTest, Mp3OkTakesTheSelectedRowsAndCancelNothing)
{
    for (bool ok : {true, false}) {
        CAudioInfo info;
        CMP3SetDlg dlg(nullptr, info);
        RunModal(dlg, [&](CDialog& d) {
            SelectRow(d, IDC_MP3_CHANNEL, 4);
            SelectRow(d, IDC_MP3_CBR, 13);
            SelectRow(d, IDC_MP3_VBR, 1);
            SelectRow(d, IDC_MP3_QUALITY, 7);
            Click(d, IDC_MP3_VBR_CHECK);
            d.SendMessage(WM_COMMAND, ok ? IDOK : IDCANCEL, 0);
        });
        const CAudioInfo& out = dlg.AudioInfo();
        if (ok) {
            EXPECT_EQ(out.EncType, 4);
            EXPECT_EQ(out.cbr_bps, 320);
            EXPECT_EQ(out.vbr_bps, 16);
            EXPECT_EQ(out.Qual, 7);
            EXPECT_EQ(out.vbr, 1);
        } else {
            EXPECT_EQ(out.EncType, info.EncType);
            EXPECT_EQ(out.cbr_bps, info.cbr_bps);
            EXPECT_EQ(out.vbr, info.vbr);
        }
    }
}

TEST_F(AudioSettingsTest, Mp3StoredValuesThatMatchNoRowSurviveOk)
{
    CAudioInfo info;
    info.EncType = 7;
    info.cbr_bps = 100;
    info.vbr_bps = 7;
    info.Qual = -1;
    CMP3SetDlg dlg(nullptr, info);
    std::vector<int> selected;
    RunModal(dlg, [&](CDialog& d) {
        for (int id : {IDC_MP3_CHANNEL, IDC_MP3_CBR, IDC_MP3_VBR, IDC_MP3_QUALITY})
            selected.push_back(ComboSel(d, id));
        d.SendMessage(WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(selected, (std::vector<int>{-1, -1, -1, -1}));
    EXPECT_EQ(dlg.AudioInfo().EncType, 7);
    EXPECT_EQ(dlg.AudioInfo().cbr_bps, 100);
    EXPECT_EQ(dlg.AudioInfo().vbr_bps, 7);
    EXPECT_EQ(dlg.AudioInfo().Qual, -1);
}

TEST_F(AudioSettingsTest, Mp3TheVbrBoxSwitchesBetweenTheTwoGroups)
{
    const std::vector<int> vbrGroup = {IDC_MP3_VBR_GROUP, IDC_MP3_QUALITY_LABEL, IDC_MP3_QUALITY, IDC_MP3_VBR_LABEL,
                                       IDC_MP3_VBR};
    const std::vector<int> cbrGroup = {IDC_MP3_CBR, IDC_MP3_CBR_LABEL};
    for (int vbr : {0, 1}) {
        CAudioInfo info;
        info.vbr = vbr;
        CMP3SetDlg dlg(nullptr, info);
        RunModal(dlg, [&](CDialog& d) {
            for (int flip = 0; flip < 2; ++flip) {
                const bool on = (vbr == 1) != (flip == 1);
                for (int id : vbrGroup)
                    EXPECT_EQ(Enabled(d, id), on) << id << " vbr " << vbr << " flip " << flip;
                for (int id : cbrGroup)
                    EXPECT_EQ(Enabled(d, id), !on) << id << " vbr " << vbr << " flip " << flip;
                Click(d, IDC_MP3_VBR_CHECK);
            }
        });
    }
}

// ---- WMA

class TestWmaDlg : public CWMASetDlg {
public:
    TestWmaDlg(const CAudioInfo& info, DWORD v4, DWORD v7) : CWMASetDlg(nullptr, info), m_v4(v4), m_v7(v7) {}

protected:
    DWORD CountProfiles(WMT_VERSION version) const override { return version == WMT_VER_4_0 ? m_v4 : m_v7; }

private:
    DWORD m_v4, m_v7;
};

struct WmaOpenCase {
    const char* name;
    int select;
    DWORD v4, v7;
    int versionShown;
    int v4Rows, v7Rows;
    int v4Sel, v7Sel;
};
void PrintTo(const WmaOpenCase& c, std::ostream* os) { *os << c.name; }

class WmaOpen : public AudioSettingsTest, public ::testing::WithParamInterface<WmaOpenCase> {};

TEST_P(WmaOpen, OpensOnTheStoredChoiceWithTheVersionsTheRuntimeHas)
{
    const WmaOpenCase& c = GetParam();
    CAudioInfo info;
    info.wmaSelect = c.select;
    info.wma4 = 10;
    info.wma7 = 17;
    TestWmaDlg dlg(info, c.v4, c.v7);
    int version = -9, v4Rows = -9, v7Rows = -9, v4Sel = -9, v7Sel = -9;
    std::vector<bool> enabled;
    RunModal(dlg, [&](CDialog& d) {
        version = ComboSel(d, IDC_WMA_VERSION);
        v4Rows = static_cast<int>(ComboRows(d, IDC_WMA_V4).size());
        v7Rows = static_cast<int>(ComboRows(d, IDC_WMA_V7).size());
        v4Sel = ComboSel(d, IDC_WMA_V4);
        v7Sel = ComboSel(d, IDC_WMA_V7);
        for (int id : {IDC_WMA_V4, IDC_WMA_V7, IDC_WMA_PRX, IDC_WMA_PRX_BROWSE, IDC_WMA_TWOPASS})
            enabled.push_back(Enabled(d, id));
        d.SendMessage(WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(version, c.versionShown);
    EXPECT_EQ(v4Rows, c.v4Rows);
    EXPECT_EQ(v7Rows, c.v7Rows);
    EXPECT_EQ(v4Sel, c.v4Sel);
    EXPECT_EQ(v7Sel, c.v7Sel);
    const std::vector<bool> expected = {version == 0, version == 1, version == 2, version == 2, version == 2};
    EXPECT_EQ(enabled, expected);
    // Emptied lists keep their stored values.
    EXPECT_EQ(dlg.AudioInfo().wma4, 10);
    EXPECT_EQ(dlg.AudioInfo().wma7, 17);
    EXPECT_EQ(dlg.AudioInfo().wmaSelect, c.versionShown);
}

INSTANTIATE_TEST_SUITE_P(Versions, WmaOpen,
                         ::testing::Values(WmaOpenCase{"v4", 0, 3, 3, 0, 8, 8, 6, 0},
                                           WmaOpenCase{"v7", 1, 3, 3, 1, 8, 8, 6, 0},
                                           WmaOpenCase{"prx", 2, 3, 3, 2, 8, 8, 6, 0},
                                           WmaOpenCase{"beyond_rows_opens_on_v4", 3, 3, 3, 0, 8, 8, 6, 0},
                                           WmaOpenCase{"no_v4_profiles", 0, 0, 3, 1, 0, 8, -1, 0},
                                           WmaOpenCase{"no_v7_profiles", 1, 3, 0, 1, 8, 0, 6, -1}),
                         [](const ::testing::TestParamInfo<WmaOpenCase>& info) {
                             return std::string(info.param.name);
                         });

// The user changes the version with the keyboard on its list: each version's own controls
// follow, and OK stores the version shown.
TEST_F(AudioSettingsTest, WmaTheVersionTheUserChoosesEnablesOnlyItsOwnControls)
{
    CAudioInfo info;
    info.wmaSelect = 0;
    TestWmaDlg dlg(info, 3, 3);
    struct Seen {
        int version;
        std::vector<bool> enabled;
    };
    const int v4Group[] = {IDC_WMA_V4, IDC_WMA_V4_LABEL};
    const int v7Group[] = {IDC_WMA_V7, IDC_WMA_V7_LABEL};
    const int prxGroup[] = {IDC_WMA_PRX_LABEL, IDC_WMA_PRX, IDC_WMA_PRX_BROWSE, IDC_WMA_TWOPASS};
    std::vector<Seen> seen;
    RunModal(dlg, [&](CDialog& d) {
        QWidget* version = WidgetOf(d.GetDlgItem(IDC_WMA_VERSION));
        version->setFocus();
        for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Up}) {
            QTest::keyClick(version, key);
            Seen s{ComboSel(d, IDC_WMA_VERSION), {}};
            for (const auto& group : {std::vector<int>(std::begin(v4Group), std::end(v4Group)),
                                      std::vector<int>(std::begin(v7Group), std::end(v7Group)),
                                      std::vector<int>(std::begin(prxGroup), std::end(prxGroup))})
                for (int id : group)
                    s.enabled.push_back(Enabled(d, id));
            seen.push_back(s);
        }
        QTest::keyClick(version, Qt::Key_Down);
        d.SendMessage(WM_COMMAND, IDOK, 0);
    });
    ASSERT_EQ(seen.size(), 4u);
    const int versions[] = {1, 2, 1, 0};
    for (size_t i = 0; i < seen.size(); ++i) {
        const int v = versions[i];
        EXPECT_EQ(seen[i].version, v) << i;
        const std::vector<bool> expected = {v == 0, v == 0, v == 1, v == 1, v == 2, v == 2, v == 2, v == 2};
        EXPECT_EQ(seen[i].enabled, expected) << "version " << v;
    }
    EXPECT_EQ(dlg.AudioInfo().wmaSelect, 1);
}

TEST_F(AudioSettingsTest, WmaListsItsRowsWithTheirValues)
{
    CAudioInfo info;
    TestWmaDlg dlg(info, 1, 1);
    std::vector<CString> v4, v7, versions;
    RunModal(dlg, [&](CDialog& d) {
        v4 = ComboRows(d, IDC_WMA_V4);
        v7 = ComboRows(d, IDC_WMA_V7);
        versions = ComboRows(d, IDC_WMA_VERSION);
        SelectRow(d, IDC_WMA_V4, 7);
        SelectRow(d, IDC_WMA_V7, 4);
        d.SendMessage(WM_COMMAND, IDOK, 0);
    });
    ASSERT_EQ(v4.size(), 8u);
    EXPECT_EQ(v4.front(), CString(u"  6.5kbps Mono"));
    EXPECT_EQ(v4[1], CString(u" 16kbps Mono"));
    ASSERT_EQ(v7.size(), 8u);
    EXPECT_EQ(v7[1], CString(u" 20kbps Mono"));
    EXPECT_EQ(v7[4], CString(u" 48kbps Stereo"));
    EXPECT_EQ(versions, (std::vector<CString>{u"V4", u"V7", u"PRX"}));
    EXPECT_EQ(dlg.AudioInfo().wma4, 11);
    EXPECT_EQ(dlg.AudioInfo().wma7, 21);
}

TEST_F(AudioSettingsTest, WmaDroppedFilesReplaceTheProfileOnlyWhileItIsEdited)
{
    CAudioInfo info;
    info.wmaSelect = 0;
    info.wmaPRX = u"/p/old.prx";
    TestWmaDlg dlg(info, 1, 1);
    CString afterV4Drop, afterPrxDrops;
    RunModal(dlg, [&](CDialog& d) {
        DropFileList first({CString(u"/p/ignored.prx")});
        d.SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(first.Handle()), 0);
        afterV4Drop = ItemText(d, IDC_WMA_PRX);
        SelectRow(d, IDC_WMA_VERSION, 2);
        DropFileList several({CString(u"/p/one.prx"), CString(u"/p/two.prx")});
        d.SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(several.Handle()), 0);
        afterPrxDrops = ItemText(d, IDC_WMA_PRX);
        Click(d, IDC_WMA_TWOPASS);
        d.SendMessage(WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(afterV4Drop, CString(u"/p/old.prx"));
    EXPECT_EQ(afterPrxDrops, CString(u"/p/two.prx"));
    EXPECT_EQ(dlg.AudioInfo().wmaPRX, CString(u"/p/two.prx"));
    EXPECT_EQ(dlg.AudioInfo().wmaSelect, 2);
    EXPECT_EQ(dlg.AudioInfo().wma2Pass, 1);
}

TEST_F(AudioSettingsTest, WmaBrowseSetsTheProfileAndCancelKeepsIt)
{
    TempFolder folder;
    WriteFileText(folder.Path() + "/chosen.PRX", "x");
    CAudioInfo info;
    info.wmaSelect = 2;
    info.wmaPRX = u"/p/old.prx";
    TestWmaDlg dlg(info, 1, 1);
    CString afterCancel, afterChoice;
    const QString dir = QString::fromStdString(folder.Path());
    RunModal(dlg, [&](CDialog& d) {
        WhenModal([] { qobject_cast<QFileDialog*>(QApplication::activeModalWidget())->reject(); });
        Click(d, IDC_WMA_PRX_BROWSE);
        afterCancel = ItemText(d, IDC_WMA_PRX);
        WhenModal([dir] {
            auto* picker = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            picker->setDirectory(dir);
            picker->selectFile("chosen.PRX");
            static_cast<QDialog*>(picker)->accept();
        });
        Click(d, IDC_WMA_PRX_BROWSE);
        afterChoice = ItemText(d, IDC_WMA_PRX);
    });
    EXPECT_EQ(afterCancel, CString(u"/p/old.prx"));
    EXPECT_TRUE(QString::fromUtf16(afterChoice.GetString()).endsWith("/chosen.PRX"));
    EXPECT_EQ(dlg.AudioInfo().wmaPRX, CString(u"/p/old.prx")); // closed, not OK
}

// ---- the record

TEST_F(AudioSettingsTest, TheRecordSavesItsElevenValuesAndReadsThemBack)
{
    TempConfigHome config;
    CAppProfile profile;
    profile.SetRegistryKey(u"AudioTest", u"Torvina");
    AfxSetAppProfile(&profile);
    CAudioInfo info;
    info.EncType = 4;
    info.cbr_bps = 320;
    info.vbr = 1;
    info.Qual = 8;
    info.vbr_bps = 24;
    info.wma7 = 18;
    info.wma4 = 5;
    info.wmaPRX = u"/p/x.prx";
    info.wma2Pass = 1;
    info.wmaSelect = 2;
    info.VOL = 150;
    info.Save();
    EXPECT_EQ(GetAppProfileInt(u"data", u"vol", 0), 150); // the key the settings record shares
    EXPECT_EQ(GetAppProfileString(u"DATA", u"wmaPRX", u""), CString(u"/p/x.prx"));
    CAudioInfo back;
    back.Load();
    AfxSetAppProfile(nullptr);
    EXPECT_EQ(back.EncType, 4);
    EXPECT_EQ(back.cbr_bps, 320);
    EXPECT_EQ(back.vbr, 1);
    EXPECT_EQ(back.Qual, 8);
    EXPECT_EQ(back.vbr_bps, 24);
    EXPECT_EQ(back.wma7, 18);
    EXPECT_EQ(back.wma4, 5);
    EXPECT_EQ(back.wmaPRX, CString(u"/p/x.prx"));
    EXPECT_EQ(back.wma2Pass, 1);
    EXPECT_EQ(back.wmaSelect, 2);
    EXPECT_EQ(back.VOL, 150);
}

} // namespace

#include "dialogs/bat_encode_dlg.h"
#include "foundation/profile_access.h"
#include "platform/afx/app_profile.h"
#include "platform/afx/cwinapp.h"
#include "platform/afx/shell.h"
#include "platform/win/power.h"
#include "resources/aux_dialog_ids.h"
#include "tests/dialogs/dialog_test_support.h"
#include "tests/support/recording_power_backend.h"
#include "tests/support/scoped_locale.h"
#include "tests/support/test_support.h"

#include <QFileDialog>
#include <QSystemTrayIcon>

#include <gtest/gtest.h>

#include <memory>

using win::PowerRequest;
using win::SetPowerBackend;

namespace {

constexpr UINT WM_ENCODE = WM_USER + 501, WM_STOPENCODE = WM_USER + 502;

// The owner that "encodes": it records each project and what the dialog looked like meanwhile,
// and can act on the dialog while a project is being processed.
class RecordingOwner : public CWnd {
public:
    struct Seen {
        CString path;
        int rows;
        bool startEnabled, stopEnabled, addEnabled, deleteEnabled;
    };
    std::vector<Seen> seen;
    int stops = 0;
    CBatEncodeDlg* dlg = nullptr;
    std::function<void(CBatEncodeDlg&, size_t)> during;

    LRESULT OnEncode(WPARAM w, LPARAM)
    {
        seen.push_back({CString(reinterpret_cast<LPCWSTR>(w)), dlg->ProjectList().GetCount(),
                        Enabled(*dlg, IDC_BAT_START), Enabled(*dlg, IDC_BAT_STOP), Enabled(*dlg, IDC_BAT_ADD),
                        Enabled(*dlg, IDC_BAT_DELETE)});
        if (during)
            during(*dlg, seen.size() - 1);
        return 0;
    }
    LRESULT OnStop(WPARAM, LPARAM)
    {
        ++stops;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(RecordingOwner, CWnd)
    ON_MESSAGE(WM_ENCODE, OnEncode)
    ON_MESSAGE(WM_STOPENCODE, OnStop)
END_MESSAGE_MAP()

class BatEncodeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApp();
        m_profile.SetRegistryKey(u"BatchTest", u"Torvina");
        AfxSetAppProfile(&m_profile);
        SetPowerBackend(std::make_unique<RecordingBackend>(power));
        ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), u"owner", WS_POPUP, 0, 0, 80, 80, nullptr, 0));
    }
    void TearDown() override
    {
        SetPowerBackend(nullptr);
        AfxSetAppProfile(nullptr);
    }
    // Opens the dialog with the projects listed, runs step, and closes it when step left it open.
    INT_PTR Run(std::vector<CString> projects, std::function<void(CBatEncodeDlg&)> step)
    {
        CBatEncodeDlg dlg(&owner, WM_ENCODE, WM_STOPENCODE);
        owner.dlg = &dlg;
        return RunModal(dlg, [&](CDialog&) {
            for (const CString& p : projects)
                dlg.ProjectList().AddItem(p);
            step(dlg);
        });
    }
    static void SelectEnd(CBatEncodeDlg& d, int row) { SelectRow(d, IDC_BAT_END_ACTION, row); }
    static int StoredEnd() { return GetAppProfileInt(u"DATA", u"ShutDown", 12345); }

    ScopedLocale locale{kEnglishLocale};
    TempConfigHome config;
    CAppProfile m_profile;
    std::vector<PowerRequest> power;
    RecordingOwner owner;
    const std::vector<CString> three{u"/p/one.ini", u"/p/two.ini", u"/p/three.ini"};
};

TEST_F(BatEncodeTest, OpensWithTheEndActionRowsOnTheStoredRow)
{
    WriteAppProfileInt(u"data", u"ShutDown", 3);
    std::vector<CString> rows;
    int selected = -9;
    std::vector<DWORD_PTR> values;
    bool startEnabled = false, stopEnabled = true;
    Run({}, [&](CBatEncodeDlg& d) {
        rows = ComboRows(d, IDC_BAT_END_ACTION);
        selected = ComboSel(d, IDC_BAT_END_ACTION);
        auto* combo = static_cast<CComboBox*>(d.GetDlgItem(IDC_BAT_END_ACTION));
        for (int i = 0; i < combo->GetCount(); ++i)
            values.push_back(combo->GetItemData(i));
        startEnabled = Enabled(d, IDC_BAT_START);
        stopEnabled = Enabled(d, IDC_BAT_STOP);
    });
    EXPECT_EQ(rows, (std::vector<CString>{u"Nothing", u"shutdown", u"suspend", u"hibernate", u"Exit"}));
    EXPECT_EQ(selected, 3);
    const std::vector<DWORD_PTR> expected = {static_cast<DWORD_PTR>(-5), 1, static_cast<DWORD_PTR>(-2),
                                             static_cast<DWORD_PTR>(-1), static_cast<DWORD_PTR>(-5)};
    EXPECT_EQ(values, expected);
    EXPECT_TRUE(startEnabled);
    EXPECT_FALSE(stopEnabled);
}

TEST_F(BatEncodeTest, EachProjectGoesToTheOwnerInOrderWithTheListLocked)
{
    Run(three, [&](CBatEncodeDlg& d) {
        SelectEnd(d, 0);
        Click(d, IDC_BAT_START);
        EXPECT_EQ(d.ProjectList().GetCount(), 0);
        EXPECT_TRUE(Enabled(d, IDC_BAT_START));
        EXPECT_FALSE(Enabled(d, IDC_BAT_STOP));
        EXPECT_TRUE(Enabled(d, IDC_BAT_ADD));
    });
    ASSERT_EQ(owner.seen.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(owner.seen[i].path, three[i]);
        EXPECT_EQ(owner.seen[i].rows, static_cast<int>(3 - i)); // the row goes only when its project is done
        EXPECT_FALSE(owner.seen[i].startEnabled);
        EXPECT_TRUE(owner.seen[i].stopEnabled);
        EXPECT_FALSE(owner.seen[i].addEnabled);
        EXPECT_FALSE(owner.seen[i].deleteEnabled);
    }
    EXPECT_EQ(StoredEnd(), 0);
    EXPECT_TRUE(power.empty());
}

TEST_F(BatEncodeTest, EditsTriedDuringABatchLoseNoProjectAndRunNoneTwice)
{
    owner.during = [](CBatEncodeDlg& d, size_t index) {
        if (index != 0)
            return;
        d.ProjectList().SetCurSel(1);
        d.OnFileDelete();
        d.OnFileAdd(); // would open the file dialog were the list not locked
        Click(d, IDC_BAT_START);
    };
    Run(three, [](CBatEncodeDlg& d) { Click(d, IDC_BAT_START); });
    std::vector<CString> paths;
    for (const auto& s : owner.seen)
        paths.push_back(s.path);
    EXPECT_EQ(paths, three);
}

struct EndCase {
    const char* name;
    int row;
    std::vector<PowerRequest> requests;
    bool dialogCloses;
};
void PrintTo(const EndCase& c, std::ostream* os) { *os << c.name; }

class BatEncodeEnd : public BatEncodeTest, public ::testing::WithParamInterface<EndCase> {};

TEST_P(BatEncodeEnd, AFinishedBatchStoresTheRowAndTakesItsAction)
{
    const EndCase& c = GetParam();
    bool openAfterBatch = false;
    const INT_PTR end = Run(three, [&](CBatEncodeDlg& d) {
        SelectEnd(d, c.row);
        Click(d, IDC_BAT_START);
        openAfterBatch = d.IsWindowVisible() != FALSE;
    });
    EXPECT_EQ(owner.seen.size(), 3u);
    EXPECT_EQ(StoredEnd(), c.row);
    EXPECT_EQ(power, c.requests);
    EXPECT_EQ(openAfterBatch, !c.dialogCloses);
    EXPECT_EQ(end, IDCANCEL);
}

INSTANTIATE_TEST_SUITE_P(Rows, BatEncodeEnd,
                         ::testing::Values(EndCase{"nothing", 0, {}, false},
                                           EndCase{"shutdown", 1, {PowerRequest::PowerOff}, false},
                                           EndCase{"suspend", 2, {PowerRequest::Suspend}, false},
                                           EndCase{"hibernate", 3, {PowerRequest::Hibernate}, false},
                                           EndCase{"exit", 4, {}, true}),
                         [](const ::testing::TestParamInfo<EndCase>& info) { return std::string(info.param.name); });

TEST_F(BatEncodeTest, AStoredRowThatMatchesNoRowIsKeptAndTakesNoAction)
{
    WriteAppProfileInt(u"data", u"ShutDown", 9);
    Run(three, [](CBatEncodeDlg& d) {
        EXPECT_EQ(ComboSel(d, IDC_BAT_END_ACTION), -1);
        Click(d, IDC_BAT_START);
    });
    EXPECT_EQ(owner.seen.size(), 3u);
    EXPECT_EQ(StoredEnd(), 9);
    EXPECT_TRUE(power.empty());
}

TEST_F(BatEncodeTest, StartOnAnEmptyListDoesNothing)
{
    WriteAppProfileInt(u"data", u"ShutDown", 0);
    Run({}, [](CBatEncodeDlg& d) {
        SelectEnd(d, 1);
        Click(d, IDC_BAT_START);
        EXPECT_TRUE(Enabled(d, IDC_BAT_START));
    });
    EXPECT_TRUE(owner.seen.empty());
    EXPECT_TRUE(power.empty());
    EXPECT_EQ(StoredEnd(), 0);
}

struct InterruptCase {
    const char* name;
    bool close; // the close box, else "Bat Stop"
};
void PrintTo(const InterruptCase& c, std::ostream* os) { *os << c.name; }

class BatEncodeInterrupt : public BatEncodeTest, public ::testing::WithParamInterface<InterruptCase> {};

TEST_P(BatEncodeInterrupt, StoppingDuringAProjectEndsTheBatchWithoutEndAction)
{
    WriteAppProfileInt(u"data", u"ShutDown", 0);
    owner.during = [this](CBatEncodeDlg& d, size_t index) {
        if (index != 1)
            return;
        if (GetParam().close)
            d.SendMessage(WM_CLOSE);
        else
            Click(d, IDC_BAT_STOP);
    };
    int rowsLeft = -1;
    Run(three, [&](CBatEncodeDlg& d) {
        SelectEnd(d, 1);
        Click(d, IDC_BAT_START);
        rowsLeft = d.ProjectList().GetCount();
    });
    EXPECT_EQ(owner.seen.size(), 2u);
    EXPECT_EQ(owner.stops, 1);
    EXPECT_EQ(rowsLeft, 1); // the project being processed leaves the list, the rest stays
    EXPECT_TRUE(power.empty());
    EXPECT_EQ(StoredEnd(), 0);
}

INSTANTIATE_TEST_SUITE_P(Ways, BatEncodeInterrupt,
                         ::testing::Values(InterruptCase{"stop", false}, InterruptCase{"close", true}),
                         [](const ::testing::TestParamInfo<InterruptCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(BatEncodeTest, AddedFilesGoInAtTheSelectedRowOrAtTheEnd)
{
    TempFolder folder;
    std::vector<QString> files;
    for (const char* name : {"a.ini", "b.ini"}) {
        files.push_back(QString::fromStdString(folder.Path() + "/" + name));
        WriteFileText(files.back().toStdString(), "[P]\n");
    }
    std::vector<CString> rows;
    Run({u"/p/x.ini", u"/p/y.ini"}, [&](CBatEncodeDlg& d) {
        WhenModal([&] {
            auto* picker = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(picker, nullptr);
            EXPECT_EQ(picker->fileMode(), QFileDialog::ExistingFiles);
            picker->setDirectory(QString::fromStdString(folder.Path()));
            picker->selectFile("\"a.ini\" \"b.ini\"");
            static_cast<QDialog*>(picker)->accept();
        });
        d.ProjectList().SetCurSel(1);
        Click(d, IDC_BAT_ADD);
        for (int i = 0; i < d.ProjectList().GetCount(); ++i) {
            CString text;
            d.ProjectList().GetText(i, text);
            rows.push_back(text);
        }
    });
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows.front(), CString(u"/p/x.ini"));
    EXPECT_EQ(rows.back(), CString(u"/p/y.ini"));
    for (const QString& file : files)
        EXPECT_NE(std::find(rows.begin(), rows.end(), CString(reinterpret_cast<const char16_t*>(file.utf16()))),
                  rows.end());
}

// A notification area that records its icons, or that does not exist.
class FakeTray : public TrayHost {
public:
    explicit FakeTray(bool available, std::vector<CString>* balloons) : m_available(available), m_balloons(balloons) {}
    bool Available() override { return m_available; }
    bool Add(const NOTIFYICONDATAW& d) override
    {
        if (!m_available)
            return false;
        m_balloons->push_back((d.uFlags & NIF_INFO) ? CString(d.szInfo) : CString());
        return true;
    }
    bool Modify(const NOTIFYICONDATAW&) override { return m_available; }
    bool Remove(HWND, UINT) override { return m_available; }

private:
    bool m_available;
    std::vector<CString>* m_balloons;
};

struct TrayCase {
    const char* name;
    bool host;
};
void PrintTo(const TrayCase& c, std::ostream* os) { *os << c.name; }

class BatEncodeTray : public BatEncodeTest, public ::testing::WithParamInterface<TrayCase> {};

TEST_P(BatEncodeTray, WindowsHideOnlyWhereTheTrayCanBringThemBack)
{
    std::vector<CString> balloons;
    auto previous = SetTrayHost(std::make_unique<FakeTray>(GetParam().host, &balloons));
    bool hidden = false, shownAfterRightClick = false, shownAfterLeftClick = false, stillInTray = true;
    Run({}, [&](CBatEncodeDlg& d) {
        Click(d, IDC_BAT_TRAY);
        hidden = !d.IsWindowVisible();
        d.OnTimer(1); // the icon is added again; its balloon shows only the first time
        d.SendMessage(WM_TRAYNOTIFY, 1, WM_RBUTTONDOWN);
        shownAfterRightClick = d.IsWindowVisible() != FALSE;
        d.SendMessage(WM_TRAYNOTIFY, 1, WM_LBUTTONDOWN);
        shownAfterLeftClick = d.IsWindowVisible() != FALSE;
        stillInTray = d.TrayIcon().IsAdded() != FALSE;
    });
    SetTrayHost(std::move(previous));
    EXPECT_EQ(hidden, GetParam().host);
    EXPECT_EQ(shownAfterRightClick, !GetParam().host);
    EXPECT_TRUE(shownAfterLeftClick);
    if (GetParam().host) {
        ASSERT_EQ(balloons.size(), 2u);
        EXPECT_EQ(balloons[0], CString(u"In the TaskTray"));
        EXPECT_TRUE(balloons[1].IsEmpty()); // the timer's re-add shows no balloon
        EXPECT_FALSE(stillInTray);
    } else {
        EXPECT_TRUE(balloons.empty());
    }
}

TEST_F(BatEncodeTest, EachHidingShowsTheBalloonOnceAndTheTimersReAddsShowNone)
{
    std::vector<CString> balloons;
    auto previous = SetTrayHost(std::make_unique<FakeTray>(true, &balloons));
    Run({}, [&](CBatEncodeDlg& d) {
        for (int hiding = 0; hiding < 2; ++hiding) {
            Click(d, IDC_BAT_TRAY);
            d.OnTimer(1);
            d.SendMessage(WM_TRAYNOTIFY, 1, WM_LBUTTONDOWN);
        }
    });
    SetTrayHost(std::move(previous));
    const std::vector<CString> expected = {u"In the TaskTray", u"", u"In the TaskTray", u""};
    EXPECT_EQ(balloons, expected);
}

// The toolkit's own tray icon, as where the desktop has a notification area.
class AvailableTray : public ToolkitTrayHost {
public:
    bool Available() override { return true; }
};

struct Activation {
    const char* name;
    std::vector<QSystemTrayIcon::ActivationReason> reasons;
    bool brings_back;
};
void PrintTo(const Activation& a, std::ostream* os) { *os << a.name; }

class BatEncodeTrayActivation : public BatEncodeTest, public ::testing::WithParamInterface<Activation> {};

TEST_P(BatEncodeTrayActivation, ALeftClickOnTheIconBringsTheWindowsBack)
{
    auto host = std::make_unique<AvailableTray>();
    AvailableTray* tray = host.get();
    auto previous = SetTrayHost(std::move(host));
    bool hidden = false, shown = false, iconLeft = true;
    Run({}, [&](CBatEncodeDlg& d) {
        Click(d, IDC_BAT_TRAY);
        hidden = !d.IsWindowVisible();
        d.OnTimer(1);
        QSystemTrayIcon* icon = tray->Icon(d.m_hWnd, 1);
        ASSERT_NE(icon, nullptr);
        for (QSystemTrayIcon::ActivationReason reason : GetParam().reasons)
            emit icon->activated(reason);
        ProcessEvents();
        shown = d.IsWindowVisible() != FALSE;
        iconLeft = tray->Icon(d.m_hWnd, 1) != nullptr;
        if (!shown)
            d.SendMessage(WM_TRAYNOTIFY, 1, WM_LBUTTONDOWN); // back, so that the dialog can close
    });
    SetTrayHost(std::move(previous));
    EXPECT_TRUE(hidden);
    EXPECT_EQ(shown, GetParam().brings_back);
    EXPECT_EQ(iconLeft, !GetParam().brings_back);
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, BatEncodeTrayActivation,
    ::testing::Values(Activation{"click", {QSystemTrayIcon::Trigger}, true},
                      // a double click reaches the icon as a click, then the double click
                      Activation{"double_click", {QSystemTrayIcon::Trigger, QSystemTrayIcon::DoubleClick}, true},
                      Activation{"right_click", {QSystemTrayIcon::Context}, false},
                      Activation{"middle_click", {QSystemTrayIcon::MiddleClick}, false}),
    [](const ::testing::TestParamInfo<Activation>& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(Hosts, BatEncodeTray,
                         ::testing::Values(TrayCase{"with_host", true}, TrayCase{"without_host", false}),
                         [](const ::testing::TestParamInfo<TrayCase>& info) { return std::string(info.param.name); });

TEST(BatchEnd, RowsMapToTheirActions)
{
    EXPECT_EQ(BatchEndOf(0).kind, BatchEndKind::Nothing);
    EXPECT_EQ(BatchEndOf(1).kind, BatchEndKind::Power);
    EXPECT_EQ(BatchEndOf(1).powerAction, 1);
    EXPECT_EQ(BatchEndOf(2).powerAction, -2);
    EXPECT_EQ(BatchEndOf(3).powerAction, -1);
    EXPECT_EQ(BatchEndOf(4).kind, BatchEndKind::ExitProgram);
    EXPECT_EQ(BatchEndOf(-1).kind, BatchEndKind::Nothing);
    EXPECT_EQ(BatchEndOf(5).kind, BatchEndKind::Nothing);
}

} // namespace

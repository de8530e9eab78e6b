#include "app/main_frame.h"
#include "app/torvina_doc.h"
#include "platform/afx/cwinapp.h"
#include "platform/afx/frame_host.h"
#include "platform/afx/visual_manager.h"
#include "platform/win/process.h"
#include "resources/resource_ids.h"
#include "tests/support/qt_app.h"
#include "tests/support/scoped_locale.h"
#include "ui/base_view.h"

#include <QAction>
#include <QMenu>
#include <QShortcut>
#include <QToolBar>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

namespace {

// The main window made as the program makes it, in a chosen language and with its own profile.
class FrameFixture : public ::testing::Test {
protected:
    void Start(const char* lang)
    {
        TestApp();
        m_locale = std::make_unique<ScopedLocale>(lang);
        m_app = std::make_unique<CWinApp>(u"Torvina");
        m_app->SetRegistryKey(u"FrameTest");
        m_app->AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CTorvinaDoc),
                                                     RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CBaseView)));
        CCommandLineInfo info;
        ASSERT_TRUE(m_app->ProcessShellCommand(info));
        frame = dynamic_cast<CMainFrame*>(m_app->m_pMainWnd);
        ASSERT_NE(frame, nullptr);
        doc = dynamic_cast<CTorvinaDoc*>(frame->GetActiveDocument());
        ASSERT_NE(doc, nullptr);
    }
    void Close()
    {
        if (m_app && m_app->m_pMainWnd)
            m_app->m_pMainWnd->SendMessage(WM_CLOSE);
        ProcessEvents();
        TakeQuitMessage(nullptr);
        frame = nullptr;
        doc = nullptr;
        m_app.reset();
    }
    void TearDown() override { Close(); }

    CCmdUI StateOf(UINT id)
    {
        CCmdUI state;
        state.m_nID = id;
        frame->UpdateCommandState(state);
        return state;
    }

    TempConfigHome m_config;
    std::unique_ptr<ScopedLocale> m_locale;
    std::unique_ptr<CWinApp> m_app;
    CMainFrame* frame = nullptr;
    CTorvinaDoc* doc = nullptr;
};

struct MenuEntry {
    QString popup; // the top-level popup it is found under
    QString text;
    UINT id;
    bool operator==(const MenuEntry&) const = default;
};

void Collect(const QMenu* menu, const QString& popup, std::vector<MenuEntry>& out)
{
    for (QAction* action : menu->actions()) {
        if (action->isSeparator())
            continue;
        if (action->menu())
            Collect(action->menu(), popup, out);
        else if (const UINT id = action->property("afxCommandId").toUInt())
            out.push_back({popup, action->text(), id});
    }
}

std::vector<MenuEntry> MenuOf(const CMainFrame* frame)
{
    std::vector<MenuEntry> entries;
    for (int i = 0; i < frame->m_menuBar.GetCount(); ++i)
        if (const QMenu* popup = frame->m_menuBar.GetPopup(i))
            Collect(popup, ToQString(frame->m_menuBar.GetPopupText(i)), entries);
    return entries;
}

std::ostream& operator<<(std::ostream& os, const MenuEntry& e)
{
    return os << e.popup.toStdString() << " / " << e.text.toStdString() << " = " << e.id;
}

class MainFrameTest : public FrameFixture {};

TEST_F(MainFrameTest, JapaneseSystemsGetMenu128WithItsCommandsInOrder)
{
    Start(kJapaneseLocale);
    const QString folder = QStringLiteral("1.入力画像フォルダの設定(&I)"),
                  type = QStringLiteral("2.読込画像拡張子(&K)"), output = QStringLiteral("3.出力項目設定(&O)"),
                  play = QStringLiteral("4.画像読込(&R)"), filter = QStringLiteral("フィルター(&K)"),
                  other = QStringLiteral("その他(&S)"), help = QStringLiteral("ヘルプ(&H)");
    const std::vector<MenuEntry> expected = {
        {folder, "1.入力画像フォルダの選択(&I)", 57601},
        {type, "JPG(&J)", 32901},
        {type, "BMP(&B)", 32902},
        {type, "TIF(&T)", 32903},
        {type, "PNG(&P)", 32904},
        {output, "再生時にAVI作成(&A)", 32910},
        {output, "再生時にWMV作成(&W)", 32911},
        {output, "出力設定...(&S)", 32912},
        {play, "再生\tCtrl+P", 32791},
        {play, "一時停止\tSpace", 32793},
        {play, "停止\tCtrl+S", 32874},
        {play, "始端に移動(&S)", 32873},
        {play, "終端に移動(&E)", 32870},
        {play, "前のフレームに移動\t←", 32872},
        {play, "次のフレームに移動\t→", 32871},
        {filter, "クリッピング + リサイズ...\tCtrl+R", 32731},
        {other, "元絵の表示...(&O)", 32840},
        {other, "全表示", 32811},
        {other, "間引く", 32810},
        {other, "表示しない", 32809},
        {other, "400%", 32776},
        {other, "200%", 32775},
        {other, "150%", 32774},
        {other, "100%", 32773},
        {other, "50%", 32772},
        {other, "25%", 32771},
        {other, "高い", 32780},
        {other, "通常", 32781},
        {other, "低い", 32782},
        {other, "ステータス バー(&S)", 59393},
        {other, "Windows 2000(&2)", 40001},
        {other, "Office XP(&X)", 40002},
        {other, "Windows XP(&W)", 40003},
        {other, "Office 2003(&3)", 40004},
        {other, "Visual Studio .NET 2005(&5)", 40005},
        {other, "ブルー スタイル(&B)", 40006},
        {other, "ブラック スタイル(&L)", 40007},
        {other, "シルバー スタイル(&S)", 40008},
        {other, "アクア スタイル(&A)", 40009},
        {help, "Torvina のバージョン情報(&A)...", 57664},
        {help, "ヘルプ\tF1", 57670},
    };
    EXPECT_EQ(MenuOf(frame), expected);
}

TEST_F(MainFrameTest, OtherSystemsGetMenu129WithoutTheNavigationItems)
{
    Start(kEnglishLocale);
    const QString folder = QStringLiteral("1.Setting Img-Folder(I)"), type = QStringLiteral("2.Reading Extention(&K)"),
                  output = QStringLiteral("3.Output Setting(&O)"), play = QStringLiteral("4.Play(&R)"),
                  filter = QStringLiteral("Filter(&K)"), other = QStringLiteral("other(&S)"),
                  help = QStringLiteral("Help(&H)");
    const std::vector<MenuEntry> expected = {
        {folder, "1.Open Folder(&I)", 57601},
        {type, "JPG", 32901},
        {type, "BMP", 32902},
        {type, "TIF", 32903},
        {type, "PNG", 32904},
        {output, "Output AVI, when playing", 32910},
        {output, "Output WMV, when playing", 32911},
        {output, "Setting", 32912},
        {play, "Play\tCtrl+P", 32791},
        {play, "Pause\tSpace", 32793},
        {play, "Stop\tCtrl+S", 32874},
        {filter, "Clipping + Resize...\tCtrl+R", 32731},
        {other, "Display of former picture...\tCtrl+V", 32840},
        {other, "All", 32811},
        {other, "thins", 32810},
        {other, "No", 32809},
        {other, "400%", 32776},
        {other, "200%", 32775},
        {other, "150%", 32774},
        {other, "100%", 32773},
        {other, "50%", 32772},
        {other, "25%", 32771},
        {other, "High", 32780},
        {other, "Normal", 32781},
        {other, "Low", 32782},
        {other, "Status bar(&S)", 59393},
        {other, "Windows 2000(&2)", 40001},
        {other, "Office XP(&X)", 40002},
        {other, "Windows XP(&W)", 40003},
        {other, "Office 2003(&3)", 40004},
        {other, "Visual Studio .NET 2005(&5)", 40005},
        {other, "Blue(&B)", 40006},
        {other, "Black(&L)", 40007},
        {other, "Silver(&S)", 40008},
        {other, "Aqua(&A)", 40009},
        {help, "Torvina Version Info(&A)...", 57664},
        {help, "Help\tF1", 57670},
    };
    EXPECT_EQ(MenuOf(frame), expected);
}

std::map<QString, UINT> KeysOf(CMainFrame* frame)
{
    std::map<QString, UINT> keys;
    for (QShortcut* s : FrameHost::Of(frame)->findChildren<QShortcut*>())
        keys[s->key().toString()] = s->property("afxCommandId").toUInt();
    return keys;
}

TEST_F(MainFrameTest, OnlyTheJapaneseMenuHasAcceleratorKeys)
{
    Start(kJapaneseLocale);
    const std::map<QString, UINT> expected = {
        {"Ctrl+O", 57601}, {"Ctrl+P", 32791}, {"Space", 32793},   {"Ctrl+S", 32874},
        {"Left", 32872},   {"Right", 32871},  {"Ctrl+F1", 57670},
    };
    EXPECT_EQ(KeysOf(frame), expected);
    Close();
    Start(kEnglishLocale);
    EXPECT_TRUE(KeysOf(frame).empty());
}

TEST_F(MainFrameTest, TheToolBarHoldsItsButtonsInOrderWithImagesPromptsAndToolTips)
{
    Start(kEnglishLocale);
    struct Button {
        UINT id;
        const char* prompt;
        const char* tip;
    };
    const std::vector<Button> expected = {
        {57601, "入力画像フォルダの設定", "開く"},
        {0, "", ""},
        {32791, "再生", "再生"},
        {32793, "一時停止", "一停"},
        {32874, "停止", "停止"},
        {0, "", ""},
        {32872, "前のフレームに移動", "前"},
        {32871, "次のフレームに移動", "次"},
        {0, "", ""},
        {32910, "再生時にAVI作成", "AVI"},
        {32911, "再生時にWMV作成", "WMV"},
        {0, "", ""},
        {32901, "JPG", "JPG"},
        {32902, "BMP", "BMP"},
        {32903, "TIF", "TIF"},
        {32904, "PNG", "PNG"},
        {0, "", ""},
        {32912, "出力設定", "設定"},
        {32731, "クリッピング + リサイズ", "拡縮"},
        {0, "", ""},
        {57670, "ヘルプ", "ヘルプ"},
    };
    const QToolBar* bar = frame->m_toolBar.Bar();
    ASSERT_NE(bar, nullptr);
    std::vector<QAction*> actions;
    for (QAction* a : bar->actions())
        if (a->isSeparator() || a->property("afxCommandId").toUInt())
            actions.push_back(a);
    // The customize button's own separator follows the resource's buttons.
    ASSERT_EQ(actions.size(), expected.size() + 1);
    for (size_t i = 0; i < expected.size(); ++i) {
        const Button& b = expected[i];
        QAction* a = actions[i];
        if (b.id == 0) {
            EXPECT_TRUE(a->isSeparator()) << i;
            continue;
        }
        EXPECT_EQ(a->property("afxCommandId").toUInt(), b.id) << i;
        EXPECT_EQ(a->statusTip(), QString::fromUtf8(b.prompt)) << b.id;
        EXPECT_EQ(a->toolTip(), QString::fromUtf8(b.tip)) << b.id;
        EXPECT_FALSE(a->icon().isNull()) << b.id;
        EXPECT_EQ(a->icon().availableSizes().value(0), QSize(16, 15)) << b.id;
    }
    EXPECT_TRUE(frame->m_toolBar.HasCustomizeButton());
    EXPECT_EQ(frame->m_toolBar.GetWindowText(), CString(u"Default"));
}

TEST_F(MainFrameTest, MenuItemsCarryTheirCommandsPromptInTheStatusBar)
{
    Start(kJapaneseLocale);
    std::map<UINT, QString> tips;
    for (int i = 0; i < frame->m_menuBar.GetCount(); ++i) {
        std::vector<const QMenu*> menus = {frame->m_menuBar.GetPopup(i)};
        while (!menus.empty()) {
            const QMenu* m = menus.back();
            menus.pop_back();
            for (QAction* a : m->actions()) {
                if (a->menu())
                    menus.push_back(a->menu());
                else if (const UINT id = a->property("afxCommandId").toUInt())
                    tips[id] = a->statusTip();
            }
        }
    }
    EXPECT_EQ(tips[32873], QStringLiteral("始端に移動"));
    EXPECT_EQ(tips[32780], QStringLiteral("タスク優先度高"));
    EXPECT_EQ(tips[57664], QStringLiteral("バージョン情報"));
    EXPECT_EQ(tips[32776], QStringLiteral("400%"));
}

TEST_F(MainFrameTest, StatusBarShowsTheIdleTextAndAFileNamePaneOf250Pixels)
{
    Start(kEnglishLocale);
    EXPECT_EQ(frame->m_statusBar.GetCount(), 2);
    EXPECT_EQ(frame->m_statusBar.GetItemID(1), 61447u);
    EXPECT_EQ(frame->m_statusBar.GetMessageText(), CString(u"Are You Ready?"));
    EXPECT_EQ(frame->m_statusBar.GetPaneText(1), CString(u"FileName"));
    EXPECT_EQ(frame->m_statusBar.GetPaneWidth(1), 250);
    frame->SetStatusText(u"0001.jpg");
    EXPECT_EQ(frame->m_statusBar.GetPaneText(1), CString(u"0001.jpg"));
}

TEST_F(MainFrameTest, TheDocumentsCommandsAreReachedThroughTheFrame)
{
    Start(kEnglishLocale);
    frame->SendMessage(WM_COMMAND, ID_MAKE_AVI, 0);
    EXPECT_TRUE(doc->m_bMakeAvi);
    EXPECT_EQ(StateOf(ID_MAKE_AVI).m_nCheck, 1);
    doc->m_nRunState = RunState::Running;
    EXPECT_FALSE(StateOf(ID_MAKE_AVI).m_bEnabled);
    // Refused while running, also when the command comes from the keyboard or the tool bar.
    frame->SendMessage(WM_COMMAND, MAKELONG(ID_MAKE_AVI, 1), 0);
    EXPECT_TRUE(doc->m_bMakeAvi);
    EXPECT_TRUE(StateOf(ID_DISPLAY_THIN).m_bEnabled);
}

TEST_F(MainFrameTest, ThePriorityTickFollowsTheProcesssRealPriority)
{
    Start(kEnglishLocale);
    const DWORD now = GetPriorityClass(GetCurrentProcess());
    const std::map<UINT, DWORD> classes = {
        {ID_PRIORITY_HIGH, HIGH_PRIORITY_CLASS},
        {ID_PRIORITY_NORMAL, NORMAL_PRIORITY_CLASS},
        {ID_PRIORITY_LOW, IDLE_PRIORITY_CLASS},
    };
    for (const auto& [id, cls] : classes) {
        EXPECT_TRUE(StateOf(id).m_bEnabled) << id;
        EXPECT_EQ(StateOf(id).m_nCheck, cls == now ? 1 : 0) << id;
    }
    // Lowering is always allowed, so this one can be seen to take effect.
    frame->SendMessage(WM_COMMAND, ID_PRIORITY_LOW, 0);
    EXPECT_EQ(GetPriorityClass(GetCurrentProcess()), IDLE_PRIORITY_CLASS);
    EXPECT_EQ(StateOf(ID_PRIORITY_LOW).m_nCheck, 1);
    EXPECT_EQ(StateOf(ID_PRIORITY_NORMAL).m_nCheck, 0);
    // A raise the system refuses leaves the tick on the real class.
    frame->SendMessage(WM_COMMAND, ID_PRIORITY_HIGH, 0);
    const DWORD after = GetPriorityClass(GetCurrentProcess());
    EXPECT_EQ(StateOf(ID_PRIORITY_HIGH).m_nCheck, after == HIGH_PRIORITY_CLASS ? 1 : 0);
    EXPECT_EQ(StateOf(ID_PRIORITY_LOW).m_nCheck, after == IDLE_PRIORITY_CLASS ? 1 : 0);
}

TEST_F(MainFrameTest, TheWindowsSizeAndItsBarsComeBackAtTheNextStart)
{
    Start(kEnglishLocale);
    QWidget* window = FrameHost::Of(frame);
    EXPECT_EQ(window->size(), QSize(760, 675));
    window->resize(700, 500);
    frame->m_toolBar.Bar()->hide();
    Close();
    Start(kEnglishLocale);
    window = FrameHost::Of(frame);
    EXPECT_EQ(window->size(), QSize(700, 500));
    EXPECT_TRUE(frame->m_toolBar.Bar()->isHidden());
    EXPECT_FALSE(frame->m_menuBar.Bar()->isHidden());
}

class LookTest : public FrameFixture {
protected:
    QString FrameStyle() const { return FrameHost::Of(frame)->styleSheet(); }
    int StoredLook() const { return static_cast<int>(m_app->GetProfileInt(u"Workspace", u"ApplicationLook", -1)); }
};

TEST_F(LookTest, FirstStartAppliesOffice2007BlueAndWritesIt)
{
    Start(kEnglishLocale);
    EXPECT_EQ(frame->m_nAppLook, 40006u);
    EXPECT_EQ(StoredLook(), 40006);
    EXPECT_EQ(FrameStyle(), CMFCVisualManager::StyleSheetOf(VisualManagerKind::Office2007, 0));
    for (UINT id = 40001; id <= 40009; ++id) {
        const CCmdUI s = StateOf(id);
        EXPECT_TRUE(s.m_bEnabled) << id;
        EXPECT_TRUE(s.m_bRadio) << id;
        EXPECT_EQ(s.m_nCheck, id == 40006 ? 1 : 0) << id;
    }
}

TEST_F(LookTest, AChosenLookIsWrittenAndComesBackAtTheNextStart)
{
    struct Case {
        UINT id;
        VisualManagerKind kind;
        int style;
    };
    const std::vector<Case> cases = {
        {40001, VisualManagerKind::Windows2000, 0},      {40002, VisualManagerKind::OfficeXP, 0},
        {40003, VisualManagerKind::WindowsXP, 0},        {40004, VisualManagerKind::Office2003, 0},
        {40005, VisualManagerKind::VisualStudio2005, 0}, {40007, VisualManagerKind::Office2007, 1},
        {40008, VisualManagerKind::Office2007, 3},       {40009, VisualManagerKind::Office2007, 2},
    };
    for (const Case& c : cases) {
        Start(kEnglishLocale);
        frame->SendMessage(WM_COMMAND, c.id, 0);
        EXPECT_EQ(StoredLook(), static_cast<int>(c.id));
        EXPECT_EQ(StateOf(c.id).m_nCheck, 1) << c.id;
        Close();
        Start(kEnglishLocale);
        EXPECT_EQ(frame->m_nAppLook, c.id);
        EXPECT_EQ(FrameStyle(), CMFCVisualManager::StyleSheetOf(c.kind, c.style)) << c.id;
        Close();
    }
}

TEST_F(LookTest, Office2003SwitchesToSmartDockingAndWindows2000LeavesTheModeAlone)
{
    Start(kEnglishLocale);
    CFrameWndEx::SetDockingMode(DT_STANDARD);
    frame->SendMessage(WM_COMMAND, ID_VIEW_APPLOOK_WIN_2000, 0);
    EXPECT_EQ(CFrameWndEx::GetDockingMode(), DT_STANDARD);
    frame->SendMessage(WM_COMMAND, ID_VIEW_APPLOOK_OFF_2003, 0);
    EXPECT_EQ(CFrameWndEx::GetDockingMode(), DT_SMART);
}

TEST_F(LookTest, AStoredLookOutOfRangeGivesOffice2007InItsCurrentStyleAndStaysStored)
{
    TestApp();
    {
        CWinApp writer(u"Torvina");
        writer.SetRegistryKey(u"FrameTest");
        writer.WriteProfileInt(u"Workspace", u"ApplicationLook", 12345);
    }
    CMFCVisualManagerOffice2007::SetStyle(CMFCVisualManagerOffice2007::Office2007_Silver);
    Start(kEnglishLocale);
    EXPECT_EQ(frame->m_nAppLook, 12345u);
    EXPECT_EQ(StoredLook(), 12345);
    EXPECT_EQ(FrameStyle(), CMFCVisualManager::StyleSheetOf(VisualManagerKind::Office2007, 3));
    for (UINT id = 40001; id <= 40009; ++id)
        EXPECT_EQ(StateOf(id).m_nCheck, 0) << id;
}

TEST(Looks, TheNineLooksAreNineDistinctAppearances)
{
    const std::vector<QString> sheets = {
        CMFCVisualManager::StyleSheetOf(VisualManagerKind::Windows2000, 0),
        CMFCVisualManager::StyleSheetOf(VisualManagerKind::OfficeXP, 0),
        CMFCVisualManager::StyleSheetOf(VisualManagerKind::WindowsXP, 0),
        CMFCVisualManager::StyleSheetOf(VisualManagerKind::Office2003, 0),
        CMFCVisualManager::StyleSheetOf(VisualManagerKind::VisualStudio2005, 0),
        CMFCVisualManager::StyleSheetOf(VisualManagerKind::Office2007, 0),
        CMFCVisualManager::StyleSheetOf(VisualManagerKind::Office2007, 1),
        CMFCVisualManager::StyleSheetOf(VisualManagerKind::Office2007, 2),
        CMFCVisualManager::StyleSheetOf(VisualManagerKind::Office2007, 3),
    };
    for (size_t i = 0; i < sheets.size(); ++i)
        for (size_t j = i + 1; j < sheets.size(); ++j)
            EXPECT_NE(sheets[i], sheets[j]) << i << " and " << j;
}

} // namespace

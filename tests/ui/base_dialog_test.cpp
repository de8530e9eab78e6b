#include "foundation/localized_string.h"
#include "platform/afx/cmenu.h"
#include "platform/afx/controls.h"
#include "platform/afx/cwinapp.h"
#include "platform/afx/dialog_template.h"
#include "platform/afx/shell.h"
#include "resources/string_ids.h"
#include "tests/support/scoped_locale.h"
#include "tests/ui/ui_test_support.h"
#include "ui/base_color_dialog.h"
#include "ui/dialog_texts.h"
#include "ui/gui_text_extent.h"

#include <QDropEvent>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QMimeData>
#include <QToolTip>
#include <QUrl>

#include <gtest/gtest.h>

#include <array>

namespace {

constexpr int IDC_LABEL = 2001, IDC_OTHER_LABEL = 2002, IDC_EDIT = 2003, IDC_EMPTY = 2004;

constexpr std::array kItems = {
    DialogItemTemplate{IDC_STATIC, u"STATIC", WS_VISIBLE, 0, 7, 7, 60, 8, u"First static"},
    DialogItemTemplate{IDC_STATIC, u"STATIC", WS_VISIBLE, 0, 7, 19, 60, 8, u"Second static"},
    DialogItemTemplate{IDC_LABEL, u"STATIC", WS_VISIBLE, 0, 7, 31, 40, 8, u"Label"},
    DialogItemTemplate{IDC_EDIT, u"EDIT", WS_VISIBLE | WS_TABSTOP, 0, 70, 7, 60, 14, u"12"},
    DialogItemTemplate{IDC_EMPTY, u"BUTTON", WS_VISIBLE | WS_TABSTOP, 0, 70, 25, 60, 14, u""},
    DialogItemTemplate{IDOK, u"BUTTON", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 30, 60, 50, 14, u"OK"},
    DialogItemTemplate{IDCANCEL, u"BUTTON", WS_VISIBLE | WS_TABSTOP, 0, 86, 60, 50, 14, u"Cancel"},
};
constexpr UINT kTemplateId = 40901;
const DialogTemplate kTemplate{
    kTemplateId, WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0, 150, 80, u"Base dialog", u"ＭＳ Ｐゴシック", 9, kItems};

class TestDialog : public CBaseDialog {
public:
    explicit TestDialog(CWnd* owner = nullptr, BOOL child = FALSE) : CBaseDialog(kTemplateId, owner, FALSE, child)
    {
        InitModalIndirect(&kTemplate);
    }
    std::vector<CString> dropped;
    bool initDone = false;
    int postInitCalls = 0;
    bool postInitAfterInit = false;
    std::function<void(TestDialog&)> afterInit;

    BOOL OnInitDialog() override
    {
        CBaseDialog::OnInitDialog();
        SetWindowText(LoadLocalizedString(43041, 43042));
        SetItemText(IDC_LABEL, LoadLocalizedString(43043, 43044), 0);
        initDone = true;
        if (afterInit)
            afterInit(*this);
        return TRUE;
    }
    void OnDropFile(CString path) override { dropped.push_back(path); }
    LRESULT OnPostInit(WPARAM, LPARAM) override
    {
        ++postInitCalls;
        postInitAfterInit = initDone;
        return 0;
    }
};

class Owner : public CWnd {
public:
    std::vector<std::pair<UINT, CSize>> sizes;
    void OnSize(UINT type, int cx, int cy) { sizes.emplace_back(type, CSize(cx, cy)); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(Owner, CWnd)
    ON_WM_SIZE()
END_MESSAGE_MAP()

class FakeTray : public TrayHost {
public:
    struct Call {
        char what;
        CString tip, title, text;
        UINT flags;
    };
    std::vector<Call>* calls;
    explicit FakeTray(std::vector<Call>* c) : calls(c) {}
    bool Available() override { return true; }
    bool Add(const NOTIFYICONDATAW& d) override
    {
        calls->push_back({'A', d.szTip, (d.uFlags & NIF_INFO) ? CString(d.szInfoTitle) : CString(),
                          (d.uFlags & NIF_INFO) ? CString(d.szInfo) : CString(), d.uFlags});
        return true;
    }
    bool Modify(const NOTIFYICONDATAW&) override { return true; }
    bool Remove(HWND, UINT) override
    {
        calls->push_back({'D', {}, {}, {}, 0});
        return true;
    }
};

class BaseDialogTest : public ::testing::Test {
protected:
    void SetUp() override { TestApp(); }
};

struct LanguageCase {
    const char* locale;
    const char16_t* caption;
    const char16_t* label;
    const char16_t* cancel;
};
void PrintTo(const LanguageCase& c, std::ostream* os) { *os << c.locale; }

class BaseDialogLanguage : public BaseDialogTest, public ::testing::WithParamInterface<LanguageCase> {};

TEST_P(BaseDialogLanguage, InitialisationSetsTextsOfTheSystemLanguage)
{
    ScopedLocale locale(GetParam().locale);
    TestDialog dlg;
    ASSERT_TRUE(dlg.CreateModeless(nullptr));
    EXPECT_EQ(dlg.GetWindowTextString(), CString(GetParam().caption));
    EXPECT_EQ(dlg.GetDlgItem(IDC_LABEL)->GetWindowTextString(), CString(GetParam().label));
    EXPECT_EQ(dlg.GetDlgItem(IDCANCEL)->GetWindowTextString(), CString(GetParam().cancel));
    EXPECT_NE(dlg.GetIcon(TRUE), nullptr);
    EXPECT_EQ(dlg.GetIcon(TRUE), dlg.GetIcon(FALSE));
    WidgetOf(&dlg)->show();
    SaveShot(&dlg, QString("base_dialog_") + GetParam().locale);
}

INSTANTIATE_TEST_SUITE_P(Languages, BaseDialogLanguage,
                         ::testing::Values(LanguageCase{kJapaneseLocale, u"【一時停止中】", u"【停止中】",
                                                        u"キャンセル"},
                                           LanguageCase{kEnglishLocale, u"[Pause]", u"[Stop]", u"Cancel"}));

// A text wider than its control must not widen it, and a control the template lacks is no error.
TEST_P(BaseDialogLanguage, TextTableSetsTheNamedControlsAtTheirOwnSize)
{
    ScopedLocale locale(GetParam().locale);
    constexpr int kMissingControl = 2999;
    constexpr DialogText kTexts[] = {
        {IDC_EDIT, strings::kStatusPause},
        {kMissingControl, strings::kStatusPlay},
        {IDC_EMPTY, strings::kSaveBadKeyName},
    };
    TestDialog dlg;
    QRect buttonBefore;
    dlg.afterInit = [&](TestDialog& d) {
        buttonBefore = WidgetOf(d.GetDlgItem(IDC_EMPTY))->geometry();
        SetDialogTexts(d, kTexts);
    };
    ASSERT_TRUE(dlg.CreateModeless(nullptr));
    EXPECT_EQ(dlg.GetDlgItem(IDC_EDIT)->GetWindowTextString(), CString(GetParam().caption));
    CWnd* button = dlg.GetDlgItem(IDC_EMPTY);
    EXPECT_GT(GetGuiTextExtent(button, button->GetWindowTextString()).cx, buttonBefore.width());
    EXPECT_EQ(WidgetOf(button)->geometry(), buttonBefore);
}

TEST_F(BaseDialogTest, PostInitRunsOnceAfterInitialisationWhenDispatched)
{
    TestDialog dlg;
    dlg.afterInit = [](TestDialog& d) { EXPECT_EQ(d.postInitCalls, 0); };
    ASSERT_TRUE(dlg.CreateModeless(nullptr));
    EXPECT_EQ(dlg.postInitCalls, 0);
    ProcessEvents();
    EXPECT_EQ(dlg.postInitCalls, 1);
    EXPECT_TRUE(dlg.postInitAfterInit);
}

TEST_F(BaseDialogTest, EnterAndEscDoNotCloseButTheCloseBoxCancels)
{
    TestDialog dlg;
    bool stillOpen = false;
    dlg.afterInit = [&stillOpen](TestDialog& d) {
        WhenModal([&d, &stillOpen] {
            QWidget* edit = WidgetOf(d.GetDlgItem(IDC_EDIT));
            for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Enter}) {
                QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
                QCoreApplication::sendEvent(edit, &press);
            }
            d.SendMessage(WM_COMMAND, IDOK, 0);
            d.SendMessage(WM_COMMAND, IDCANCEL, 0);
            stillOpen = d.IsWindowVisible();
            WidgetOf(&d)->close();
        });
    };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(stillOpen);
}

struct DragCase {
    Qt::KeyboardModifiers mods;
    bool moves;
};
void PrintTo(const DragCase& c, std::ostream* os) { *os << (c.moves ? "plain" : "with modifier"); }

class BaseDialogDrag : public BaseDialogTest, public ::testing::WithParamInterface<DragCase> {};

TEST_P(BaseDialogDrag, LeftButtonOnTheBackgroundMovesTheDialog)
{
    TestDialog dlg;
    ASSERT_TRUE(dlg.CreateModeless(nullptr));
    QWidget* w = WidgetOf(&dlg);
    w->move(100, 100);
    w->show();
    const QPoint start = w->pos();
    SendMouse(w, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton, GetParam().mods);
    SendMouse(w, QEvent::MouseMove, QPoint(8, 8), Qt::NoButton, Qt::LeftButton, GetParam().mods);
    SendMouse(w, QEvent::MouseMove, QPoint(38, 28), Qt::NoButton, Qt::LeftButton, GetParam().mods);
    SendMouse(w, QEvent::MouseButtonRelease, QPoint(38, 28), Qt::LeftButton, Qt::NoButton, GetParam().mods);
    if (GetParam().moves)
        EXPECT_EQ(w->pos(), start + QPoint(30, 20));
    else
        EXPECT_EQ(w->pos(), start);
}

INSTANTIATE_TEST_SUITE_P(Modifiers, BaseDialogDrag,
                         ::testing::Values(DragCase{Qt::NoModifier, true}, DragCase{Qt::ShiftModifier, false},
                                           DragCase{Qt::ControlModifier, false}));

TEST_F(BaseDialogTest, DroppedFilesReachTheHookOneByOneWhole)
{
    TestDialog dlg;
    ASSERT_TRUE(dlg.CreateModeless(nullptr));
    const CString longPath = CString(u"/tmp/") + CString(u'x', 700);
    DropFileList drop({CString(u"/a/one.jpg"), longPath, CString(u"/c/three.png")});
    dlg.SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(drop.Handle()), 0);
    ASSERT_EQ(dlg.dropped.size(), 3u);
    EXPECT_EQ(dlg.dropped[0], CString(u"/a/one.jpg"));
    EXPECT_EQ(dlg.dropped[1], longPath);
    EXPECT_EQ(dlg.dropped[2], CString(u"/c/three.png"));
}

TEST_F(BaseDialogTest, ToolkitFileDropTurnsUrlsIntoPaths)
{
    TestDialog dlg;
    ASSERT_TRUE(dlg.CreateModeless(nullptr));
    QWidget* w = WidgetOf(&dlg);
    w->show();
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile("/photos/day one/001.jpg"), QUrl::fromLocalFile("/photos/002.jpg")});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &drop);
    ASSERT_EQ(dlg.dropped.size(), 2u);
    EXPECT_EQ(dlg.dropped[0], CString(u"/photos/day one/001.jpg"));
    EXPECT_EQ(dlg.dropped[1], CString(u"/photos/002.jpg"));
}

BOOL AskTip(CBaseDialog& dlg, CWnd* control, CString& shown)
{
    TOOLTIPTEXTW tip{};
    tip.hdr.code = TTN_NEEDTEXTW;
    tip.hdr.idFrom = reinterpret_cast<UINT_PTR>(control->m_hWnd);
    tip.uFlags = TTF_IDISHWND;
    LRESULT result = 0;
    const BOOL handled = dlg.OnToolTipNotify(0, &tip.hdr, &result);
    shown = tip.lpszText ? CString(tip.lpszText) : CString();
    return handled;
}

TEST_F(BaseDialogTest, ToolTipIsTheControlsOwnCaption)
{
    TestDialog dlg;
    ASSERT_TRUE(dlg.CreateModeless(nullptr));
    std::vector<CWnd*> statics;
    for (QWidget* child : WidgetOf(&dlg)->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (auto* r = dynamic_cast<WindowRecord*>(child); r && r->id == IDC_STATIC)
            statics.push_back(r->Object());
    ASSERT_EQ(statics.size(), 2u);
    CString shown;
    EXPECT_TRUE(AskTip(dlg, statics[1], shown));
    EXPECT_EQ(shown, CString(u"Second static")); // not the first control with the shared id
    EXPECT_TRUE(AskTip(dlg, dlg.GetDlgItem(IDC_EDIT), shown));
    EXPECT_EQ(shown, CString(u"12"));
    EXPECT_FALSE(AskTip(dlg, dlg.GetDlgItem(IDC_EMPTY), shown));
    EXPECT_TRUE(shown.IsEmpty());
}

TEST_F(BaseDialogTest, AutoWidenGrowsToTheTextButNeverShrinksOrLeavesTheDialog)
{
    TestDialog dlg;
    ASSERT_TRUE(dlg.CreateModeless(nullptr));
    CWnd* label = dlg.GetDlgItem(IDC_LABEL);
    const QRect before = WidgetOf(label)->geometry();
    dlg.SetItemText(IDC_LABEL, u"ab", TRUE);
    EXPECT_EQ(WidgetOf(label)->geometry(), before);
    const CString longer = u"A much longer label than the control";
    dlg.SetItemText(IDC_LABEL, longer, TRUE);
    const QRect grown = WidgetOf(label)->geometry();
    EXPECT_EQ(grown.left(), before.left());
    EXPECT_EQ(grown.width(), GetGuiTextExtent(label, longer).cx + 7);
    const CString huge(u'W', 200);
    dlg.SetItemText(IDC_LABEL, huge, TRUE);
    EXPECT_EQ(WidgetOf(label)->geometry().right() + 1, WidgetOf(&dlg)->width());
    EXPECT_EQ(label->GetWindowTextString(), huge);
}

TEST_F(BaseDialogTest, MinimizingHidesTheOwnerAndClosingShowsItWithASizeMessage)
{
    Owner owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), u"owner", WS_POPUP | WS_VISIBLE, 0, 0, 80, 80, nullptr, 0));
    TestDialog dlg(&owner);
    ASSERT_TRUE(dlg.CreateModeless(&owner));
    EXPECT_EQ(WidgetOf(&dlg)->parentWidget(), nullptr); // no owner window even with a parent given
    ProcessEvents();
    owner.sizes.clear();
    dlg.SendMessage(WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_FALSE(owner.IsWindowVisible());
    dlg.SendMessage(WM_CLOSE);
    EXPECT_TRUE(owner.IsWindowVisible());
    ProcessEvents();
    ASSERT_FALSE(owner.sizes.empty());
    EXPECT_EQ(owner.sizes.back().first, SIZE_RESTORED);
    EXPECT_EQ(owner.sizes.back().second, CSize(1, 1));
    EXPECT_FALSE(dlg.IsWindowVisible());
}

TEST_F(BaseDialogTest, ChildModeEmbedsTheDialogAndLeavesTheOwnerAlone)
{
    static constexpr std::array items = {
        DialogItemTemplate{IDOK, u"BUTTON", WS_VISIBLE, 0, 5, 5, 40, 14, u"OK"},
    };
    static const DialogTemplate child{40902, WS_CHILD | WS_CAPTION, 0, 10,   10, 60, 30,
                                      u"",   u"ＭＳ Ｐゴシック",    9, items};
    struct ChildDialog : CBaseDialog {
        explicit ChildDialog(CWnd* owner) : CBaseDialog(40902, owner, FALSE, TRUE) { InitModalIndirect(&child); }
    };
    Owner owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), u"host", WS_POPUP | WS_VISIBLE, 0, 0, 200, 120, nullptr, 0));
    ChildDialog dlg(&owner);
    ASSERT_TRUE(dlg.CreateModeless(&owner));
    EXPECT_EQ(WidgetOf(&dlg)->parentWidget(), WidgetOf(&owner));
    EXPECT_EQ(dlg.GetStyle() & WS_CAPTION, 0u);
    dlg.SendMessage(WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_TRUE(owner.IsWindowVisible());
}

struct TrayCase {
    const char* locale;
    const char16_t* title;
    const char16_t* text;
};
void PrintTo(const TrayCase& c, std::ostream* os) { *os << c.locale; }

class BaseDialogTray : public BaseDialogTest, public ::testing::WithParamInterface<TrayCase> {};

TEST_P(BaseDialogTray, BalloonWhenTheIconGoesInNotOnReAddsAndTheIconGoesWithTheDialog)
{
    ScopedLocale locale(GetParam().locale);
    std::vector<FakeTray::Call> calls;
    auto previous = SetTrayHost(std::make_unique<FakeTray>(&calls));
    {
        TestDialog dlg;
        ASSERT_TRUE(dlg.CreateModeless(nullptr));
        const UINT message = RegisterWindowMessageW(u"WM_TRAYNOTIFY");
        dlg.AddTrayIcon(message, u"Batch", dlg.GetIcon(TRUE));
        EXPECT_TRUE(dlg.TrayIcon().IsAdded());
        EXPECT_EQ(dlg.TrayIcon().Data().cbSize, 952u);
        EXPECT_EQ(dlg.TrayIcon().Data().uID, 1u);
        dlg.AddTrayIcon(message, u"Batch", dlg.GetIcon(TRUE)); // again while it stands there
        dlg.DeleteTrayIcon();
        dlg.AddTrayIcon(message, u"Batch", dlg.GetIcon(TRUE)); // in the tray anew
    }
    SetTrayHost(std::move(previous));
    ASSERT_EQ(calls.size(), 5u);
    for (size_t i : {0u, 3u}) {
        EXPECT_EQ(calls[i].what, 'A') << i;
        EXPECT_EQ(calls[i].tip, CString(u"Batch")) << i;
        EXPECT_EQ(calls[i].flags, NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO) << i;
        EXPECT_EQ(calls[i].title, CString(GetParam().title)) << i;
        EXPECT_EQ(calls[i].text, CString(GetParam().text)) << i;
    }
    EXPECT_EQ(calls[1].what, 'A');
    EXPECT_TRUE(calls[1].text.IsEmpty());
    EXPECT_EQ(calls[2].what, 'D');
    EXPECT_EQ(calls[4].what, 'D'); // the destructor removes the icon
}

INSTANTIATE_TEST_SUITE_P(Languages, BaseDialogTray,
                         ::testing::Values(TrayCase{kEnglishLocale, u"Info", u"In the TaskTray"},
                                           TrayCase{kJapaneseLocale, u"お知らせ", u"タスクトレイに格納しました"}));

TEST_F(BaseDialogTest, ColorDialogPaintsBackgroundAndStaticTexts)
{
    struct ColorDialog : CBaseColorDialog {
        ColorDialog() : CBaseColorDialog(kTemplateId, nullptr, RGB(0, 0, 128), RGB(255, 255, 0), FALSE, FALSE)
        {
            InitModalIndirect(&kTemplate);
        }
    };
    ColorDialog dlg;
    ASSERT_TRUE(dlg.CreateModeless(nullptr));
    WidgetOf(&dlg)->show();
    const QImage shot = WidgetOf(&dlg)->grab().toImage();
    SaveShot(&dlg, "base_color_dialog");
    EXPECT_EQ(QColor(shot.pixel(shot.width() - 3, shot.height() - 3)), QColor(0, 0, 128));
    const QImage label = WidgetOf(dlg.GetDlgItem(IDC_LABEL))->grab().toImage();
    EXPECT_EQ(QColor(label.pixel(label.width() - 1, label.height() - 1)), QColor(0, 0, 128));
    bool yellow = false;
    for (int y = 0; y < label.height(); ++y)
        for (int x = 0; x < label.width(); ++x)
            yellow = yellow || (qRed(label.pixel(x, y)) > 200 && qGreen(label.pixel(x, y)) > 200 &&
                                qBlue(label.pixel(x, y)) < 100);
    EXPECT_TRUE(yellow);
    // A button keeps its default look.
    const QImage ok = WidgetOf(dlg.GetDlgItem(IDOK))->grab().toImage();
    EXPECT_NE(QColor(ok.pixel(ok.width() / 2, 2)), QColor(0, 0, 128));
}

TEST_F(BaseDialogTest, TextExtentUsesTheDefaultGuiFontNotTheWindows)
{
    TestDialog dlg;
    ASSERT_TRUE(dlg.CreateModeless(nullptr));
    CWnd* label = dlg.GetDlgItem(IDC_LABEL);
    LOGFONTW big{};
    big.lfHeight = -40;
    CFont font;
    font.CreateFontIndirect(&big);
    label->SetFont(&font);
    const QFontMetrics fm(DialogFont(u"ＭＳ Ｐゴシック", 9));
    const CSize size = GetGuiTextExtent(label, u"Measure me");
    EXPECT_EQ(size.cx, fm.horizontalAdvance("Measure me"));
    EXPECT_EQ(size.cy, fm.height());
    EXPECT_EQ(GetGuiTextExtent(label, u"").cx, 0);
}

class HelpApp : public CWinApp {
public:
    std::vector<UINT> commands;
    void OnHelp() { commands.push_back(ID_HELP); }
    void OnAbout() { commands.push_back(ID_APP_ABOUT); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(HelpApp, CWinApp)
    ON_COMMAND(ID_HELP, OnHelp)
    ON_COMMAND(ID_APP_ABOUT, OnAbout)
END_MESSAGE_MAP()

TEST_F(BaseDialogTest, SystemMenuFlagRewritesTheMenuAndSendsHelpAndAboutToTheApplication)
{
    ScopedLocale locale(kEnglishLocale);
    HelpApp app;
    struct MenuDialog : CBaseDialog {
        MenuDialog() : CBaseDialog(kTemplateId, nullptr, TRUE, FALSE) { InitModalIndirect(&kTemplate); }
    } dlg;
    ASSERT_TRUE(dlg.CreateModeless(nullptr));
    CMenu* menu = dlg.GetSystemMenu(FALSE);
    ASSERT_NE(menu, nullptr);
    ASSERT_GE(menu->GetMenuItemCount(), 3);
    EXPECT_EQ(menu->GetMenuItemID(0), ID_HELP);
    EXPECT_EQ(menu->GetMenuItemID(1), ID_APP_ABOUT);
    CString text;
    menu->GetMenuString(1, text, MF_BYPOSITION);
    EXPECT_EQ(text, CString(u"About...\tF10"));
    menu->GetMenuString(0, text, MF_BYPOSITION);
    EXPECT_EQ(text, CString(u"Help\tF1"));
    EXPECT_EQ(menu->GetMenuItemID(2), 0x800u);
    dlg.SendMessage(WM_SYSCOMMAND, ID_HELP, 0);
    dlg.SendMessage(WM_SYSCOMMAND, ID_APP_ABOUT, 0);
    EXPECT_TRUE(app.commands.empty()); // posted, not sent
    ProcessEvents();
    EXPECT_EQ(app.commands, (std::vector<UINT>{ID_HELP, ID_APP_ABOUT}));
}

TEST_F(BaseDialogTest, NotClosableDialogIgnoresTheCloseCommand)
{
    struct Stubborn : TestDialog {
        Stubborn() { m_bClosable = FALSE; }
    } dlg;
    ASSERT_TRUE(dlg.CreateModeless(nullptr));
    WidgetOf(&dlg)->show();
    WidgetOf(&dlg)->close();
    EXPECT_TRUE(dlg.IsWindowVisible());
    EXPECT_FALSE(dlg.CanClose());
}

TEST_F(BaseDialogTest, HoveringAControlShowsItsCaptionAsTip)
{
    TestDialog dlg;
    ASSERT_TRUE(dlg.CreateModeless(nullptr));
    WidgetOf(&dlg)->show();
    QWidget* edit = WidgetOf(dlg.GetDlgItem(IDC_EDIT));
    QHelpEvent help(QEvent::ToolTip, QPoint(3, 3), edit->mapToGlobal(QPoint(3, 3)));
    QCoreApplication::sendEvent(edit, &help);
    EXPECT_EQ(QToolTip::text(), QString("12"));
}

TEST(AboutMenuText, FollowsTheSystemLanguage)
{
    {
        ScopedLocale locale(kJapaneseLocale);
        EXPECT_EQ(GetAboutMenuText(), CString(u"バージョン情報"));
    }
    ScopedLocale locale(kEnglishLocale);
    EXPECT_EQ(GetAboutMenuText(), CString(u"About"));
}

} // namespace

#include "foundation/default_gui_font.h"
#include "platform/afx/dialog_template.h"
#include "platform/afx/gdi.h"
#include "platform/afx/shell.h"
#include "tests/ui/ui_test_support.h"
#include "ui/base_dialog.h"
#include "ui/drag_list_box_ex.h"
#include "ui/gui_text_extent.h"

#include <QListWidget>

#include <gtest/gtest.h>

#include <array>

namespace {

constexpr int IDC_FILES = 4001;
constexpr std::array kItems = {
    DialogItemTemplate{IDC_FILES, u"LISTBOX",
                       WS_VISIBLE | WS_TABSTOP | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | WS_VSCROLL |
                           WS_HSCROLL,
                       0, 5, 5, 150, 90, u""},
};
const DialogTemplate kTemplate{40905,    WS_POPUP | WS_CAPTION, 0, 0,     0, 160, 100,
                               u"Files", u"ＭＳ Ｐゴシック",    9, kItems};

class ListDialog : public CBaseDialog {
public:
    ListDialog() : CBaseDialog(40905, nullptr, FALSE, FALSE) { InitModalIndirect(&kTemplate); }
};

class DragListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApp();
        ASSERT_TRUE(dlg.CreateModeless(nullptr));
        ASSERT_TRUE(list.SubclassItem(IDC_FILES, &dlg));
        WidgetOf(&dlg)->move(200, 200);
        WidgetOf(&dlg)->show();
        QApplication::setActiveWindow(WidgetOf(&dlg));
    }
    std::vector<CString> Texts()
    {
        std::vector<CString> out;
        for (int i = 0; i < list.GetCount(); ++i) {
            CString t;
            list.GetText(i, t);
            out.push_back(t);
        }
        return out;
    }
    void Fill(std::initializer_list<const char16_t*> texts)
    {
        for (const char16_t* t : texts)
            list.AddItem(t);
    }
    ListDialog dlg;
    CDragListBoxEx list;
};

TEST_F(DragListTest, DeletingSelectsTheNeighbourThatTakesItsPlace)
{
    Fill({u"a", u"b", u"c"});
    EXPECT_EQ(list.DeleteItem(2), 2);
    EXPECT_EQ(list.GetCurSel(), 1);
    EXPECT_EQ(list.DeleteItem(0), 1);
    EXPECT_EQ(list.GetCurSel(), 0);
    EXPECT_EQ(Texts(), (std::vector<CString>{u"b"}));
    list.SetCurSel(-1);
    EXPECT_EQ(list.DeleteSelected(), -1);
    EXPECT_EQ(list.DeleteItem(7), LB_ERR);
}

TEST_F(DragListTest, MovingSwapsWithTheNeighbourAndKeepsTheSelection)
{
    Fill({u"a", u"b", u"c"});
    list.SetCurSel(0);
    list.MoveDown();
    EXPECT_EQ(Texts(), (std::vector<CString>{u"b", u"a", u"c"}));
    EXPECT_EQ(list.GetCurSel(), 1);
    list.MoveUp();
    EXPECT_EQ(Texts(), (std::vector<CString>{u"a", u"b", u"c"}));
    EXPECT_EQ(list.GetCurSel(), 0);
}

TEST_F(DragListTest, MovingPastEitherEndOnlyFocusesTheList)
{
    Fill({u"a", u"b", u"c"});
    WidgetOf(&dlg)->setFocus();
    list.SetCurSel(0);
    list.MoveUp();
    list.SetCurSel(2);
    list.MoveDown();
    EXPECT_EQ(Texts(), (std::vector<CString>{u"a", u"b", u"c"}));
    EXPECT_EQ(list.GetCurSel(), 2);
    EXPECT_EQ(WidgetOf(&dlg)->focusWidget(), WidgetOf(&list));
}

TEST_F(DragListTest, DroppedFilesAreAddedInOrderAndTheExtentRefits)
{
    Fill({u"short"});
    const CString longName = u"/photos/a rather long folder name/with a long file name.jpg";
    DropFileList drop({CString(u"/p/one.jpg"), longName});
    list.SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(drop.Handle()), 0);
    EXPECT_EQ(Texts(), (std::vector<CString>{u"short", u"/p/one.jpg", longName}));
    EXPECT_EQ(list.GetHorizontalExtent(), GetGuiTextExtent(&list, longName).cx + 5);
    list.ClearItems();
    EXPECT_EQ(list.GetHorizontalExtent(), 6);
}

TEST_F(DragListTest, RowsAlternateAndTheSelectedRowIsGreenWithAFocusRectangle)
{
    Fill({u"zero", u"one & two", u"two", u"three"});
    list.SetCurSel(2);
    WidgetOf(&list)->repaint();
    auto* view = qobject_cast<QListWidget*>(WidgetOf(&list));
    ASSERT_NE(view, nullptr);
    const QImage shot = view->viewport()->grab().toImage();
    SaveShot(&dlg, "drag_list_box");
    auto rowColor = [&](int row) {
        const QRect r = view->visualItemRect(view->item(row));
        return QColor(shot.pixel(r.right() - 3, r.center().y()));
    };
    EXPECT_EQ(rowColor(0), QColor(220, 234, 245));
    EXPECT_EQ(rowColor(1), QColor(255, 255, 255));
    EXPECT_EQ(rowColor(2), QColor(0, 255, 0));
    EXPECT_EQ(rowColor(3), QColor(255, 255, 255));
    const QRect selected = view->visualItemRect(view->item(2));
    EXPECT_NE(QColor(shot.pixel(selected.left() + 1, selected.top() + 1)), QColor(0, 255, 0));
}

TEST_F(DragListTest, TitleTipShowsTheItemBelowItAndAClickOnItReachesTheList)
{
    Fill({u"first item", u"second item"});
    ASSERT_TRUE(list.TitleTip().Create(&list));
    WidgetOf(&list)->setFocus();
    ASSERT_NE(CWnd::GetFocus(), nullptr);
    CRect item;
    list.GetItemRect(1, &item);
    auto* view = qobject_cast<QListWidget*>(WidgetOf(&list));
    const QPoint inItem(item.left + 40, item.top + 2);
    SendMouse(view->viewport(), QEvent::MouseMove, inItem, Qt::NoButton, Qt::NoButton);
    ASSERT_TRUE(list.TitleTip().IsWindowVisible());
    CRect tip;
    list.TitleTip().GetWindowRect(&tip);
    POINT below{inItem.x() - 30, item.bottom};
    list.ClientToScreen(&below);
    EXPECT_EQ(tip.left, below.x);
    EXPECT_EQ(tip.top, below.y);

    // A click on the tip hides it and selects the item under it.
    QWidget* tipWidget = WidgetOf(&list.TitleTip());
    POINT onTip{item.left + 45, item.top + 3};
    list.ClientToScreen(&onTip);
    list.TitleTip().ScreenToClient(&onTip);
    list.TitleTip().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(WORD(onTip.x), WORD(onTip.y)));
    EXPECT_FALSE(list.TitleTip().IsWindowVisible());
    ProcessEvents();
    EXPECT_EQ(list.GetCurSel(), 1);
    EXPECT_NE(tipWidget, nullptr);
}

TEST_F(DragListTest, TipAboveOrLeftOfTheScreenMovesOntoIt)
{
    Fill({u"item"});
    ASSERT_TRUE(list.TitleTip().Create(&list));
    WidgetOf(&list)->setFocus();
    POINT origin{0, 0};
    list.ClientToScreen(&origin);
    list.TitleTip().Show(CRect(0, 0, 50, 10), u"item", CPoint(-origin.x - 40, -origin.y - 25));
    ASSERT_TRUE(list.TitleTip().IsWindowVisible());
    CRect tip;
    list.TitleTip().GetWindowRect(&tip);
    EXPECT_EQ(tip.left, 0);
    EXPECT_EQ(tip.top, 0);
    list.TitleTip().Hide();
    // Empty text shows nothing.
    list.TitleTip().Show(CRect(0, 0, 50, 10), u"", CPoint(0, 0));
    EXPECT_FALSE(list.TitleTip().IsWindowVisible());
}

} // namespace

TEST_F(DragListTest, ListDrawsWithItsOwnCopyOfTheDefaultGuiFont)
{
    LOGFONTW expected{};
    GetDefaultGuiFont(&expected);
    LOGFONTW stock{};
    ASSERT_GT(GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(stock), &stock), 0);
    EXPECT_EQ(std::u16string(expected.lfFaceName), std::u16string(stock.lfFaceName));
    EXPECT_EQ(expected.lfHeight, stock.lfHeight);

    CFont* font = list.GetFont();
    ASSERT_NE(font, nullptr);
    EXPECT_NE(font->m_hObject, GetStockObject(DEFAULT_GUI_FONT)); // a copy the list owns
    LOGFONTW used{};
    ASSERT_GT(font->GetObject(sizeof(used), &used), 0);
    EXPECT_EQ(std::u16string(used.lfFaceName), std::u16string(expected.lfFaceName));
    EXPECT_EQ(used.lfHeight, expected.lfHeight);
}

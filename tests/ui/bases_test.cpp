#include "platform/afx/cwinapp.h"
#include "platform/afx/dialog_template.h"
#include "platform/afx/icon.h"
#include "platform/afx/shell.h"
#include "resources/resource_ids.h"
#include "tests/support/test_support.h"
#include "tests/ui/ui_test_support.h"
#include "ui/base_dialog.h"
#include "ui/base_view.h"
#include "ui/base_wnd.h"
#include "ui/browse.h"
#include "ui/combo_box_img_ex.h"
#include "ui/slider_select.h"

#include <QComboBox>
#include <QDir>
#include <QDragMoveEvent>
#include <QFileDialog>
#include <QIcon>
#include <QMimeData>
#include <QPixmap>

#include <gtest/gtest.h>

#include <array>

namespace {

class RecordingView : public CBaseView {
public:
    std::vector<CString> paths;
    void OnDropPath(CString path) override { paths.push_back(path); }
};

class Frame : public CWnd {};

class BasesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApp();
        ASSERT_TRUE(
            frame.CreateEx(0, AfxRegisterWndClass(0), u"frame", WS_POPUP | WS_VISIBLE, 50, 50, 300, 200, nullptr, 0));
        app.m_pMainWnd = &frame;
        ASSERT_TRUE(view.Create(AfxRegisterWndClass(0), u"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &frame, 1));
    }
    void TearDown() override { app.m_pMainWnd = nullptr; }
    CWinApp app;
    Frame frame;
    RecordingView view;
};

DWORD Drag(QWidget* w, const QMimeData& mime, QEvent::Type type)
{
    if (type == QEvent::DragLeave) {
        QDragLeaveEvent leave;
        QCoreApplication::sendEvent(w, &leave);
        return 0;
    }
    if (type == QEvent::Drop) {
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &drop);
        return drop.dropAction() == Qt::IgnoreAction ? 0 : 1;
    }
    QDragMoveEvent e(QPoint(10, 10), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier, type);
    QCoreApplication::sendEvent(w, &e);
    if (!e.isAccepted())
        return 0;
    return e.dropAction() == Qt::MoveAction ? 2 : 1;
}

TEST_F(BasesTest, TextDraggedOverTheViewIsTakenOncePerPathAfterTheDrag)
{
    TempFolder first, second;
    QWidget* w = WidgetOf(&view);
    QMimeData mime;
    mime.setText(QString::fromStdString(first.Path()));
    EXPECT_EQ(Drag(w, mime, QEvent::DragEnter), 1u); // copy
    EXPECT_EQ(Drag(w, mime, QEvent::DragMove), 2u); // move
    EXPECT_EQ(Drag(w, mime, QEvent::DragMove), 2u);
    ProcessEvents();
    EXPECT_TRUE(view.paths.empty()); // nothing while the other program still drags
    EXPECT_EQ(Drag(w, mime, QEvent::Drop), 0u); // no drop effect: the source keeps its text
    ProcessEvents();
    ASSERT_EQ(view.paths.size(), 1u);
    EXPECT_EQ(view.paths[0], CString(first.Path().c_str()));

    // The same path again is ignored; another path and then the first are both taken.
    Drag(w, mime, QEvent::DragEnter);
    Drag(w, mime, QEvent::DragMove);
    Drag(w, mime, QEvent::DragLeave);
    ProcessEvents();
    EXPECT_EQ(view.paths.size(), 1u);
    QMimeData other;
    other.setText(QString::fromStdString(second.Path()));
    Drag(w, other, QEvent::DragEnter);
    Drag(w, other, QEvent::DragMove);
    Drag(w, other, QEvent::DragLeave);
    Drag(w, mime, QEvent::DragEnter);
    Drag(w, mime, QEvent::DragMove);
    Drag(w, mime, QEvent::DragLeave);
    ProcessEvents();
    ASSERT_EQ(view.paths.size(), 2u);
    EXPECT_EQ(view.paths[1], CString(first.Path().c_str()));
}

TEST_F(BasesTest, TextThatIsNoPathIsAnsweredButIgnoredAndOtherDataRefused)
{
    QWidget* w = WidgetOf(&view);
    QMimeData words;
    words.setText("not a path at all");
    EXPECT_EQ(Drag(w, words, QEvent::DragEnter), 1u);
    EXPECT_EQ(Drag(w, words, QEvent::DragMove), 2u);
    Drag(w, words, QEvent::DragLeave);
    QMimeData picture;
    picture.setData("image/png", QByteArray("\x89PNG", 4));
    EXPECT_EQ(Drag(w, picture, QEvent::DragEnter), 0u);
    EXPECT_EQ(Drag(w, picture, QEvent::DragMove), 0u);
    ProcessEvents();
    EXPECT_TRUE(view.paths.empty());
}

TEST_F(BasesTest, DroppedFilesReachTheViewInTheirOrder)
{
    DropFileList drop({CString(u"/x/1"), CString(u"/x/2"), CString(u"/x/3")});
    view.SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(drop.Handle()), 0);
    ASSERT_EQ(view.paths.size(), 3u);
    EXPECT_EQ(view.paths[2], CString(u"/x/3"));
}

TEST_F(BasesTest, DraggingTheViewBackgroundMovesTheMainWindow)
{
    QWidget* top = WidgetOf(&frame);
    QWidget* w = WidgetOf(&view);
    const QPoint start = top->pos();
    SendMouse(w, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton);
    SendMouse(w, QEvent::MouseMove, QPoint(6, 6), Qt::NoButton, Qt::LeftButton, Qt::ControlModifier);
    SendMouse(w, QEvent::MouseMove, QPoint(26, 16), Qt::NoButton, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(top->pos(), start);
    SendMouse(w, QEvent::MouseMove, QPoint(7, 7), Qt::NoButton, Qt::LeftButton);
    SendMouse(w, QEvent::MouseMove, QPoint(17, 27), Qt::NoButton, Qt::LeftButton);
    SendMouse(w, QEvent::MouseButtonRelease, QPoint(17, 27), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(top->pos(), start + QPoint(10, 20));
}

TEST(BaseWnd, PopupIsTopLevelWithTheApplicationIconAndMovesByItsClientArea)
{
    TestApp();
    Frame owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), u"owner", WS_POPUP, 0, 0, 50, 50, nullptr, 0));
    struct Viewer : CBaseWnd {
        BOOL PreCreateWindow(CREATESTRUCT& cs) override
        {
            cs.cx = 120;
            cs.cy = 90;
            cs.lpszName = u"Viewer";
            return TRUE;
        }
    } viewer;
    ASSERT_TRUE(viewer.CreatePopup(&owner, WS_VISIBLE | WS_SYSMENU));
    QWidget* w = WidgetOf(&viewer);
    EXPECT_TRUE(w->isWindow());
    EXPECT_EQ(w->parentWidget(), nullptr);
    EXPECT_EQ(w->windowTitle(), QString("Viewer"));
    EXPECT_EQ(w->size(), QSize(120, 90));
    EXPECT_EQ(viewer.GetIcon(TRUE), AfxLoadIcon(IDR_MAINFRAME));
    const QPoint start = w->pos();
    SendMouse(w, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton);
    SendMouse(w, QEvent::MouseMove, QPoint(6, 6), Qt::NoButton, Qt::LeftButton);
    SendMouse(w, QEvent::MouseMove, QPoint(16, 9), Qt::NoButton, Qt::LeftButton);
    SendMouse(w, QEvent::MouseButtonRelease, QPoint(16, 9), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(w->pos(), start + QPoint(10, 3));
}

struct BrowseCase {
    const char* what;
    bool cancel;
    bool root;
};
void PrintTo(const BrowseCase& c, std::ostream* os) { *os << c.what; }

class BrowseTest : public ::testing::TestWithParam<BrowseCase> {};

TEST_P(BrowseTest, ReturnsTheChosenFolderWithoutTrailingSlashOrTheInitialOne)
{
    TestApp();
    TempFolder folder;
    const QString initial = QString::fromStdString(folder.Path());
    QDir(initial).mkdir("chosen");
    const QString chosen = GetParam().root ? QString("/") : initial + "/chosen";
    QString openedOn, title;
    WhenModal([&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        openedOn = dialog->directory().absolutePath();
        title = dialog->windowTitle();
        if (GetParam().cancel) {
            dialog->reject();
            return;
        }
        dialog->setDirectory(chosen);
        dialog->selectFile(chosen);
        static_cast<QDialog*>(dialog)->accept();
    });
    CBrowse browse;
    const CString result = browse.Browse(FromQString(initial), nullptr);
    EXPECT_EQ(title, QString::fromUtf16(u"フォルダの選択"));
    EXPECT_EQ(QDir(openedOn).canonicalPath(), QDir(initial).canonicalPath());
    if (GetParam().cancel)
        EXPECT_EQ(result, FromQString(initial));
    else
        EXPECT_EQ(QDir(ToQString(result)).canonicalPath(), QDir(chosen).canonicalPath());
    EXPECT_TRUE(result.GetLength() == 1 || result[result.GetLength() - 1] != u'/');
}

INSTANTIATE_TEST_SUITE_P(Choices, BrowseTest,
                         ::testing::Values(BrowseCase{"folder", false, false}, BrowseCase{"root", false, true},
                                           BrowseCase{"cancel", true, false}));

constexpr std::array kItems = {
    DialogItemTemplate{100, u"msctls_trackbar32", WS_VISIBLE, 0, 0, 0, 100, 15, u""},
    DialogItemTemplate{101, u"ComboBoxEx32", WS_VISIBLE | CBS_DROPDOWNLIST, 0, 0, 20, 100, 60, u""},
};
const DialogTemplate kTemplate{40904, WS_POPUP, 0, 0, 0, 160, 50, u"", u"ＭＳ Ｐゴシック", 9, kItems};

class ControlHost : public CBaseDialog {
public:
    ControlHost() : CBaseDialog(40904, nullptr, FALSE, FALSE) { InitModalIndirect(&kTemplate); }
};

struct SliderCase {
    int x;
    int expected;
};
void PrintTo(const SliderCase& c, std::ostream* os) { *os << "x=" << c.x; }

class SliderSelectTest : public ::testing::TestWithParam<SliderCase> {};

TEST_P(SliderSelectTest, ClickPositionMapsOntoTheChannel)
{
    TestApp();
    ControlHost dlg;
    ASSERT_TRUE(dlg.CreateModeless(nullptr));
    CSliderSelect slider;
    ASSERT_TRUE(slider.SubclassDlgItem(100, &dlg));
    slider.MoveWindow(0, 0, 228, 24);
    slider.SetRange(0, 100);
    POINT pt{GetParam().x, 5};
    slider.ClientToScreen(&pt);
    SetCursorPos(pt.x, pt.y);
    EXPECT_EQ(slider.SetPosFromCursor(), GetParam().expected);
    EXPECT_EQ(slider.GetPos(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Clicks, SliderSelectTest,
                         ::testing::Values(SliderCase{14, 0}, SliderCase{114, 50}, SliderCase{214, 100},
                                           SliderCase{213, 99}, SliderCase{3, 0}, SliderCase{225, 100}));

TEST(SliderSelect, NarrowSliderStaysInItsRange)
{
    TestApp();
    ControlHost dlg;
    ASSERT_TRUE(dlg.CreateModeless(nullptr));
    CSliderSelect slider;
    ASSERT_TRUE(slider.SubclassDlgItem(100, &dlg));
    slider.SetRange(0, 100);
    for (int width : {28, 20, 0}) {
        slider.MoveWindow(0, 0, width, 24);
        for (int x : {-5, 0, 10, 40}) {
            POINT pt{x, 5};
            slider.ClientToScreen(&pt);
            SetCursorPos(pt.x, pt.y);
            const int pos = slider.SetPosFromCursor();
            EXPECT_GE(pos, 0);
            EXPECT_LE(pos, 100);
        }
    }
}

TEST(ComboBoxImgEx, ItemShowsTheIconAtItsImageIndex)
{
    TestApp();
    ControlHost dlg;
    ASSERT_TRUE(dlg.CreateModeless(nullptr));
    CComboBoxImgEx combo;
    ASSERT_TRUE(combo.SubclassDlgItem(101, &dlg));
    EXPECT_EQ(combo.CreateImageList(), nullptr);
    const std::array<QColor, 4> colors = {Qt::red, Qt::green, Qt::blue, Qt::yellow};
    for (const QColor& c : colors) {
        QPixmap p(16, 16);
        p.fill(c);
        const HICON icon = CreateIconHandle(QIcon(p));
        EXPECT_GE(combo.ImageList().Add(icon), 0);
        DestroyIcon(icon);
    }
    EXPECT_EQ(combo.ImageList().GetImageCount(), 4);
    for (int i = 0; i < 3; ++i) {
        COMBOBOXEXITEMW item{};
        item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_LPARAM;
        item.iItem = i;
        CString text;
        text.Format(u"Version %d", i);
        item.pszText = const_cast<LPWSTR>(text.GetString());
        item.iImage = item.iSelectedImage = 2 - i;
        item.lParam = 100 + i;
        EXPECT_EQ(combo.InsertItem(&item), i);
    }
    auto* box = qobject_cast<QComboBox*>(WidgetOf(&combo));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(QColor(box->itemIcon(0).pixmap(16, 16).toImage().pixel(8, 8)), QColor(Qt::blue));
    EXPECT_EQ(QColor(box->itemIcon(2).pixmap(16, 16).toImage().pixel(8, 8)), QColor(Qt::red));
    EXPECT_EQ(combo.GetItemData(1), 101u);
    CString text;
    combo.GetLBText(1, text);
    EXPECT_EQ(text, CString(u"Version 1"));
}

} // namespace

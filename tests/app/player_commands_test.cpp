// The player's commands as a person gives them: tool bar buttons, menu items, the arrow keys of
// the Japanese menu, the seek slider under the mouse and the wheel, and what each command leaves
// enabled and ticked.
#include "dialogs/avi_set_dlg.h"
#include "dialogs/bat_encode_dlg.h"
#include "foundation/file_path.h"
#include "image/packed_dib.h"
#include "image/res_img_file.h"
#include "platform/afx/message_box.h"
#include "platform/win/clock.h"
#include "platform/win/text.h"
#include "resources/aux_dialog_ids.h"
#include "resources/resource_ids.h"
#include "tests/app/player_fixture.h"
#include "tests/app/player_input.h"
#include "tests/support/qt_app.h"
#include "tests/support/scoped_locale.h"
#include "tests/support/test_support.h"
#include "tests/support/window_widget.h"

#include <QComboBox>
#include <QFileDialog>
#include <QImage>
#include <QScreen>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace {

constexpr QRgb kFrameBoxGreen = 0xFF00FF00u;
constexpr QRgb kBackground = 0xFF808080u;
// Clear of the box's centred text.
const QPoint kInsideFrameBox(163, 5);
const QPoint kInsidePreview(14, 29);

struct CommandState {
    bool enabled = false;
    bool ticked = false;
};

class PlayerCommandsTest : public PlayerFixture {
protected:
    // The main loop has nothing left to do: the buttons' states are brought up to date.
    void Idle()
    {
        ProcessEvents();
        m_app.OnIdle(0);
    }
    // A person acts on what the window shows after the main loop went idle.
    void Press(UINT id)
    {
        Idle();
        ClickToolBarButton(m_frame, id);
        ProcessEvents();
    }
    CommandState Button(UINT id)
    {
        Idle();
        const QAction* a = ToolBarAction(m_frame, id);
        return {a->isEnabled(), a->isChecked()};
    }
    // The item as the opened menu shows it.
    CommandState Item(UINT id)
    {
        const MenuItem item = FindMenuItem(m_frame, id);
        item.menu->popup(QPoint(0, 0));
        ProcessEvents();
        const CommandState state{item.action->isEnabled(), item.action->isChecked()};
        item.menu->hide();
        ProcessEvents();
        return state;
    }
    void Key(Qt::Key key)
    {
        Idle();
        // The main window has the keyboard, as a window system gives it back once a dialog or
        // menu has closed (the offscreen one does not); the key comes through the window system.
        QApplication::setActiveWindow(WidgetOf(m_frame));
        QTest::keyClick(WidgetOf(m_frame)->windowHandle(), key);
        ProcessEvents();
    }
    QString FileNamePane() const { return ToQString(m_frame->m_statusBar.GetPaneText(1)); }
    QImage Shown()
    {
        ProcessEvents();
        return WidgetOf(m_view)->grab().toImage();
    }
    // A folder dialog that the user cancels.
    static ModalScript::Step CancelPicker()
    {
        return [](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            if (!dialog)
                return false;
            dialog->reject();
            return true;
        };
    }
};

class JapanesePlayerTest : public PlayerCommandsTest {
protected:
    ScopedEnv m_japanese{"LC_ALL", kJapaneseLocale};
};

void WritePicture(const TempDir& dir, const char16_t* name, int width, int height)
{
    DibPtr frame(AcquireFrameBlock(nullptr, width, height));
    std::fill_n(DibPixels(frame.get()), DibRowStride(width) * height, BYTE{0x40});
    ASSERT_EQ(CResImgFile().Save(DibPixels(frame.get()), frame.get(), dir.Path(name), 90), 1);
}

QString Name(const std::u16string& name) { return QString::fromStdU16String(name); }

// A point on the slider's groove, where a press pages towards it.
QPoint OnGroove(QWidget* widget, int x)
{
    auto* slider = static_cast<QSlider*>(widget);
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = slider->orientation();
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = slider->sliderPosition();
    option.tickPosition = slider->tickPosition();
    const QRect groove = slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, slider);
    return QPoint(x, groove.center().y());
}

} // namespace

TEST_F(JapanesePlayerTest, NavigationMovesByMenuKeysAndButtonsOnlyWhereItsRulesAllow)
{
    TempDir dir;
    const std::vector<std::u16string> names = MakeJpegFolder(dir, 4);
    ModalScript script;
    OpenFolder(script, dir);
    ASSERT_EQ(m_view->GetImages().GetSize(), 4);

    struct Step {
        const char* name;
        std::function<void()> act;
        int index;
    };
    const std::vector<Step> steps = {
        {"the folder listed", [] {}, 0},
        {"Right arrow", [&] { Key(Qt::Key_Right); }, 1},
        {"next button", [&] { Press(ID_MOVE_NEXT); }, 2},
        {"last item", [&] { ChooseMenuItem(m_frame, ID_MOVE_LAST); }, 3},
        {"next button at the end", [&] { Press(ID_MOVE_NEXT); }, 3},
        {"Right arrow at the end", [&] { Key(Qt::Key_Right); }, 3},
        {"Left arrow", [&] { Key(Qt::Key_Left); }, 2},
        {"first item", [&] { ChooseMenuItem(m_frame, ID_MOVE_FIRST); }, 0},
        {"previous button at the start", [&] { Press(ID_MOVE_PREV); }, 0},
        {"Left arrow at the start", [&] { Key(Qt::Key_Left); }, 0},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(m_view->GetIndex(), step.index) << step.name;
        EXPECT_EQ(m_view->GetSlider().GetPos(), step.index) << step.name;
        EXPECT_EQ(FileNamePane(), Name(names[step.index])) << step.name;
        const bool atStart = step.index == 0;
        const bool atEnd = step.index == 3;
        EXPECT_EQ(Button(ID_MOVE_PREV).enabled, !atStart) << step.name;
        EXPECT_EQ(Item(ID_MOVE_FIRST).enabled, !atStart) << step.name;
        EXPECT_EQ(Button(ID_MOVE_NEXT).enabled, !atEnd) << step.name;
        EXPECT_EQ(Item(ID_MOVE_LAST).enabled, !atEnd) << step.name;
    }
    EXPECT_TRUE(script.Left().empty());
}

TEST_F(PlayerCommandsTest, WithNoImagesOnlyTheFolderAndTheAlwaysCommandsAreOffered)
{
    EXPECT_TRUE(Button(ID_OPEN_FOLDER).enabled);
    EXPECT_FALSE(Button(ID_PLAY).enabled);
    EXPECT_FALSE(Button(ID_MOVE_PREV).enabled);
    EXPECT_FALSE(Button(ID_MOVE_NEXT).enabled);
    EXPECT_FALSE(Button(ID_CLIP_RESIZE).enabled);
    EXPECT_FALSE(Item(ID_SHOW_SOURCE).enabled);
    EXPECT_TRUE(Button(ID_INPUT_JPG).enabled);
    EXPECT_TRUE(Button(ID_INPUT_JPG).ticked);
    EXPECT_TRUE(Item(ID_ZOOM_100).enabled);
    EXPECT_TRUE(Item(ID_ZOOM_100).ticked);
}

TEST_F(PlayerCommandsTest, ClipResizeAndTheSourceViewerAreOfferedWithImagesAndTickedWhileInUse)
{
    TempDir dir;
    MakeJpegFolder(dir, 3);
    ModalScript script;
    OpenFolder(script, dir);
    EXPECT_EQ(Button(ID_CLIP_RESIZE).enabled, true);
    EXPECT_EQ(Button(ID_CLIP_RESIZE).ticked, false) << "the output is the source";
    EXPECT_EQ(Item(ID_SHOW_SOURCE).enabled, true);
    EXPECT_EQ(Item(ID_SHOW_SOURCE).ticked, false);

    ChooseMenuItem(m_frame, ID_SHOW_SOURCE);
    EXPECT_TRUE(m_view->IsViewerOpen());
    EXPECT_TRUE(Item(ID_SHOW_SOURCE).ticked);
    ChooseMenuItem(m_frame, ID_SHOW_SOURCE);
    EXPECT_FALSE(m_view->IsViewerOpen());
    EXPECT_FALSE(Item(ID_SHOW_SOURCE).ticked);

    Press(ID_CLIP_RESIZE);
    EXPECT_TRUE(m_view->IsResizeDialogOpen());
    // What the dialog does when the user makes the output smaller.
    m_doc->m_bihOutput.biWidth = kPlayerWidth / 2;
    EXPECT_TRUE(Button(ID_CLIP_RESIZE).ticked);
    Press(ID_CLIP_RESIZE);
    EXPECT_FALSE(m_view->IsResizeDialogOpen());
}

TEST_F(PlayerCommandsTest, AnInputTypeListsItsFilesAnewAndDropsTheClipAndTheOutputSize)
{
    TempDir dir;
    MakeJpegFolder(dir, 3);
    WritePicture(dir, u"b2.bmp", 40, 30);
    WritePicture(dir, u"B1.bmp", 40, 30);
    ModalScript script;
    OpenFolder(script, dir);
    ASSERT_EQ(m_view->GetImages().GetSize(), 3);
    Press(ID_MOVE_NEXT);
    Press(ID_CLIP_RESIZE);
    ASSERT_TRUE(m_view->IsResizeDialogOpen());
    m_doc->m_bihOutput.biWidth = 32;
    m_doc->m_rcClip = RECT{4, 4, 20, 20};

    Press(ID_INPUT_BMP);
    EXPECT_EQ(m_doc->m_nInputType, 1);
    ASSERT_EQ(m_view->GetImages().GetSize(), 2);
    EXPECT_EQ(std::u16string(m_view->GetImages()[0].View()), std::u16string(dir.Path(u"B1.bmp").View()));
    EXPECT_EQ(m_view->GetIndex(), 0);
    EXPECT_EQ(FileNamePane(), QStringLiteral("B1.bmp"));
    EXPECT_EQ(m_doc->m_bihSource.biWidth, 40);
    EXPECT_EQ(m_doc->m_bihOutput.biWidth, 40) << "the output is the source again";
    EXPECT_EQ(m_doc->m_rcClip.left, 0);
    EXPECT_EQ(m_doc->m_rcClip.right, 40);
    EXPECT_FALSE(m_view->IsResizeDialogOpen()) << "the reload closes the dialog";
    EXPECT_TRUE(Button(ID_INPUT_BMP).ticked);
    EXPECT_FALSE(Button(ID_INPUT_JPG).ticked);
    EXPECT_EQ(Shown().pixel(kInsideFrameBox), kFrameBoxGreen);

    // No TIFF files: an empty list and no frame, the title and output paths kept.
    Press(ID_INPUT_TIF);
    EXPECT_EQ(m_view->GetImages().GetSize(), 0);
    EXPECT_EQ(m_view->GetSlider().GetRangeMax(), -1);
    EXPECT_EQ(FileNamePane(), QStringLiteral("FileName"));
    EXPECT_EQ(m_frame->GetWindowTextString(), CString(u"Torvina - Input : ") + dir.Path());
    EXPECT_EQ(m_doc->m_strAviPath, dir.Path(u"Enc.avi"));
    EXPECT_EQ(Shown().pixel(kInsideFrameBox), kBackground);
    EXPECT_TRUE(Button(ID_INPUT_TIF).ticked);
    EXPECT_FALSE(Button(ID_PLAY).enabled);
}

TEST_F(PlayerCommandsTest, OpenFolderCancelledListsTheCurrentFolderAgainOrDoesNothing)
{
    ModalScript script;
    script.Add("cancel with no folder", CancelPicker());
    Press(ID_OPEN_FOLDER);
    ASSERT_TRUE(script.Left().empty());
    EXPECT_EQ(m_view->GetImages().GetSize(), 0);
    EXPECT_EQ(m_frame->GetWindowTextString(), CString(u"Torvina"));

    TempDir dir;
    const std::vector<std::u16string> names = MakeJpegFolder(dir, 3);
    OpenFolder(script, dir);
    Press(ID_MOVE_NEXT);
    Press(ID_MOVE_NEXT);
    ASSERT_EQ(m_view->GetIndex(), 2);
    WritePicture(dir, u"A0.jpg", kPlayerWidth, kPlayerHeight);

    script.Add("cancel", CancelPicker());
    Press(ID_OPEN_FOLDER);
    ASSERT_TRUE(script.Left().empty());
    EXPECT_EQ(m_view->GetImages().GetSize(), 4) << "listed again";
    EXPECT_EQ(m_view->GetIndex(), 0);
    EXPECT_EQ(FileNamePane(), QStringLiteral("A0.jpg"));
}

TEST_F(PlayerCommandsTest, TheFirstImageThatDoesNotLoadShows701AndLeavesNothingToPlay)
{
    TempDir dir;
    MakeJpegFolder(dir, 3);
    dir.WriteFile(u"a0.jpg", 300);
    ModalScript script;
    std::vector<QString> boxes;
    script.Add("folder", ModalScript::ChoosePath(QString::fromStdString(dir.Native())));
    script.Add("error", ModalScript::Box(boxes));
    Press(ID_OPEN_FOLDER);
    ASSERT_TRUE(script.Left().empty()) << script.Left().front();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], QStringLiteral("Error No.0701|Error No.0701\n\nThe file doesn't open."));
    EXPECT_EQ(m_view->GetImages().GetSize(), 4) << "the list stays";
    EXPECT_EQ(m_view->GetSlider().GetRangeMax(), 3);
    const QImage shown = Shown();
    EXPECT_EQ(shown.pixel(kInsideFrameBox), kBackground);
    EXPECT_EQ(shown.pixel(kInsidePreview), kBackground);

    const UINT beeps = MessageBeepCount();
    Press(ID_PLAY);
    Idle();
    EXPECT_EQ(MessageBeepCount(), beeps) << "no run";
    EXPECT_EQ(m_doc->m_nRunState, RunState::Stopped);
}

TEST_F(PlayerCommandsTest, AnImageThatDoesNotLoadOnNavigationShows601AndNoFrameUntilAReload)
{
    struct Case {
        const char* name;
        std::function<void(const TempDir&)> write;
    };
    const Case cases[] = {
        {"not a picture", [](const TempDir& dir) { dir.WriteFile(u"shota2.jpg", 300); }},
        {"another size", [](const TempDir& dir) { WritePicture(dir, u"shota2.jpg", 32, 32); }},
    };
    for (const Case& c : cases) {
        TempDir dir;
        MakeJpegFolder(dir, 3);
        c.write(dir);
        ModalScript script;
        OpenFolder(script, dir);
        ASSERT_EQ(m_view->GetImages().GetSize(), 4) << c.name;
        EXPECT_EQ(Shown().pixel(kInsideFrameBox), kFrameBoxGreen) << c.name;

        std::vector<QString> boxes;
        script.Add("error", ModalScript::Box(boxes));
        Press(ID_MOVE_NEXT);
        ASSERT_TRUE(script.Left().empty()) << c.name;
        ASSERT_EQ(boxes.size(), 1u) << c.name;
        EXPECT_EQ(boxes[0], QStringLiteral("Error No.0601|Error No.0601\n\nThe picture file doesn't open.")) << c.name;
        EXPECT_EQ(m_view->GetIndex(), 1) << c.name;
        EXPECT_EQ(Shown().pixel(kInsideFrameBox), kBackground) << c.name;
        EXPECT_EQ(Shown().pixel(kInsidePreview), kBackground) << c.name;

        // The next image loads, but nothing is shown until the folder is listed again.
        Press(ID_MOVE_NEXT);
        EXPECT_EQ(m_view->GetIndex(), 2) << c.name;
        EXPECT_EQ(Shown().pixel(kInsideFrameBox), kBackground) << c.name;
        EXPECT_TRUE(Button(ID_MOVE_PREV).enabled) << c.name;
        Press(ID_INPUT_JPG);
        EXPECT_EQ(Shown().pixel(kInsideFrameBox), kFrameBoxGreen) << c.name;
    }
}

TEST_F(PlayerCommandsTest, TheSliderSeeksWhereTheMousePressesItAndNotByKeys)
{
    TempDir dir;
    const std::vector<std::u16string> names = MakeJpegFolder(dir, 11);
    ModalScript script;
    OpenFolder(script, dir);
    CSliderSelect& slider = m_view->GetSlider();
    ASSERT_EQ(slider.GetRangeMax(), 10);
    QWidget* groove = WidgetOf(&slider);
    // The channel starts and ends 14 pixels in from the slider's edges.
    const int channel = groove->width() - 28;
    ASSERT_GT(channel, 0);
    LeftClick(groove, OnGroove(groove, 14 + channel * 75 / 100));
    ProcessEvents();
    EXPECT_EQ(m_view->GetIndex(), 7);
    EXPECT_EQ(slider.GetPos(), 7);
    EXPECT_EQ(FileNamePane(), Name(names[7]));
    EXPECT_EQ(Shown().pixel(kInsideFrameBox), kFrameBoxGreen);

    // The keyboard moves the slider only.
    QTest::keyClick(groove, Qt::Key_Right);
    ProcessEvents();
    EXPECT_EQ(slider.GetPos(), 8);
    EXPECT_EQ(m_view->GetIndex(), 7);
    EXPECT_EQ(FileNamePane(), Name(names[7]));
}

TEST_F(PlayerCommandsTest, TheSliderSpansTheListWithATickEveryTenth)
{
    struct Case {
        int images;
        int tickInterval;
    };
    for (const Case& c : {Case{5, 0}, Case{11, 1}, Case{101, 10}}) {
        TempDir dir;
        MakeJpegFolder(dir, c.images);
        ModalScript script;
        OpenFolder(script, dir);
        auto* slider = static_cast<QSlider*>(WidgetOf(&m_view->GetSlider()));
        EXPECT_TRUE(slider->isVisible()) << c.images;
        EXPECT_EQ(slider->minimum(), 0) << c.images;
        EXPECT_EQ(slider->maximum(), c.images - 1) << c.images;
        EXPECT_EQ(slider->tickInterval(), c.tickInterval) << c.images;
        EXPECT_EQ(slider->geometry().bottom(), WidgetOf(m_view)->rect().bottom()) << "along the bottom edge";
        EXPECT_EQ(slider->height(), 30);
    }
}

TEST_F(PlayerCommandsTest, ZoomItemsSetTheZoomAndTickOnlyTheExactFactor)
{
    TempDir dir;
    MakeJpegFolder(dir, 1);
    ModalScript script;
    OpenFolder(script, dir);
    const UINT zooms[] = {ID_ZOOM_25, ID_ZOOM_50, ID_ZOOM_100, ID_ZOOM_150, ID_ZOOM_200, ID_ZOOM_400};
    struct Case {
        UINT item;
        int notchesUp;
        double zoom;
        UINT ticked; // 0: none
    };
    const Case cases[] = {
        {ID_ZOOM_150, 0, 1.5, ID_ZOOM_150}, {ID_ZOOM_200, 1, 4.0, ID_ZOOM_400}, {ID_ZOOM_50, -1, 0.25, ID_ZOOM_25},
        {ID_ZOOM_100, 3, 8.0, 0},           {ID_ZOOM_25, -3, 0.03125, 0},       {ID_ZOOM_400, -3, 0.5, ID_ZOOM_50},
    };
    QWidget* view = WidgetOf(m_view);
    for (const Case& c : cases) {
        ChooseMenuItem(m_frame, c.item);
        for (int i = 0; i < std::abs(c.notchesUp); ++i)
            WheelNotch(view, c.notchesUp > 0);
        ProcessEvents();
        EXPECT_EQ(m_view->GetZoom(), c.zoom) << c.item << " " << c.notchesUp;
        for (UINT id : zooms)
            EXPECT_EQ(Item(id).ticked, id == c.ticked) << c.item << " " << c.notchesUp << ": " << id;
    }
}

namespace {

struct RunCase {
    const char* name;
    bool aviOutput;
    bool clipResizeDuringTheRun;
};
void PrintTo(const RunCase& c, std::ostream* os) { *os << c.name; }

class PlayerRunStatesTest : public PlayerCommandsTest, public ::testing::WithParamInterface<RunCase> {};

} // namespace

TEST_P(PlayerRunStatesTest, DuringARunTheListCannotChangeAndTheSliderSpringsBack)
{
    const RunCase& c = GetParam();
    constexpr int kCount = 12;
    TempDir dir;
    MakeJpegFolder(dir, kCount);
    ModalScript script;
    OpenFolder(script, dir);
    std::vector<QString> boxes;
    if (c.aviOutput) {
        Press(ID_MAKE_AVI);
        m_view->GetRun().AviWriter().m_pObject->GetSetting()->SetHandler(mmioFOURCC('D', 'I', 'B', ' '));
        script.Add("AVI path", ModalScript::ChoosePath(QString::fromStdString(dir.Native() + "/out.avi")));
        script.Add("AVI settings", ModalScript::Press<CAVISetDlg>(IDOK));
        script.Add("stop?", ModalScript::Box(boxes));
        script.Add("saved", ModalScript::Box(boxes));
    }

    // Pauses the run past its third frame, looks at the commands once the paused run has updated
    // them, drags at the slider's far end, and stops.
    std::map<UINT, CommandState> seen;
    int indexWhenPaused = -1;
    int sliderAfterPress = -1;
    int pausedTicks = 0;
    bool stopped = false;
    QTimer user;
    user.setInterval(0);
    QObject::connect(&user, &QTimer::timeout, [&] {
        const RunState state = m_doc->m_nRunState;
        if (state == RunState::Running && indexWhenPaused < 0 && m_view->GetIndex() >= 3) {
            indexWhenPaused = 0;
            ClickToolBarButton(m_frame, ID_PAUSE);
        } else if (state == RunState::Paused && ++pausedTicks == 3) {
            indexWhenPaused = m_view->GetIndex();
            for (UINT id : {ID_MOVE_PREV, ID_MOVE_NEXT, ID_OPEN_FOLDER, ID_INPUT_BMP, ID_PLAY, ID_PAUSE, ID_STOP,
                            ID_CLIP_RESIZE, ID_MAKE_AVI}) {
                const QAction* a = ToolBarAction(m_frame, id);
                seen[id] = {a->isEnabled(), a->isChecked()};
            }
            QWidget* groove = WidgetOf(&m_view->GetSlider());
            LeftClick(groove, OnGroove(groove, groove->width() - 15));
            sliderAfterPress = m_view->GetSlider().GetPos();
        } else if (state == RunState::Paused && pausedTicks == 4 && !stopped) {
            stopped = true;
            ClickToolBarButton(m_frame, ID_STOP);
        }
    });
    user.start();
    Press(ID_PLAY);
    user.stop();
    ASSERT_TRUE(stopped);
    EXPECT_TRUE(script.Left().empty()) << script.Left().front();
    EXPECT_EQ(m_doc->m_nRunState, RunState::Stopped);
    ASSERT_GE(indexWhenPaused, 3);
    EXPECT_LT(indexWhenPaused, kCount - 1);
    EXPECT_EQ(sliderAfterPress, indexWhenPaused) << "the slider springs back to the frame";

    EXPECT_FALSE(seen[ID_MOVE_PREV].enabled);
    EXPECT_FALSE(seen[ID_MOVE_NEXT].enabled);
    EXPECT_FALSE(seen[ID_OPEN_FOLDER].enabled);
    EXPECT_FALSE(seen[ID_INPUT_BMP].enabled);
    EXPECT_FALSE(seen[ID_MAKE_AVI].enabled);
    EXPECT_TRUE(seen[ID_PLAY].enabled) << "Play resumes";
    EXPECT_TRUE(seen[ID_PAUSE].enabled);
    EXPECT_TRUE(seen[ID_PAUSE].ticked);
    EXPECT_TRUE(seen[ID_STOP].enabled);
    EXPECT_EQ(seen[ID_CLIP_RESIZE].enabled, c.clipResizeDuringTheRun);

    // Stopped again: the list is the user's once more.
    EXPECT_TRUE(Button(ID_MOVE_PREV).enabled);
    EXPECT_TRUE(Button(ID_OPEN_FOLDER).enabled);
    EXPECT_TRUE(Button(ID_CLIP_RESIZE).enabled);
    EXPECT_FALSE(Button(ID_STOP).enabled);
}

INSTANTIATE_TEST_SUITE_P(Outputs, PlayerRunStatesTest,
                         ::testing::Values(RunCase{"SlideShow", false, true}, RunCase{"WritingAvi", true, false}),
                         [](const ::testing::TestParamInfo<RunCase>& info) { return std::string(info.param.name); });

TEST_F(PlayerCommandsTest, TheMainWindowStartsTitledTorvinaCentredWithinTheScreen)
{
    EXPECT_EQ(m_frame->GetWindowTextString(), CString(u"Torvina"));
    QWidget* window = WidgetOf(m_frame);
    ASSERT_TRUE(window->isVisible());
    const QRect placed = window->frameGeometry();
    EXPECT_EQ(window->size(), QSize(760, 675));
    const QRect area = window->screen()->availableGeometry();
    ASSERT_TRUE(area.contains(placed)) << "the test screen holds the window";
    EXPECT_LE(std::abs(placed.center().x() - area.center().x()), 1);
    EXPECT_LE(std::abs(placed.center().y() - area.center().y()), 1);
}

TEST_F(PlayerCommandsTest, HelpHandsTheShellTheHelpFileBesideTheProgramAndSaysNothingWhenItIsMissing)
{
    // A stand-in opener first on the path records what it was asked to open and fails, as the
    // real one does for a file that is not there.
    TempFolder bin;
    WriteFileText(bin / "xdg-open",
                  "#!/bin/sh\nprintf '%s\\n' \"$1\" > \"$0.tmp\"\nmv \"$0.tmp\" \"$0.asked\"\nexit 2\n");
    chmod((bin / "xdg-open").c_str(), 0755);
    ScopedEnv path("PATH", (bin.Path() + ":" + std::getenv("PATH")).c_str());
    const std::string helpFile = Utf16ToUtf8(GetModuleFolder().View()) + "torvina.chm";
    ASSERT_FALSE(std::filesystem::exists(helpFile));

    Press(ID_HELP);
    for (int i = 0; i < 500 && !std::filesystem::exists(bin / "xdg-open.asked"); ++i) {
        ProcessEvents();
        Sleep(10);
    }
    EXPECT_EQ(ReadFileText(bin / "xdg-open.asked"), helpFile + "\n");
    // The worker ignores the opener's answer: no box appears.
    for (int i = 0; i < 20; ++i) {
        ProcessEvents();
        Sleep(10);
    }
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible() && w != WidgetOf(m_frame) && w->isModal()) << w->metaObject()->className();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(PlayerCommandsTest, TheBatchDialogsExitRowEndsTheProgramWhenTheBatchIsDone)
{
    constexpr UINT kEncode = WM_USER + 501, kStopEncode = WM_USER + 502;
    CBatEncodeDlg batch(m_frame, kEncode, kStopEncode);
    WhenModal([&] {
        batch.ProjectList().AddItem(u"/p/one.ini");
        auto* endAction = static_cast<QComboBox*>(WidgetOf(batch.GetDlgItem(IDC_BAT_END_ACTION)));
        endAction->setCurrentIndex(4);
        ASSERT_EQ(endAction->currentText(), QStringLiteral("Exit"));
        QWidget* start = WidgetOf(batch.GetDlgItem(IDC_BAT_START));
        LeftClick(start, start->rect().center());
    });
    batch.DoModal();
    EXPECT_EQ(RunProgram(), 0) << "the main window closed and the main loop ended";
    EXPECT_EQ(m_app.m_pMainWnd, nullptr);
}

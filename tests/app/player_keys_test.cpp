// The keys a person presses on the running program: each shortcut reaches its command through the
// main window the start-up made, in the language the environment gives, with the commands'
// enable rules still deciding; and the seek slider keeps the presses it takes.
#include "dialogs/avi_set_dlg.h"
#include "platform/vfw/vfw_types.h"
#include "resources/resource_ids.h"
#include "tests/app/player_fixture.h"
#include "tests/support/qt_app.h"
#include "tests/support/test_support.h"
#include "tests/support/window_widget.h"

#include <QApplication>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace {

struct Language {
    const char* name;
    const char* locale;
    bool hasKeys; // only the Japanese menu comes with the accelerator table
};
void PrintTo(const Language& l, std::ostream* os) { *os << l.name; }

class PlayerKeysTest : public PlayerFixture, public ::testing::WithParamInterface<Language> {
protected:
    // A key pressed and released where the keyboard focus is in the main window, as a person
    // types it there.
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* window = WidgetOf(m_frame);
        if (!window->isActiveWindow()) {
            window->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        }
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus && focus->window() == window ? focus : window, key, modifiers);
    }

    bool Keys() const { return GetParam().hasKeys; }

    ScopedEnv m_locale{"LC_ALL", GetParam().locale};
};

TEST_P(PlayerKeysTest, NavigationFolderAndHelpKeysReachTheirCommandsWhileStopped)
{
    TempFolder opener;
    const std::filesystem::path record = std::filesystem::path(opener.Path()) / "record";
    WriteFileText(opener.Path() + "/xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$1\" > \"" + record.string() +
                                                   ".tmp\"\nmv \"" + record.string() + ".tmp\" \"" + record.string() +
                                                   "\"\n");
    chmod((opener.Path() + "/xdg-open").c_str(), 0755);
    ScopedEnv path("PATH", (opener.Path() + ":" + std::getenv("PATH")).c_str());

    TempDir first, second;
    MakeJpegFolder(first, 3);
    MakeJpegFolder(second, 2);
    ModalScript script;
    OpenFolder(script, first);
    ASSERT_EQ(m_view->GetImages().GetSize(), 3);

    Press(Qt::Key_Right);
    EXPECT_EQ(m_view->GetIndex(), Keys() ? 1 : 0);
    Press(Qt::Key_Right);
    Press(Qt::Key_Right); // at the last frame "next" is disabled
    EXPECT_EQ(m_view->GetIndex(), Keys() ? 2 : 0);
    Press(Qt::Key_Left);
    EXPECT_EQ(m_view->GetIndex(), Keys() ? 1 : 0);

    // Pause and Stop act only in a run: nothing asks, nothing changes.
    Command(ID_MAKE_AVI);
    std::vector<QString> boxes;
    script.Add("no box", ModalScript::Box(boxes));
    Press(Qt::Key_Space);
    Press(Qt::Key_S, Qt::ControlModifier);
    ProcessEvents();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(m_doc->m_nRunState, RunState::Stopped);
    EXPECT_FALSE(m_doc->IsModified());

    ModalScript folder;
    folder.Add("folder", ModalScript::ChoosePath(QString::fromStdString(second.Native())));
    Press(Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(folder.Left().empty(), Keys());
    EXPECT_EQ(m_view->GetImages().GetSize(), Keys() ? 2 : 3);

    Press(Qt::Key_F1, Qt::ControlModifier);
    for (int i = 0; i < 100 && !std::filesystem::exists(record); ++i)
        QTest::qWait(10);
    EXPECT_EQ(std::filesystem::exists(record), Keys());
    if (Keys()) {
        EXPECT_TRUE(ReadFileText(record.string()).ends_with("/torvina.chm\n")) << ReadFileText(record.string());
    }
}

TEST_P(PlayerKeysTest, PlayPauseAndStopKeysDriveARun)
{
    constexpr int kCount = 40;
    TempDir dir;
    MakeJpegFolder(dir, kCount);
    ModalScript script;
    OpenFolder(script, dir);
    Command(ID_MAKE_AVI);
    m_view->GetRun().AviWriter().m_pObject->GetSetting()->SetHandler(mmioFOURCC('D', 'I', 'B', ' '));
    const std::string output = dir.Native() + "/keys.avi";
    std::vector<QString> asked, saved;
    script.Add("AVI path", ModalScript::ChoosePath(QString::fromStdString(output)));
    script.Add("AVI settings", ModalScript::Press<CAVISetDlg>(IDOK));
    if (Keys())
        script.Add("stop?", ModalScript::Answer(asked, QMessageBox::Yes));
    script.Add("saved", ModalScript::Box(saved));

    // A person who pauses a few frames in, resumes, then stops, all with keys, while the run
    // goes on; without keys the run goes to its end.
    enum { Starting, Pausing, Resuming, Stopping, Done } step = Starting;
    int pausedAt = -1;
    bool sawPaused = false;
    QTimer user;
    user.setInterval(0);
    QObject::connect(&user, &QTimer::timeout, [&] {
        const RunState state = m_doc->m_nRunState;
        if (step == Starting && state == RunState::Running && m_view->GetIndex() >= 2) {
            step = Pausing;
            pausedAt = m_view->GetIndex();
            Press(Qt::Key_Space);
        } else if (step == Pausing) {
            sawPaused = state == RunState::Paused;
            step = Resuming;
            Press(Qt::Key_Space);
        } else if (step == Resuming && state == RunState::Running) {
            step = Stopping;
            Press(Qt::Key_S, Qt::ControlModifier);
        } else if (step == Stopping) {
            step = Done;
        }
    });
    user.start();
    Press(Qt::Key_P, Qt::ControlModifier);
    if (!Keys()) {
        EXPECT_EQ(script.Left().size(), 3u) << "no dialog opened";
        Command(ID_PLAY); // the tool bar and the menu still start it
    }
    user.stop();
    EXPECT_TRUE(script.Left().empty()) << script.Left().front();
    EXPECT_EQ(saved.size(), 1u);
    EXPECT_EQ(m_doc->m_nRunState, RunState::Stopped);
    if (Keys()) {
        ASSERT_GE(pausedAt, 2);
        EXPECT_TRUE(sawPaused);
        EXPECT_EQ(asked.size(), 1u);
        EXPECT_LT(m_view->GetIndex(), kCount - 1) << "stopped before the end";
    } else {
        EXPECT_EQ(m_view->GetIndex(), kCount - 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, PlayerKeysTest,
                         ::testing::Values(Language{"japanese", "ja_JP.UTF-8", true}, Language{"english", "C", false}),
                         [](const ::testing::TestParamInfo<Language>& info) { return std::string(info.param.name); });

class PlayerSliderTest : public PlayerFixture {};

// A point at x on the slider's groove line (its lower part holds the ticks).
QPoint OnTheGroove(QSlider* slider, int x)
{
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.subControls = QStyle::SC_All;
    option.orientation = slider->orientation();
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = slider->sliderPosition();
    option.sliderValue = slider->value();
    option.tickPosition = slider->tickPosition();
    option.tickInterval = slider->tickInterval();
    const QRect groove = slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, slider);
    return {x, groove.center().y()};
}

TEST_F(PlayerSliderTest, DraggingOnTheGrooveSeeksAndLeavesTheWindowWhereItIs)
{
    constexpr int kCount = 20;
    TempDir dir;
    MakeJpegFolder(dir, kCount);
    ModalScript script;
    OpenFolder(script, dir);
    ProcessEvents();
    QWidget* window = WidgetOf(m_frame);
    auto* slider = qobject_cast<QSlider*>(WidgetOf(&m_view->GetSlider()));
    ASSERT_NE(slider, nullptr);
    ASSERT_GT(slider->width(), 300);
    const QPoint windowAt = window->pos();

    // Pressed on the groove well right of the thumb (at frame 1), then dragged 100 pixels on.
    const QPoint press = OnTheGroove(slider, slider->width() / 2);
    QTest::mousePress(slider, Qt::LeftButton, Qt::NoModifier, press);
    const int seeked = m_view->GetIndex();
    EXPECT_GT(seeked, 0) << "the press seeks";
    for (int dx = 10; dx <= 100; dx += 10)
        QTest::mouseMove(slider, press + QPoint(dx, 0));
    QTest::mouseRelease(slider, Qt::LeftButton, Qt::NoModifier, press + QPoint(100, 0));
    ProcessEvents();
    EXPECT_EQ(window->pos(), windowAt) << "the window stays";
    EXPECT_GE(m_view->GetIndex(), seeked);

    // The view's own background still drags the window.
    QWidget* view = WidgetOf(m_view);
    const QPoint background(view->width() - 20, 10);
    QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, background);
    for (int dx = 10; dx <= 50; dx += 10)
        QTest::mouseMove(view, background + QPoint(dx, dx));
    QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, background + QPoint(50, 50));
    ProcessEvents();
    EXPECT_NE(window->pos(), windowAt);
}

} // namespace

// Closing the main window while a run is in progress, in the program's own main loop: the close
// is refused and stops the run (after the question when an output is on); once the run has
// ended the user closes again and the program ends.
#include "dialogs/avi_set_dlg.h"
#include "dialogs/wmv_set_dlg.h"
#include "platform/afx/message_box.h"
#include "platform/vfw/vfw_types.h"
#include "resources/resource_ids.h"
#include "tests/app/player_fixture.h"
#include "tests/support/decoded_video.h"

#include <QTimer>

#include <filesystem>

namespace {

constexpr int kCount = 30;
// The frame after which the user closes the window.
constexpr int kCloseAt = 3;

// A user who closes the main window once the run has passed a frame, then waits until the run
// has ended and closes it again. The closes go through the message queue, as the close button's.
class UserClosing {
public:
    UserClosing(CMainFrame* frame, CTorvinaView* view) : m_frame(frame), m_view(view)
    {
        m_timer.setInterval(0);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Poll(); });
        m_timer.start();
    }

    bool closedDuringRun = false;
    // What the user sees once the run has ended.
    bool openAfterRun = false;
    int indexAfterRun = -1;

private:
    void Poll()
    {
        if (!closedDuringRun) {
            if (m_view->GetDocument()->IsModified() && m_view->GetIndex() >= kCloseAt) {
                m_frame->PostMessage(WM_CLOSE);
                closedDuringRun = true;
            }
            return;
        }
        if (m_view->GetRun().InProgress())
            return;
        openAfterRun = IsWindow(m_frame->m_hWnd);
        indexAfterRun = m_view->GetIndex();
        m_timer.stop();
        m_frame->PostMessage(WM_CLOSE);
    }

    CMainFrame* m_frame;
    CTorvinaView* m_view;
    QTimer m_timer;
};

class PlayerCloseTest : public PlayerFixture {
protected:
    void SetUp() override
    {
        PlayerFixture::SetUp();
        MakeJpegFolder(m_dir, kCount);
        OpenFolder(m_script, m_dir);
        ASSERT_EQ(m_view->GetImages().GetSize(), kCount);
        m_view->GetRun().AviWriter().m_pObject->GetSetting()->SetHandler(mmioFOURCC('M', 'J', 'P', 'G'));
    }

    std::string Output(const char* name) const { return m_dir.Native() + "/" + name; }
    void AnswerAviDialogs()
    {
        m_script.Add("AVI path", ModalScript::ChoosePath(QString::fromStdString(Output("out.avi"))));
        m_script.Add("AVI settings", ModalScript::Press<CAVISetDlg>(IDOK));
    }
    // The close question, answered with button; the frame index the run had reached then.
    void AnswerCloseQuestion(QMessageBox::StandardButton button)
    {
        m_script.Add("close question", [this, button](QWidget* modal) {
            m_indexAtQuestion = m_view->GetIndex();
            return ModalScript::Answer(m_boxes, button)(modal);
        });
    }
    // Play as the toolbar sends it, then the program's main loop until the user has closed it.
    void PlayAndRunProgram(UserClosing& user)
    {
        m_beeps = MessageBeepCount();
        m_frame->PostMessage(WM_COMMAND, ID_PLAY, 0);
        EXPECT_EQ(RunProgram(), 0);
        EXPECT_TRUE(m_script.Left().empty()) << m_script.Left().front();
        EXPECT_TRUE(user.closedDuringRun);
        EXPECT_TRUE(user.openAfterRun) << "the close during the run is refused";
        EXPECT_EQ(m_app.m_pMainWnd, nullptr) << "the second close ends the program";
        EXPECT_EQ(MessageBeepCount(), m_beeps + 1) << "the run ended once";
    }

    TempDir m_dir;
    ModalScript m_script;
    std::vector<QString> m_boxes;
    int m_indexAtQuestion = -1;
    UINT m_beeps = 0;
};

TEST_F(PlayerCloseTest, WithBothOutputsOffTheCloseStopsTheSlideShowWithoutAQuestion)
{
    UserClosing user(m_frame, m_view);
    PlayAndRunProgram(user);
    EXPECT_TRUE(m_boxes.empty());
    EXPECT_GE(user.indexAfterRun, kCloseAt);
    EXPECT_LT(user.indexAfterRun, kCount - 1) << "the run stopped before its last frame";
}

TEST_F(PlayerCloseTest, AnsweredYesTheRunStopsAndItsFilesAreFinished)
{
    Command(ID_MAKE_AVI);
    Command(ID_MAKE_WMV);
    AnswerAviDialogs();
    m_script.Add("WMV path", ModalScript::ChoosePath(QString::fromStdString(Output("out.wmv"))));
    m_script.Add("WMV settings", ModalScript::Press<CWMVSet>(IDOK));
    AnswerCloseQuestion(QMessageBox::Yes);
    m_script.Add("AVI saved", ModalScript::Box(m_boxes));
    m_script.Add("WMV saved", ModalScript::Box(m_boxes));
    UserClosing user(m_frame, m_view);
    PlayAndRunProgram(user);

    ASSERT_EQ(m_boxes.size(), 3u);
    EXPECT_EQ(m_boxes[0], QStringLiteral("Torvina|停止しますか？"));
    EXPECT_TRUE(m_boxes[1].endsWith(QString::fromStdString(Output("out.avi")))) << m_boxes[1].toStdString();
    EXPECT_TRUE(m_boxes[2].endsWith(QString::fromStdString(Output("out.wmv")))) << m_boxes[2].toStdString();
    ASSERT_GE(m_indexAtQuestion, kCloseAt);
    ASSERT_LT(m_indexAtQuestion, kCount - 1);
    EXPECT_EQ(user.indexAfterRun, m_indexAtQuestion) << "no frame after the answer";
    const size_t written = static_cast<size_t>(m_indexAtQuestion) + 1;
    const DecodedVideo avi = DecodeVideo(Output("out.avi"));
    EXPECT_EQ(avi.frames.size(), written);
    EXPECT_EQ(avi.codecTag, mmioFOURCC('M', 'J', 'P', 'G'));
    RawStreamHeader header;
    ASSERT_TRUE(ReadFirstStreamHeader(Output("out.avi"), header));
    EXPECT_EQ(header.length, written) << "the file was finished";
    EXPECT_EQ(DecodeVideo(Output("out.wmv")).frames.size(), written);
}

TEST_F(PlayerCloseTest, AnsweredNoTheRunGoesOnToItsEnd)
{
    Command(ID_MAKE_AVI);
    AnswerAviDialogs();
    AnswerCloseQuestion(QMessageBox::No);
    m_script.Add("AVI saved", ModalScript::Box(m_boxes));
    UserClosing user(m_frame, m_view);
    PlayAndRunProgram(user);

    ASSERT_EQ(m_boxes.size(), 2u);
    EXPECT_EQ(m_boxes[0], QStringLiteral("Torvina|停止しますか？"));
    EXPECT_TRUE(m_boxes[1].contains(u"It preserved it in the following files.")) << m_boxes[1].toStdString();
    EXPECT_EQ(user.indexAfterRun, kCount - 1);
    EXPECT_EQ(DecodeVideo(Output("out.avi")).frames.size(), static_cast<size_t>(kCount));
}

// The program is asked to end while Play is in one of its phases: by the desktop or a signal
// (the terminate request), or by a close of the main window that reaches it while Play's
// dialogs or boxes are open (a close during the run itself is above). After the terminate
// request Play's windows are closed as cancelled and no box waits, a run stops, and the program
// ends once Play is done; after the close they keep the view until they are answered, and the
// program is still there to be closed again.
enum class Phase { AviSettings, Run, SavedBox };
enum class Request { Terminate, CloseWindow };

struct EndCase {
    const char* name;
    Phase phase;
    Request request;
};

class PlayerEndRequestTest : public PlayerCloseTest, public ::testing::WithParamInterface<EndCase> {};

TEST_P(PlayerEndRequestTest, PlayFinishesItsFileBeforeTheProgramEnds)
{
    const EndCase c = GetParam();
    bool asked = false;
    auto ask = [this, &asked, c] {
        asked = true;
        if (c.request == Request::Terminate)
            m_app.OnTerminateRequest();
        else
            m_frame->PostMessage(WM_CLOSE);
    };
    // Asks on the first look at the phase's window and answers it on the next.
    auto askFirst = [&asked, &ask](ModalScript::Step answer) {
        return [&asked, &ask, answer](QWidget* modal) {
            if (asked)
                return answer(modal);
            ask();
            return false;
        };
    };
    Command(ID_MAKE_AVI);
    m_script.Add("AVI path", ModalScript::ChoosePath(QString::fromStdString(Output("out.avi"))));
    const ModalScript::Step pressOk = ModalScript::Press<CAVISetDlg>(IDOK);
    m_script.Add("AVI settings", c.phase == Phase::AviSettings ? askFirst(pressOk) : pressOk);
    const ModalScript::Step saved = ModalScript::Box(m_boxes);
    m_script.Add("AVI saved", c.phase == Phase::SavedBox ? askFirst(saved) : saved);
    // During the run; once Play is done, a window still open is closed again.
    bool openAfterPlay = false;
    QTimer user;
    user.setInterval(0);
    QObject::connect(&user, &QTimer::timeout, [&] {
        if (c.phase == Phase::Run && !asked && m_doc->IsModified() && m_view->GetIndex() >= kCloseAt)
            ask();
        if (c.request == Request::CloseWindow && asked && !m_view->GetRun().InProgress()) {
            openAfterPlay = IsWindow(m_frame->m_hWnd);
            user.stop();
            m_frame->PostMessage(WM_CLOSE);
        }
    });
    user.start();
    m_frame->PostMessage(WM_COMMAND, ID_PLAY, 0);
    EXPECT_EQ(RunProgram(), 0);

    EXPECT_TRUE(asked);
    EXPECT_EQ(m_app.m_pMainWnd, nullptr) << "the program ended";
    if (c.request == Request::CloseWindow) {
        EXPECT_TRUE(m_script.Left().empty()) << m_script.Left().front();
        EXPECT_TRUE(openAfterPlay) << "the close was refused";
        ASSERT_FALSE(m_boxes.empty());
        EXPECT_TRUE(m_boxes.back().endsWith(QString::fromStdString(Output("out.avi")))) << m_boxes.back().toStdString();
    } else {
        EXPECT_TRUE(m_boxes.empty()) << "no box waits for an answer: " << m_boxes.front().toStdString();
        if (c.phase == Phase::AviSettings) {
            EXPECT_FALSE(std::filesystem::exists(Output("out.avi"))) << "the settings were cancelled";
            return;
        }
    }
    const DecodedVideo avi = DecodeVideo(Output("out.avi"));
    RawStreamHeader header;
    ASSERT_TRUE(ReadFirstStreamHeader(Output("out.avi"), header));
    EXPECT_GE(avi.frames.size(), 1u);
    EXPECT_EQ(header.length, avi.frames.size()) << "the file was finished";
    if (c.phase == Phase::Run) {
        EXPECT_LT(avi.frames.size(), static_cast<size_t>(kCount)) << "the run stopped";
    }
    if (c.phase == Phase::SavedBox) {
        EXPECT_EQ(avi.frames.size(), static_cast<size_t>(kCount));
    }
}

INSTANTIATE_TEST_SUITE_P(Phases, PlayerEndRequestTest,
                         ::testing::Values(EndCase{"TerminateInAviSettings", Phase::AviSettings, Request::Terminate},
                                           EndCase{"TerminateInRun", Phase::Run, Request::Terminate},
                                           EndCase{"TerminateInSavedBox", Phase::SavedBox, Request::Terminate},
                                           EndCase{"CloseInAviSettings", Phase::AviSettings, Request::CloseWindow},
                                           EndCase{"CloseInSavedBox", Phase::SavedBox, Request::CloseWindow}),
                         [](const ::testing::TestParamInfo<EndCase>& info) { return std::string(info.param.name); });

} // namespace

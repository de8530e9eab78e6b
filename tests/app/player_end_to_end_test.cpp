// The program as a user drives it: the application's start-up makes the document, the main
// window and the player view; a folder is chosen through the folder dialog, the outputs are
// switched on from the menu, and Play converts while the dialogs are answered.
#include "dialogs/avi_set_dlg.h"
#include "dialogs/wmv_set_dlg.h"
#include "image/res_img_file.h"
#include "platform/afx/cmenu.h"
#include "platform/afx/ddx.h"
#include "platform/afx/message_box.h"
#include "platform/av/av_handles.h"
#include "platform/av/input_format.h"
#include "platform/vfw/vfw_types.h"
#include "resources/resource_ids.h"
#include "tests/app/player_fixture.h"
#include "tests/support/decoded_video.h"
#include "tests/support/qt_app.h"
#include "tests/support/waiting_fifo.h"
#include "tests/support/window_widget.h"

#include <QApplication>
#include <QDropEvent>
#include <QFileDialog>
#include <QImage>
#include <QMessageBox>
#include <QMimeData>
#include <QUrl>

#include <set>

#include <gtest/gtest.h>

#include <QTimer>

#include <cmath>
#include <filesystem>
#include <fstream>

namespace {

constexpr int kWidth = kPlayerWidth;

// End times in seconds of the video and the audio stream of a file.
struct StreamEnds {
    double video = 0;
    double audio = 0;
    bool hasAudio = false;
};

StreamEnds ReadStreamEnds(const std::string& path)
{
    StreamEnds ends;
    av::InputFormat input;
    if (input.Open(path) < 0)
        return ends;
    AVFormatContext* format = input.get();
    av::PacketPtr packet(av_packet_alloc());
    while (av_read_frame(format, packet.get()) >= 0) {
        const AVStream* stream = format->streams[packet->stream_index];
        const double end = (packet->pts + packet->duration) * av_q2d(stream->time_base);
        if (stream->codecpar->codec_type == AVMEDIA_TYPE_VIDEO)
            ends.video = std::max(ends.video, end);
        if (stream->codecpar->codec_type == AVMEDIA_TYPE_AUDIO) {
            ends.hasAudio = true;
            ends.audio = std::max(ends.audio, end);
        }
        av_packet_unref(packet.get());
    }
    return ends;
}

class PlayerEndToEndTest : public PlayerFixture {};

TEST_F(PlayerEndToEndTest, ChosenFolderIsListedInOrderAndConvertedToAviAndWmv)
{
    TempDir dir;
    constexpr int kCount = 12;
    MakeJpegFolder(dir, kCount);
    const QString folder = QString::fromStdString(dir.Native());

    ModalScript script;
    script.Add("folder", ModalScript::ChoosePath(folder));
    Command(ID_OPEN_FOLDER);
    ASSERT_TRUE(script.Left().empty());
    ASSERT_EQ(m_view->GetImages().GetSize(), kCount);
    for (int i = 0; i < kCount; ++i) {
        const std::u16string expected = (i % 2 ? u"Shot" : u"shot") + std::u16string(1, u'a' + i) + u".jpg";
        EXPECT_EQ(std::u16string(m_view->GetImages()[i].View()), std::u16string(dir.Path(expected.c_str()).View()))
            << "sorted without regard to case";
    }
    EXPECT_EQ(m_view->GetSlider().GetRangeMin(), 0);
    EXPECT_EQ(m_view->GetSlider().GetRangeMax(), kCount - 1);
    EXPECT_EQ(m_frame->GetWindowTextString(), CString(u"Torvina - Input : ") + dir.Path());
    EXPECT_EQ(m_doc->m_bihSource.biWidth, kWidth);
    EXPECT_EQ(m_doc->m_strAviPath, dir.Path(u"Enc.avi"));

    struct Run {
        FOURCC handler;
        const char16_t* avi;
        const char16_t* wmv;
        uint32_t tag;
    };
    const Run runs[] = {
        {mmioFOURCC('M', 'J', 'P', 'G'), u"mjpg.avi", u"one.wmv", mmioFOURCC('M', 'J', 'P', 'G')},
        {mmioFOURCC('D', 'I', 'B', ' '), u"dib.avi", u"two.wmv", 0},
    };
    Command(ID_MAKE_AVI);
    Command(ID_MAKE_WMV);
    ASSERT_TRUE(m_doc->m_bMakeAvi && m_doc->m_bMakeWmv);
    for (const Run& run : runs) {
        m_view->GetRun().AviWriter().m_pObject->GetSetting()->SetHandler(run.handler);
        const std::string aviPath = dir.Native() + "/" + Utf16ToUtf8(run.avi);
        const std::string wmvPath = dir.Native() + "/" + Utf16ToUtf8(run.wmv);
        std::vector<QString> boxes;
        script.Add("AVI path", ModalScript::ChoosePath(QString::fromStdString(aviPath)));
        script.Add("AVI settings", ModalScript::Press<CAVISetDlg>(IDOK));
        script.Add("WMV path", ModalScript::ChoosePath(QString::fromStdString(wmvPath)));
        script.Add("WMV settings", ModalScript::Press<CWMVSet>(IDOK));
        script.Add("AVI saved", ModalScript::Box(boxes));
        script.Add("WMV saved", ModalScript::Box(boxes));
        const UINT beeps = MessageBeepCount();
        Command(ID_PLAY);
        EXPECT_TRUE(script.Left().empty()) << script.Left().front();
        EXPECT_EQ(MessageBeepCount(), beeps + 1);
        EXPECT_EQ(m_doc->m_nRunState, RunState::Stopped);
        EXPECT_FALSE(m_doc->IsModified());
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_TRUE(boxes[0].endsWith(QString::fromStdString(aviPath))) << boxes[0].toStdString();
        EXPECT_TRUE(boxes[1].endsWith(QString::fromStdString(wmvPath))) << boxes[1].toStdString();
        EXPECT_TRUE(boxes[0].contains(u"It preserved it in the following files.")) << boxes[0].toStdString();

        const DecodedVideo avi = DecodeVideo(aviPath);
        EXPECT_EQ(avi.frames.size(), static_cast<size_t>(kCount)) << aviPath;
        EXPECT_EQ(avi.width, kWidth);
        EXPECT_EQ(avi.codecTag, run.tag) << aviPath;
        RawStreamHeader header;
        ASSERT_TRUE(ReadFirstStreamHeader(aviPath, header));
        EXPECT_EQ(header.scale, 10000u);
        EXPECT_EQ(header.rate, 299700u);
        const DecodedVideo wmv = DecodeVideo(wmvPath);
        EXPECT_EQ(wmv.frames.size(), static_cast<size_t>(kCount)) << wmvPath;
        const StreamEnds ends = ReadStreamEnds(wmvPath);
        ASSERT_TRUE(ends.hasAudio);
        EXPECT_GE(ends.audio + 1e-3, ends.video) << "the silence lasts as long as the video";
    }
}

} // namespace

TEST_F(PlayerEndToEndTest, AnImageOfAnotherSizeEndsTheRunWithItsErrorAndTheFileStaysReadable)
{
    TempDir dir;
    MakeJpegFolder(dir, 6);
    {
        CResImgFile writer;
        DibPtr small(AcquireFrameBlock(nullptr, 32, 32));
        std::fill_n(DibPixels(small.get()), DibRowStride(32) * 32, BYTE{0x60});
        // Sorts between the third and the fourth image.
        ASSERT_EQ(writer.Save(DibPixels(small.get()), small.get(), dir.Path(u"shotc2.jpg"), 90), 1);
    }
    ModalScript script;
    OpenFolder(script, dir);
    ASSERT_EQ(m_view->GetImages().GetSize(), 7);
    Command(ID_MAKE_AVI);
    m_view->GetRun().AviWriter().m_pObject->GetSetting()->SetHandler(mmioFOURCC('D', 'I', 'B', ' '));
    std::vector<QString> boxes;
    script.Add("AVI path", ModalScript::ChoosePath(QString::fromStdString(dir.Native() + "/out.avi")));
    script.Add("AVI settings", ModalScript::Press<CAVISetDlg>(IDOK));
    script.Add("error", ModalScript::Box(boxes));
    script.Add("saved", ModalScript::Box(boxes));
    const UINT beeps = MessageBeepCount();
    Command(ID_PLAY);
    ASSERT_TRUE(script.Left().empty()) << script.Left().front();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0], QStringLiteral("Error No.0601|Error No.0601\n\nThe picture file doesn't open."));
    EXPECT_TRUE(boxes[1].contains(u"out.avi"));
    EXPECT_EQ(MessageBeepCount(), beeps + 1);
    EXPECT_EQ(DecodeVideo(dir.Native() + "/out.avi").frames.size(), 3u) << "the frames before the odd image";

    // No frame is shown now: Play does nothing until the folder is listed again.
    Command(ID_PLAY);
    ProcessEvents();
    EXPECT_EQ(MessageBeepCount(), beeps + 1);
    EXPECT_EQ(m_doc->m_nRunState, RunState::Stopped);
}

// A named pipe among the pictures never holds the program: chosen with the folder as its first
// picture it is one that does not open (0701), reached by the run one that does not load (0601).
TEST_F(PlayerEndToEndTest, ANamedPipeAmongThePicturesFailsLikeAnUnreadablePictureWithoutWaiting)
{
    TempDir dir;
    MakeJpegFolder(dir, 6);
    ModalScript script;
    std::vector<QString> boxes;
    {
        // Sorts before every picture.
        WaitingFifo first(dir.Native() + "/shot0.jpg");
        ASSERT_TRUE(first.Made());
        script.Add("folder", ModalScript::ChoosePath(QString::fromStdString(dir.Native())));
        script.Add("first", ModalScript::Box(boxes));
        Command(ID_OPEN_FOLDER);
        EXPECT_FALSE(first.ReaderCame()) << "the open waited for a writer";
        ASSERT_TRUE(script.Left().empty()) << script.Left().front();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_TRUE(boxes[0].startsWith(u"Error No.0701|Error No.0701\n\n")) << boxes[0].toStdString();
    }
    // Sorts between the third and the fourth picture.
    WaitingFifo later(dir.Native() + "/shotc2.jpg");
    ASSERT_TRUE(later.Made());
    OpenFolder(script, dir);
    ASSERT_EQ(m_view->GetImages().GetSize(), 7);
    script.Add("error", ModalScript::Box(boxes));
    Command(ID_PLAY);
    EXPECT_FALSE(later.ReaderCame()) << "the open waited for a writer";
    ASSERT_TRUE(script.Left().empty()) << script.Left().front();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1], QStringLiteral("Error No.0601|Error No.0601\n\nThe picture file doesn't open."));
    EXPECT_EQ(m_view->GetIndex(), 3);
    EXPECT_EQ(m_doc->m_nRunState, RunState::Stopped);
}

TEST_F(PlayerEndToEndTest, AFileThatFailsWhileTheViewerIsOpenEndsTheSlideShowAndIsDrawnFromNoFreedBlock)
{
    TempDir dir;
    MakeJpegFolder(dir, 6);
    // Not a picture; sorts between the third and the fourth image.
    dir.WriteFile(u"shotc2.jpg", 300);
    ModalScript script;
    OpenFolder(script, dir);
    ASSERT_EQ(m_view->GetImages().GetSize(), 7);
    Command(ID_SHOW_SOURCE);
    ASSERT_TRUE(m_view->IsViewerOpen());
    m_doc->m_nDispRate = CTorvinaDoc::DisplayAll;
    std::vector<QString> boxes;
    script.Add("error", ModalScript::Box(boxes));
    Command(ID_PLAY);
    ASSERT_TRUE(script.Left().empty()) << script.Left().front();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], QStringLiteral("Error No.0601|Error No.0601\n\nThe picture file doesn't open."));
    EXPECT_EQ(m_view->GetIndex(), 3);
    EXPECT_EQ(m_doc->m_nRunState, RunState::Stopped);
    EXPECT_TRUE(m_view->IsViewerOpen());
}

TEST_F(PlayerEndToEndTest, TheViewerFollowsTheFramesReadAheadThroughRunAfterRun)
{
    TempDir dir;
    MakeJpegFolder(dir, 12);
    ModalScript script;
    OpenFolder(script, dir);
    Command(ID_SHOW_SOURCE);
    ASSERT_TRUE(m_view->IsViewerOpen());
    m_doc->m_nDispRate = CTorvinaDoc::DisplayAll;
    // The frames come in the ring's blocks, which are read into and, at each run's end, freed: a
    // viewer left behind would draw from them (the sanitizers' builds report it).
    for (int run = 0; run < 2; ++run) {
        Command(ID_PLAY);
        ProcessEvents();
        EXPECT_EQ(m_view->GetIndex(), 11);
        EXPECT_EQ(m_doc->m_nRunState, RunState::Stopped);
    }
    EXPECT_TRUE(script.Left().empty());
}

TEST_F(PlayerEndToEndTest, PausedAndResumedTheRunWritesEveryFrameOnceInOrder)
{
    constexpr int kCount = 24;
    constexpr int kPauseAt = 3;
    TempDir dir;
    MakeJpegFolder(dir, kCount);
    ModalScript script;
    OpenFolder(script, dir);
    Command(ID_MAKE_AVI);
    m_view->GetRun().AviWriter().m_pObject->GetSetting()->SetHandler(mmioFOURCC('D', 'I', 'B', ' '));
    std::vector<QString> boxes;
    const auto play = [&](const std::string& path) {
        script.Add("AVI path", ModalScript::ChoosePath(QString::fromStdString(path)));
        script.Add("AVI settings", ModalScript::Press<CAVISetDlg>(IDOK));
        script.Add("saved", ModalScript::Box(boxes));
        Command(ID_PLAY);
        ASSERT_TRUE(script.Left().empty()) << script.Left().front();
    };
    play(dir.Native() + "/straight.avi");

    // A user who pauses once the run has passed a frame and resumes a few polls later, both
    // through the message queue; the frames read ahead are dropped at the pause.
    int pausedAt = -1;
    int pausedPolls = 0;
    QTimer user;
    user.setInterval(0);
    QObject::connect(&user, &QTimer::timeout, [&] {
        const RunState state = m_doc->m_nRunState;
        if (pausedAt < 0 && state == RunState::Running && m_view->GetIndex() >= kPauseAt) {
            pausedAt = m_view->GetIndex();
            m_frame->PostMessage(WM_COMMAND, ID_PAUSE, 0);
        } else if (state == RunState::Paused && ++pausedPolls == 3) {
            EXPECT_LE(m_view->GetIndex(), pausedAt + 1) << "the pause acts within a frame";
            m_frame->PostMessage(WM_COMMAND, ID_PLAY, 0);
        }
    });
    user.start();
    play(dir.Native() + "/paused.avi");
    user.stop();
    ASSERT_GE(pausedAt, kPauseAt);
    EXPECT_GE(pausedPolls, 3);
    EXPECT_EQ(m_view->GetIndex(), kCount - 1);

    const DecodedVideo straight = DecodeVideo(dir.Native() + "/straight.avi");
    const DecodedVideo paused = DecodeVideo(dir.Native() + "/paused.avi");
    ASSERT_EQ(straight.frames.size(), static_cast<size_t>(kCount));
    EXPECT_TRUE(paused.frames == straight.frames);
}

TEST_F(PlayerEndToEndTest, StopInTheAnalysisPassOfTwoIsNoFailureAndLeavesNoEmptyWmv)
{
    constexpr int kCount = 20;
    TempDir dir;
    MakeJpegFolder(dir, kCount);
    // A profile file of the frames' size that the user set to two passes.
    const std::string profile =
        "<profile version=\"589824\" storageformat=\"1\" name=\"two\"><streamconfig "
        "majortype=\"{73646976-0000-0010-8000-00AA00389B71}\" streamnumber=\"1\" bitrate=\"300000\" "
        "bufferwindow=\"5000\"><videomediaprops maxkeyframespacing=\"80000000\"/><wmmediatype "
        "subtype=\"{32564D57-0000-0010-8000-00AA00389B71}\"><videoinfoheader><bitmapinfoheader biwidth=\"64\" "
        "biheight=\"48\" bicompression=\"WMV2\"/></videoinfoheader></wmmediatype></streamconfig></profile>";
    {
        std::ofstream out(dir.Native() + "/two.prx", std::ios::binary);
        for (char c : profile)
            out.put(c).put('\0');
    }
    ModalScript script;
    OpenFolder(script, dir);
    Command(ID_MAKE_AVI);
    Command(ID_MAKE_WMV);
    m_view->GetRun().AviWriter().m_pObject->GetSetting()->SetHandler(mmioFOURCC('D', 'I', 'B', ' '));
    m_doc->m_info.WMV = 3;
    m_doc->m_info.PRX = dir.Path(u"two.prx");
    m_doc->m_info.WMV2PASS = 1;
    const std::string aviPath = dir.Native() + "/stopped.avi";
    const std::string wmvPath = dir.Native() + "/stopped.wmv";
    std::vector<QString> boxes;
    script.Add("AVI path", ModalScript::ChoosePath(QString::fromStdString(aviPath)));
    script.Add("AVI settings", ModalScript::Press<CAVISetDlg>(IDOK));
    script.Add("WMV path", ModalScript::ChoosePath(QString::fromStdString(wmvPath)));
    script.Add("WMV settings", ModalScript::Press<CWMVSet>(IDOK));
    script.Add("stop question", ModalScript::Answer(boxes, QMessageBox::Yes));
    // Boxes that should not come are answered all the same, so that the run ends.
    const std::vector<std::string> unanswered = {"no box", "no box", "no box"};
    for (const std::string& name : unanswered)
        script.Add(name, ModalScript::Box(boxes));

    // The user presses Stop while the analysis goes on.
    bool stopped = false;
    QTimer user;
    user.setInterval(0);
    QObject::connect(&user, &QTimer::timeout, [&] {
        if (!stopped && m_doc->m_nRunState == RunState::Running && m_view->GetIndex() >= 3) {
            ASSERT_TRUE(m_view->GetRun().IsFirstOfTwoPasses());
            stopped = true;
            m_frame->PostMessage(WM_COMMAND, ID_STOP, 0);
        }
    });
    user.start();
    const UINT beeps = MessageBeepCount();
    Command(ID_PLAY);
    user.stop();
    ASSERT_TRUE(stopped);
    EXPECT_EQ(script.Left(), unanswered);
    EXPECT_EQ(QStringList(boxes.begin(), boxes.end()).join(u" / ").toStdString(), "STOP|Stop?")
        << "no error box, no file named";
    EXPECT_EQ(MessageBeepCount(), beeps + 1);
    EXPECT_FALSE(std::filesystem::exists(wmvPath)) << "no empty file that no player opens";
    EXPECT_EQ(m_doc->m_info.WMV2PASS, 1);
}

TEST_F(PlayerEndToEndTest, AviAndWmvOnOnePathAreRefusedBeforeAnyFileIsCreated)
{
    TempDir dir;
    MakeJpegFolder(dir, 3);
    ModalScript script;
    OpenFolder(script, dir);
    Command(ID_MAKE_AVI);
    Command(ID_MAKE_WMV);
    const QString path = QString::fromStdString(dir.Native() + "/both.avi");
    std::vector<QString> boxes;
    script.Add("AVI path", ModalScript::ChoosePath(path));
    script.Add("AVI settings", ModalScript::Press<CAVISetDlg>(IDOK));
    script.Add("WMV path", ModalScript::ChoosePath(path));
    script.Add("refusal", ModalScript::Box(boxes));
    // The save dialog asks whether to replace a file only when one is there already.
    bool replaceAsked = false;
    QTimer replaceQuestion;
    replaceQuestion.setInterval(10);
    QObject::connect(&replaceQuestion, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box && qobject_cast<QFileDialog*>(box->parentWidget()) && box->button(QMessageBox::Yes)) {
            replaceAsked = true;
            box->button(QMessageBox::Yes)->click();
        }
    });
    replaceQuestion.start();
    const UINT beeps = MessageBeepCount();
    Command(ID_PLAY);
    EXPECT_TRUE(script.Left().empty()) << script.Left().front();
    EXPECT_FALSE(replaceAsked);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].startsWith(u"Error No.0605|")) << boxes[0].toStdString();
    EXPECT_FALSE(std::filesystem::exists(path.toStdString()));
    EXPECT_EQ(MessageBeepCount(), beeps) << "no run";
}

TEST_F(PlayerEndToEndTest, ContextMenuOfEachLanguage)
{
    struct Case {
        const char* locale;
        UINT resource;
        const char16_t* folderText;
    };
    const Case cases[] = {
        {"C", IDR_CONTEXT_ENGLISH, u"Setting Img-Folder(&I)"},
        {"ja_JP.UTF-8", IDR_CONTEXT_JAPANESE, u"入力画像フォルダの設定(&I)"},
    };
    for (const Case& c : cases) {
        CMenu menu;
        ASSERT_TRUE(menu.LoadMenu(c.resource));
        CMenu* popup = menu.GetSubMenu(0);
        ASSERT_NE(popup, nullptr);
        std::vector<UINT> ids;
        for (int i = 0; i < popup->GetMenuItemCount(); ++i)
            ids.push_back(popup->GetMenuItemID(i));
        const std::vector<UINT> expected = {0xFFFFFFFFu, 0xFFFFFFFFu, 0, ID_OPEN_FOLDER, 0, ID_PLAY, ID_PAUSE, ID_STOP};
        EXPECT_EQ(ids.size(), expected.size()) << c.locale;
        CString text;
        popup->GetMenuString(ID_OPEN_FOLDER, text, MF_BYCOMMAND);
        EXPECT_EQ(std::u16string(text.View()), std::u16string(c.folderText)) << c.locale;
        ASSERT_NE(popup->GetSubMenu(0), nullptr);
        EXPECT_EQ(popup->GetSubMenu(0)->GetMenuItemID(0), ID_ZOOM_400);
        EXPECT_EQ(popup->GetSubMenu(1)->GetMenuItemID(3), ID_INPUT_PNG);
    }
}

TEST_F(PlayerEndToEndTest, DroppedFolderIsTakenOnlyWhileStopped)
{
    TempDir first, second;
    MakeJpegFolder(first, 2);
    MakeJpegFolder(second, 3);
    m_view->OnDropPath(first.Path());
    EXPECT_EQ(m_view->GetImages().GetSize(), 2);
    m_doc->m_nRunState = RunState::Paused;
    m_view->OnDropPath(second.Path());
    EXPECT_EQ(m_view->GetImages().GetSize(), 2) << "ignored during a run";
    m_doc->m_nRunState = RunState::Stopped;
    m_view->OnDropPath(second.Path());
    EXPECT_EQ(m_view->GetImages().GetSize(), 3);
    m_view->OnDropPath(second.Path(u"shota.jpg"));
    EXPECT_EQ(m_view->GetImages().GetSize(), 0) << "a file becomes the folder and lists nothing";
    EXPECT_EQ(m_frame->GetWindowTextString(), CString(u"Torvina - Input : ") + second.Path()) << "title kept";
}

TEST_F(PlayerEndToEndTest, APreviewReachingTheSliderStripStaysBehindTheSlider)
{
    TempDir dir;
    MakeJpegFolder(dir, 2);
    ModalScript script;
    OpenFolder(script, dir);
    ASSERT_EQ(m_view->GetImages().GetSize(), 2);
    // A small window and 400 %: the picture runs past the bottom of the view.
    m_frame->MoveWindow(0, 0, 400, 300);
    Command(ID_ZOOM_400);
    ProcessEvents();
    CRect client;
    m_view->GetClientRect(&client);
    ASSERT_GT(25 + 4 * kPlayerHeight, client.Height() - 30) << "the picture reaches the slider strip";
    // Above the slider's groove its strip holds one colour, none of the picture's.
    const QImage shot = WidgetOf(m_view)->grab().toImage();
    for (int y = client.Height() - 30; y < client.Height() - 26; ++y) {
        std::set<QRgb> colours;
        for (int x = 0; x < shot.width(); ++x)
            colours.insert(shot.pixel(x, y));
        EXPECT_EQ(colours.size(), 1u) << "row " << y;
    }
}

// After Stop the run unwinds through its saved-file boxes with the state already Stopped: the
// commands that would change what it read or wrote are refused until Play has returned.
TEST_F(PlayerEndToEndTest, WhileAStoppedRunUnwindsNothingChangesItsInputsOrOutputs)
{
    constexpr int kCount = 4;
    TempDir dir, other;
    MakeJpegFolder(dir, kCount);
    MakeJpegFolder(other, 2);
    ModalScript script;
    OpenFolder(script, dir);
    Command(ID_MAKE_AVI);
    m_view->GetRun().AviWriter().m_pObject->GetSetting()->SetHandler(mmioFOURCC('D', 'I', 'B', ' '));
    std::vector<QString> boxes;
    script.Add("AVI path", ModalScript::ChoosePath(QString::fromStdString(dir.Native() + "/out.avi")));
    script.Add("AVI settings", [this](QWidget* modal) {
        if (!ModalScript::Press<CAVISetDlg>(IDOK)(modal))
            return false;
        // Stop as the toolbar sends it: it reaches the run at its first pump.
        m_frame->PostMessage(WM_COMMAND, ID_STOP, 0);
        return true;
    });
    script.Add("stop question", ModalScript::Box(boxes));
    int pickersShown = 0;
    script.Add("AVI saved", [&](QWidget* modal) {
        if (!qobject_cast<QMessageBox*>(modal))
            return false;
        EXPECT_EQ(m_doc->m_nRunState, RunState::Stopped);
        EXPECT_TRUE(m_view->GetRun().InProgress());
        const int index = m_view->GetIndex();
        EXPECT_LT(index, kCount - 1);

        Command(ID_MOVE_NEXT);
        Command(ID_MOVE_LAST);
        EXPECT_EQ(m_view->GetIndex(), index) << "navigation refused";
        for (UINT id : {ID_MAKE_WMV, ID_MAKE_AVI, ID_INPUT_BMP})
            Command(id);
        // A folder picker, if one opened, would be cancelled, which lists the folder again.
        QTimer picker;
        picker.setInterval(10);
        QObject::connect(&picker, &QTimer::timeout, [&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* dialog = qobject_cast<QFileDialog*>(w); dialog && dialog->isVisible()) {
                    ++pickersShown;
                    dialog->reject();
                }
        });
        picker.start();
        Command(ID_OPEN_FOLDER);
        picker.stop();
        QMimeData dropped;
        dropped.setUrls({QUrl::fromLocalFile(QString::fromStdString(other.Native()))});
        QDropEvent drop(QPointF(20, 40), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(WidgetOf(m_view), &drop);
        EXPECT_FALSE(m_doc->m_bMakeWmv) << "Output WMV refused";
        EXPECT_TRUE(m_doc->m_bMakeAvi) << "Output AVI refused";
        EXPECT_EQ(m_doc->m_nInputType, 0) << "input type refused";
        EXPECT_EQ(pickersShown, 0) << "Open Folder refused";
        EXPECT_EQ(m_view->GetImages().GetSize(), kCount) << "the dropped folder ignored";
        return ModalScript::Box(boxes)(modal);
    });
    // Any further box (a saved box for an output switched on while unwinding) is answered too.
    QTimer furtherBoxes;
    furtherBoxes.setInterval(10);
    QObject::connect(&furtherBoxes, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); box && script.Left().empty())
            ModalScript::Box(boxes)(box);
    });
    furtherBoxes.start();
    Command(ID_PLAY);
    furtherBoxes.stop();
    ASSERT_TRUE(script.Left().empty()) << script.Left().front();
    ASSERT_EQ(boxes.size(), 2u) << "the question and one saved box: no box for an output never written";
    EXPECT_TRUE(boxes[1].endsWith(QString::fromStdString(dir.Native() + "/out.avi"))) << boxes[1].toStdString();

    // Once Play has returned the same commands act again.
    Command(ID_MAKE_WMV);
    EXPECT_TRUE(m_doc->m_bMakeWmv);
    Command(ID_MOVE_LAST);
    EXPECT_EQ(m_view->GetIndex(), kCount - 1);
}

// The toolkit's own dialogs speak the program's language: the folder picker and the buttons of
// the program's questions.
struct ToolkitLanguageCase {
    const char* locale;
    const char16_t* cancel;
    const char16_t* yes;
    const char16_t* no;
};

class ToolkitLanguageTest : public PlayerFixture, public ::testing::WithParamInterface<ToolkitLanguageCase> {
protected:
    // Set before the program starts, after the fixture's own English setting.
    ScopedEnv m_programLanguage{"LC_ALL", GetParam().locale};
};

TEST_P(ToolkitLanguageTest, TheFolderPickerAndQuestionButtonsSpeakTheProgramsLanguage)
{
    const ToolkitLanguageCase& c = GetParam();
    QStringList pickerButtons;
    ModalScript script;
    script.Add("folder", [&pickerButtons](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (!dialog)
            return false;
        for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
            if (button->isVisible() && !button->text().isEmpty())
                pickerButtons << button->text();
        dialog->reject();
        return true;
    });
    Command(ID_OPEN_FOLDER);
    ASSERT_TRUE(script.Left().empty());
    EXPECT_TRUE(pickerButtons.contains(QString::fromUtf16(c.cancel))) << pickerButtons.join(u'|').toStdString();

    QStringList answers;
    script.Add("question", [&answers](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box)
            return false;
        for (QAbstractButton* button : box->buttons())
            answers << button->text();
        box->button(QMessageBox::No)->click();
        return true;
    });
    EXPECT_EQ(AfxMessageBox(u"停止しますか？", MB_YESNO | MB_ICONQUESTION), IDNO);
    ASSERT_TRUE(script.Left().empty());
    EXPECT_TRUE(answers.contains(QString::fromUtf16(c.yes))) << answers.join(u'|').toStdString();
    EXPECT_TRUE(answers.contains(QString::fromUtf16(c.no))) << answers.join(u'|').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Languages, ToolkitLanguageTest,
                         ::testing::Values(ToolkitLanguageCase{"ja_JP.UTF-8", u"キャンセル", u"はい(&Y)",
                                                               u"いいえ(&N)"},
                                           ToolkitLanguageCase{"C", u"Cancel", u"&Yes", u"&No"}));

TEST_F(PlayerEndToEndTest, TheSliderShowsTheListAsItsSelectionBandAndAnEmptyFolderAsZeroToMinusOne)
{
    TempDir dir, empty;
    constexpr int kCount = 11;
    MakeJpegFolder(dir, kCount);
    ModalScript script;
    OpenFolder(script, dir);
    ASSERT_TRUE(script.Left().empty());
    CSliderCtrl& slider = m_view->GetSlider();
    int first = -9, last = -9;
    slider.GetSelection(first, last);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(last, kCount - 1);
    const QImage shown = WidgetOf(&slider)->grab().toImage();
    const QColor band = QColor::fromRgb(GetRValue(GetSysColor(COLOR_HIGHLIGHT)),
                                        GetGValue(GetSysColor(COLOR_HIGHLIGHT)),
                                        GetBValue(GetSysColor(COLOR_HIGHLIGHT)));
    int bandPixels = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            bandPixels += shown.pixelColor(x, y) == band ? 1 : 0;
    EXPECT_GT(bandPixels, shown.width() / 2) << "the band runs along the groove";

    OpenFolder(script, empty);
    ASSERT_TRUE(script.Left().empty());
    EXPECT_EQ(m_view->GetImages().GetSize(), 0);
    EXPECT_EQ(slider.GetRangeMin(), 0);
    EXPECT_EQ(slider.GetRangeMax(), -1);
    slider.GetSelection(first, last);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(last, -1);
}

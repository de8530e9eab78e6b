#include "tests/app/player_fixture.h"

#include "image/res_img_file.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "tests/support/qt_app.h"

#include <QTimer>

std::vector<std::u16string> MakeJpegFolder(const TempDir& dir, int count)
{
    std::vector<std::u16string> names;
    CResImgFile writer;
    for (int i = 0; i < count; ++i) {
        DibPtr frame(AcquireFrameBlock(nullptr, kPlayerWidth, kPlayerHeight));
        BYTE* bits = DibPixels(frame.get());
        for (size_t b = 0; b < DibRowStride(kPlayerWidth) * kPlayerHeight; ++b)
            bits[b] = static_cast<BYTE>((b * 7 + i * 40) & 0xFF);
        std::u16string name = (i % 2 ? u"Shot" : u"shot") + std::u16string(1, static_cast<char16_t>(u'a' + i)) +
                              u".jpg";
        EXPECT_EQ(writer.Save(bits, frame.get(), dir.Path(name.c_str()), 90), 1);
        names.push_back(name);
    }
    return names;
}

void PlayerFixture::SetUpTestSuite()
{
    TestApp();
    InstallResourceProvider(&ProgramResources());
}

void PlayerFixture::SetUp()
{
    ASSERT_TRUE(m_app.InitInstance());
    m_frame = dynamic_cast<CMainFrame*>(m_app.m_pMainWnd);
    ASSERT_NE(m_frame, nullptr);
    m_view = dynamic_cast<CTorvinaView*>(m_frame->GetActiveView());
    ASSERT_NE(m_view, nullptr);
    m_doc = m_view->GetDocument();
}

void PlayerFixture::TearDown()
{
    // Ends the program as a user would, unless the test did.
    if (m_app.m_pMainWnd && IsWindow(m_app.m_pMainWnd->m_hWnd)) {
        m_app.m_pMainWnd->PostMessage(WM_CLOSE);
        RunProgram();
    }
}

int PlayerFixture::RunProgram()
{
    // The main loop ends when the main window is gone; a window that refuses to close fails the
    // test instead of hanging it.
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [this] {
        ADD_FAILURE() << "the program did not end";
        if (m_app.m_pMainWnd)
            m_app.m_pMainWnd->DestroyWindow();
        else
            PostQuitMessage(1);
    });
    watchdog.start(kProgramTimeoutMs);
    return m_app.Run();
}

void PlayerFixture::OpenFolder(ModalScript& script, const TempDir& dir)
{
    script.Add("folder", ModalScript::ChoosePath(QString::fromStdString(dir.Native())));
    Command(ID_OPEN_FOLDER);
}

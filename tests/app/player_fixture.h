// The program as it starts: the application's start-up makes the document, the main window and
// the player view, offscreen, with a scratch settings folder and English texts.
#pragma once

#include "app/main_frame.h"
#include "app/torvina_app.h"
#include "app/torvina_doc.h"
#include "app/torvina_view.h"
#include "tests/app/modal_script.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

inline constexpr int kPlayerWidth = 64;
inline constexpr int kPlayerHeight = 48;
inline constexpr int kProgramTimeoutMs = 60000;

// A folder of JPEG files whose names sort differently with and without regard to case.
std::vector<std::u16string> MakeJpegFolder(const TempDir& dir, int count);

class PlayerFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // A command as the menu sends it: through the main window's routing and update rules.
    void Command(UINT id) { m_frame->SendMessage(WM_COMMAND, id, 0); }
    // The program's main loop, as after start-up, until the main window is closed; the exit code.
    // Closing the main window ends the toolkit's loops: only the main loop takes that back.
    int RunProgram();
    // Chooses the folder through the folder dialog, as the Open Folder command does.
    void OpenFolder(ModalScript& script, const TempDir& dir);

    ScopedEnv m_language{"LC_ALL", "C"};
    TempConfigHome m_config;
    CTorvinaApp m_app;
    CMainFrame* m_frame = nullptr;
    CTorvinaView* m_view = nullptr;
    CTorvinaDoc* m_doc = nullptr;
};

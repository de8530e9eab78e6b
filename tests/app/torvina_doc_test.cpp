#include "app/torvina_doc.h"
#include "resources/resource_ids.h"
#include "tests/app/message_box_script.h"

#include <gtest/gtest.h>

#include <array>

namespace {

struct CommandState {
    BOOL enabled;
    int check;
};

CommandState StateOf(CTorvinaDoc& doc, UINT id)
{
    CCmdUI ui;
    ui.m_nID = id;
    EXPECT_TRUE(doc.OnCmdMsg(id, static_cast<int>(CN_UPDATE_COMMAND_UI), &ui)) << id;
    return {ui.m_bEnabled, ui.m_nCheck};
}

void Invoke(CTorvinaDoc& doc, UINT id) { EXPECT_TRUE(doc.OnCmdMsg(id, static_cast<int>(CN_COMMAND), nullptr)) << id; }

class TorvinaDocTest : public ::testing::Test {
protected:
    void SetUp() override { TestApp(); }
    CTorvinaDoc doc;
};

TEST_F(TorvinaDocTest, StartsStoppedShowingEveryFrameWithBothOutputsOff)
{
    EXPECT_EQ(doc.m_nRunState, RunState::Stopped);
    EXPECT_EQ(doc.m_nDispRate, 1);
    EXPECT_FALSE(doc.m_bMakeAvi);
    EXPECT_FALSE(doc.m_bMakeWmv);
    EXPECT_EQ(doc.m_nInputType, 0);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.m_bihSource.biWidth, 0);
    EXPECT_EQ(doc.m_rcClip.right, 0);
    EXPECT_EQ(static_cast<UINT>(doc.m_info.fps), 299700u);
}

TEST_F(TorvinaDocTest, OutputSwitchesToggleAndCanChangeOnlyWhileStopped)
{
    struct Case {
        RunState state;
        BOOL enabled;
    };
    const std::array cases = {
        Case{RunState::Stopped, TRUE},
        Case{RunState::Running, FALSE},
        Case{RunState::Paused, FALSE},
    };
    for (UINT id : {ID_MAKE_AVI, ID_MAKE_WMV}) {
        BOOL& flag = id == ID_MAKE_AVI ? doc.m_bMakeAvi : doc.m_bMakeWmv;
        for (const Case& c : cases) {
            doc.m_nRunState = c.state;
            flag = FALSE;
            EXPECT_EQ(StateOf(doc, id).enabled, c.enabled) << id << " in state " << static_cast<int>(c.state);
            EXPECT_EQ(StateOf(doc, id).check, 0);
            flag = TRUE;
            EXPECT_EQ(StateOf(doc, id).check, 1) << id;
        }
        doc.m_nRunState = RunState::Stopped;
        flag = FALSE;
        Invoke(doc, id);
        EXPECT_TRUE(flag) << id;
        Invoke(doc, id);
        EXPECT_FALSE(flag) << id;
    }
}

TEST_F(TorvinaDocTest, DisplayRateCommandsSetTheRateTickItAndStayEnabledDuringARun)
{
    const std::array cases = {
        std::pair{ID_DISPLAY_ALL, 1},
        std::pair{ID_DISPLAY_THIN, 30},
        std::pair{ID_DISPLAY_NONE, 10000},
    };
    for (RunState state : {RunState::Stopped, RunState::Running, RunState::Paused}) {
        doc.m_nRunState = state;
        for (const auto& [id, rate] : cases) {
            Invoke(doc, id);
            EXPECT_EQ(doc.m_nDispRate, rate);
            for (const auto& [other, otherRate] : cases) {
                const CommandState s = StateOf(doc, other);
                EXPECT_TRUE(s.enabled) << other;
                EXPECT_EQ(s.check, other == id ? 1 : 0) << other << " after " << id;
            }
        }
    }
}

TEST_F(TorvinaDocTest, SaveModifiedAllowsTheCloseOnlyWithoutARunAndStopsARunInstead)
{
    struct Case {
        const char* name;
        BOOL modified;
        BOOL avi;
        BOOL wmv;
        QMessageBox::StandardButton answer;
        BOOL result;
        int shown;
        RunState stateAfter;
    };
    const std::array cases = {
        Case{"no run", FALSE, TRUE, TRUE, QMessageBox::Yes, TRUE, 0, RunState::Running},
        Case{"run with AVI, Yes", TRUE, TRUE, FALSE, QMessageBox::Yes, FALSE, 1, RunState::Stopped},
        Case{"run with WMV, No", TRUE, FALSE, TRUE, QMessageBox::No, FALSE, 1, RunState::Running},
        Case{"run with both, No", TRUE, TRUE, TRUE, QMessageBox::No, FALSE, 1, RunState::Running},
        Case{"run without output", TRUE, FALSE, FALSE, QMessageBox::Yes, FALSE, 0, RunState::Stopped},
    };
    for (const Case& c : cases) {
        CTorvinaDoc d;
        d.SetModifiedFlag(c.modified);
        d.m_bMakeAvi = c.avi;
        d.m_bMakeWmv = c.wmv;
        d.m_nRunState = RunState::Running;
        SeenMessageBox seen;
        AnswerNextMessageBox(c.answer, seen);
        EXPECT_EQ(d.SaveModified(), c.result) << c.name;
        ProcessEvents();
        EXPECT_EQ(seen.shown, c.shown) << c.name;
        EXPECT_EQ(d.m_nRunState, c.stateAfter) << c.name;
        // The flag is the run's: the question leaves it to the run to clear.
        EXPECT_EQ(d.IsModified(), c.modified) << c.name;
        if (c.shown) {
            EXPECT_EQ(seen.text, QStringLiteral("停止しますか？")) << c.name;
            EXPECT_EQ(seen.icon, QMessageBox::Question) << c.name;
        }
    }
}

} // namespace

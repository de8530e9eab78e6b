#include "app/player_layout.h"

#include "app/run_state.h"
#include "image/packed_dib.h"
#include "platform/win/text.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

std::string Text(const CString& s) { return Utf16ToUtf8(s.View()); }

TEST(PlayerLayoutTest, SliderTicksEveryTenthOfTheList)
{
    struct Case {
        int count, frequency;
    };
    for (const Case c : {Case{11, 1}, Case{5, 0}, Case{101, 10}, Case{1, 0}, Case{0, 0}})
        EXPECT_EQ(SliderTickFrequency(c.count), c.frequency) << c.count;
}

TEST(PlayerLayoutTest, WheelDoublesOrHalvesWithinTheBounds)
{
    double zoom = 1.0;
    for (int i = 0; i < 3; ++i)
        zoom = WheelZoom(zoom, 120);
    EXPECT_EQ(zoom, 8.0);
    zoom = 0.25;
    for (int i = 0; i < 3; ++i)
        zoom = WheelZoom(zoom, -1);
    EXPECT_EQ(zoom, 0.03125);
    EXPECT_EQ(WheelZoom(1.0, 1200), 2.0) << "once per message, whatever the delta";
    EXPECT_EQ(WheelZoom(kMaxZoom, 120), kMaxZoom);
    EXPECT_EQ(WheelZoom(kMinZoom, -120), kMinZoom);
    EXPECT_EQ(WheelZoom(1.0, 0), 0.5) << "a zero delta counts as downward";
    for (UINT id = 32771; id <= 32776; ++id)
        EXPECT_GT(ZoomOfCommand(id), 0.0) << id;
    EXPECT_EQ(ZoomOfCommand(32776), 4.0);
    EXPECT_EQ(ZoomOfCommand(32777), 0.0);
}

TEST(PlayerLayoutTest, StatusStripTextsAndTimes)
{
    ScopedEnv language("LC_ALL", "C");
    const PassTimes times = ComputePassTimes(9000, 9, 100);
    EXPECT_EQ(times.elapsed, 9u);
    EXPECT_EQ(times.remaining, 91u);
    const std::string slash = Text(FormatFrameBox(0, 1)).substr(1, Text(FormatFrameBox(0, 1)).size() - 2);
    EXPECT_EQ(Text(FormatFrameBox(9, 100)), "10" + slash + "100");
    EXPECT_EQ(Text(FormatTimeBox(times)), "00:00:09" + slash + "00:01:31");
    EXPECT_EQ(Text(FormatTimeBox(ComputePassTimes(3723999, 0, 5))), "01:02:03" + slash + "00:00:00")
        << "no estimate before the first frame is done";
    EXPECT_EQ(Text(FormatTimeBox(ComputePassTimes(4294967295u, 1, 3))), "1193:02:47" + slash + "2386:05:34");
}

TEST(PlayerLayoutTest, StateBoxByRunStateAndOutputs)
{
    ScopedEnv language("LC_ALL", "C");
    struct Case {
        RunState state;
        bool output, firstPass;
        const char* text;
        COLORREF colour;
    };
    const Case cases[] = {
        {RunState::Paused, true, true, "[Pause]", 0xFF00FF},   {RunState::Stopped, true, false, "[Stop]", 0xFFFF00},
        {RunState::Running, false, false, "[Play]", 0x00FFFF}, {RunState::Running, true, false, "[Make]", 0x0000FF},
        {RunState::Running, true, true, "[1Pass]", 0x0000FF},
    };
    for (const Case& c : cases) {
        const StateLook look = StateBoxLook(c.state, c.output, c.firstPass);
        EXPECT_EQ(Text(look.text), c.text);
        EXPECT_EQ(look.colour, c.colour) << c.text;
    }
    ScopedEnv japanese("LC_ALL", "ja_JP.UTF-8");
    EXPECT_EQ(Text(StateBoxLook(RunState::Running, true, true).text), "【1パス目】");
}

TEST(PlayerLayoutTest, PreviewShowsTheClipAtOutputSizeTimesZoomCutToTheClientArea)
{
    BITMAPINFOHEADER source{}, output{};
    InitBitmapInfoHeader(&source, 640, 480);
    InitBitmapInfoHeader(&output, 320, 240);
    const RECT clip{100, 50, 500, 350};
    struct Case {
        const char* name;
        BITMAPINFOHEADER output;
        RECT clip;
        double zoom;
        SIZE client;
        PreviewBlit blit;
    };
    BITMAPINFOHEADER wide = output;
    wide.biWidth = INT_MAX / 2;
    const Case cases[] = {
        {"all visible", output, clip, 2.0, {1000, 800}, {10, 25, 640, 480, 100, 480 - 350, 400, 300}},
        {"the source as it is", source, {0, 0, 640, 480}, 1.0, {700, 600}, {10, 25, 640, 480, 0, 0, 640, 480}},
        {"cut on the right and at the bottom",
         output,
         clip,
         2.0,
         {330, 265},
         {10, 25, 320, 240, 100, 480 - 200, 200, 150}},
        // Rows: 300 clip rows over 15360 screen rows line up every 5 over 256; the cut ends at the
        // second such block, past the 375 rows seen.
        {"a huge output still draws little more than what is seen",
         wide,
         clip,
         kMaxZoom,
         {500, 400},
         {10, 25, 490, 512, 100, 480 - 60, 1, 10}},
    };
    for (const Case& c : cases) {
        PreviewBlit blit{};
        ASSERT_TRUE(ComputePreviewBlit(source, c.output, c.clip, c.zoom, c.client, blit)) << c.name;
        EXPECT_EQ(blit.xDest, c.blit.xDest) << c.name;
        EXPECT_EQ(blit.yDest, c.blit.yDest) << c.name;
        EXPECT_EQ(blit.destWidth, c.blit.destWidth) << c.name;
        EXPECT_EQ(blit.destHeight, c.blit.destHeight) << c.name;
        EXPECT_EQ(blit.xSrc, c.blit.xSrc) << c.name;
        EXPECT_EQ(blit.ySrc, c.blit.ySrc) << c.name;
        EXPECT_EQ(blit.srcWidth, c.blit.srcWidth) << c.name;
        EXPECT_EQ(blit.srcHeight, c.blit.srcHeight) << c.name;
    }
    PreviewBlit blit{};
    EXPECT_FALSE(ComputePreviewBlit(source, output, clip, 2.0, {5, 5}, blit)) << "nothing visible";
    EXPECT_FALSE(ComputePreviewBlit(source, output, RECT{0, 0, 641, 480}, 1.0, {900, 900}, blit)) << "clip too wide";
    EXPECT_FALSE(ComputePreviewBlit(source, output, RECT{10, 0, 10, 480}, 1.0, {900, 900}, blit)) << "empty clip";
}

TEST(PlayerLayoutTest, DroppedPathsOnlyWhileStoppedAndNoRunUnwinds)
{
    EXPECT_TRUE(AcceptsDroppedPath(RunState::Stopped, false));
    EXPECT_FALSE(AcceptsDroppedPath(RunState::Stopped, true)) << "a stopped run still unwinding";
    EXPECT_FALSE(AcceptsDroppedPath(RunState::Running, true));
    EXPECT_FALSE(AcceptsDroppedPath(RunState::Paused, true));
}

} // namespace

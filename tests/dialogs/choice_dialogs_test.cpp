#include "dialogs/choice_dialogs.h"
#include "resources/aux_dialog_ids.h"
#include "tests/dialogs/dialog_test_support.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

enum class Kind { Stream, Extract, Audio };

struct ChoiceCase {
    const char* name;
    Kind kind;
    int initial;
    std::vector<int> tickedOnOpen;
    int click; // a radio to click before ending, or 0
    bool ok; // OK, else the close box
    int expected; // the choice read afterwards
};
void PrintTo(const ChoiceCase& c, std::ostream* os) { *os << c.name; }

struct Dialog {
    std::unique_ptr<CBaseDialog> dlg;
    std::function<int()> result;
    std::vector<int> radios;
};

Dialog Make(Kind kind, int initial)
{
    Dialog d;
    switch (kind) {
    case Kind::Stream: {
        auto* p = new CStreamKindDlg(nullptr, initial);
        d.result = [p] { return p->GetWithAudio(); };
        d.radios = {IDC_STREAM_VIDEO, IDC_STREAM_VIDEO_AUDIO};
        d.dlg.reset(p);
        break;
    }
    case Kind::Extract: {
        auto* p = new CExtractKindDlg(nullptr, initial);
        d.result = [p] { return p->GetExtractKind(); };
        d.radios = {IDC_EXTRACT_SOURCE, IDC_EXTRACT_WAV, IDC_EXTRACT_WMA};
        d.dlg.reset(p);
        break;
    }
    case Kind::Audio: {
        auto* p = new CAudioStreamDlg(nullptr, initial);
        d.result = [p] { return p->GetAudioHandling(); };
        d.radios = {IDC_AUDIO_RECOMPRESS, IDC_AUDIO_COPY, IDC_AUDIO_NONE};
        d.dlg.reset(p);
        break;
    }
    }
    return d;
}

class ChoiceDialog : public ::testing::TestWithParam<ChoiceCase> {
protected:
    void SetUp() override { TestApp(); }
};

TEST_P(ChoiceDialog, OpensOnTheStoredChoiceAndOkReadsTheTickedRow)
{
    const ChoiceCase& c = GetParam();
    Dialog d = Make(c.kind, c.initial);
    std::vector<int> ticked;
    const INT_PTR end = RunModal(*d.dlg, [&](CDialog& dlg) {
        for (int id : d.radios)
            if (Ticked(dlg, id))
                ticked.push_back(id);
        if (c.click)
            Click(dlg, c.click);
        if (c.ok)
            dlg.SendMessage(WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(ticked, c.tickedOnOpen);
    EXPECT_EQ(end, c.ok ? IDOK : IDCANCEL);
    EXPECT_EQ(d.result(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, ChoiceDialog,
    ::testing::Values(
        ChoiceCase{"stream_audio", Kind::Stream, 1, {IDC_STREAM_VIDEO_AUDIO}, 0, true, 1},
        ChoiceCase{"stream_video", Kind::Stream, 0, {IDC_STREAM_VIDEO}, 0, true, 0},
        ChoiceCase{"stream_pick_audio", Kind::Stream, 0, {IDC_STREAM_VIDEO}, IDC_STREAM_VIDEO_AUDIO, true, 1},
        ChoiceCase{"stream_pick_video", Kind::Stream, 1, {IDC_STREAM_VIDEO_AUDIO}, IDC_STREAM_VIDEO, true, 0},
        ChoiceCase{"stream_close_keeps", Kind::Stream, 0, {IDC_STREAM_VIDEO}, IDC_STREAM_VIDEO_AUDIO, false, 0},
        ChoiceCase{"extract_wav", Kind::Extract, 1, {IDC_EXTRACT_WAV}, 0, true, 1},
        ChoiceCase{"extract_unknown_keeps", Kind::Extract, 5, {}, 0, true, 5},
        ChoiceCase{"extract_pick_wma", Kind::Extract, 0, {IDC_EXTRACT_SOURCE}, IDC_EXTRACT_WMA, true, 2},
        ChoiceCase{"extract_pick_source", Kind::Extract, 2, {IDC_EXTRACT_WMA}, IDC_EXTRACT_SOURCE, true, 0},
        ChoiceCase{"extract_close_keeps", Kind::Extract, 1, {IDC_EXTRACT_WAV}, IDC_EXTRACT_WMA, false, 1},
        ChoiceCase{"audio_opens_on_none", Kind::Audio, 0, {IDC_AUDIO_NONE}, 0, true, 0},
        ChoiceCase{"audio_opens_on_copy", Kind::Audio, 2, {IDC_AUDIO_COPY}, 0, true, 2},
        ChoiceCase{"audio_unknown_recompress", Kind::Audio, 7, {IDC_AUDIO_RECOMPRESS}, 0, true, 1},
        ChoiceCase{"audio_pick_copy", Kind::Audio, 1, {IDC_AUDIO_RECOMPRESS}, IDC_AUDIO_COPY, true, 2},
        ChoiceCase{"audio_pick_none", Kind::Audio, 2, {IDC_AUDIO_COPY}, IDC_AUDIO_NONE, true, 0},
        ChoiceCase{"audio_close_keeps", Kind::Audio, 0, {IDC_AUDIO_NONE}, IDC_AUDIO_COPY, false, 0}),
    [](const ::testing::TestParamInfo<ChoiceCase>& info) { return std::string(info.param.name); });

} // namespace

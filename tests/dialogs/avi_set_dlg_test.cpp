#include "dialogs/avi_set_dlg.h"

#include "platform/vfw/compressor_instance.h"
#include "platform/vfw/vcm.h"
#include "platform/win/heap.h"
#include "tests/dialogs/encoder_dialog_test_support.h"
#include "tests/support/scoped_locale.h"
#include "tests/support/test_support.h"
#include "writers/enc_avi_setting.h"

#include <cstring>
#include <optional>

#include <QTest>

using vfw::CompressorDescriptor;
using vfw::FindInstalledCompressor;
using vfw::SetCompressorBoxes;

namespace {

constexpr int IDC_CODEC = 42025, IDC_QUALITY = 42052, IDC_QUALITY_SPIN = 42039, IDC_KEYFRAME = 42022,
              IDC_KEYFRAME_SPIN = 42059, IDC_DATARATE = 42032, IDC_DATARATE_SPIN = 42057, IDC_DEFAULT = 42058,
              IDC_CONFIGURE = 42043, IDC_ABOUT = 42048;

constexpr FOURCC kMjpg = mmioFOURCC('M', 'J', 'P', 'G');
constexpr FOURCC kFfv1 = mmioFOURCC('F', 'F', 'V', '1');
constexpr FOURCC kHfyu = mmioFOURCC('H', 'F', 'Y', 'U');

BITMAPINFOHEADER Input(WORD bitCount)
{
    BITMAPINFOHEADER h{};
    h.biSize = sizeof h;
    h.biWidth = 64;
    h.biHeight = 48;
    h.biPlanes = 1;
    h.biBitCount = bitCount;
    h.biCompression = BI_RGB;
    return h;
}

ICINFO Entry(FOURCC handler, const char16_t* description)
{
    ICINFO info{};
    info.dwSize = sizeof info;
    info.fccType = ICTYPE_VIDEO;
    info.fccHandler = handler;
    for (int i = 0; description[i] && i < 127; ++i)
        info.szDescription[i] = description[i];
    return info;
}

// A state block of this compressor holding these option values.
std::vector<BYTE> StateOf(FOURCC handler, const std::vector<int32_t>& values)
{
    vfw::CompressorInstance instance(*FindInstalledCompressor(handler));
    EXPECT_TRUE(instance.SetOptionValues(values));
    std::vector<BYTE> block(instance.StateSize());
    instance.GetState(block.data(), static_cast<DWORD>(block.size()));
    return block;
}

// The option values a block gives this compressor, or nothing when it refuses the block.
std::optional<std::vector<int32_t>> ValuesIn(FOURCC handler, const void* block, int bytes)
{
    vfw::CompressorInstance instance(*FindInstalledCompressor(handler));
    if (!block || bytes <= 0 || !instance.SetState(block, static_cast<DWORD>(bytes)))
        return std::nullopt;
    return instance.OptionValues();
}

void GiveState(CEncAVISetting& setting, const std::vector<BYTE>& bytes)
{
    void* block = GlobalAlloc(GMEM_FIXED, bytes.size());
    std::memcpy(block, bytes.data(), bytes.size());
    setting.SetStateSize(static_cast<int>(bytes.size()));
    setting.SetState(block);
}

int RowOf(CAVISetDlg& dialog, const CString& text)
{
    auto* combo = static_cast<QComboBox*>(WidgetOf(dialog.GetDlgItem(IDC_CODEC)));
    return combo->findText(ToQString(text.GetString()));
}

class AviSetDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApp();
        SetCompressorBoxes(
            [this](void*, const CompressorDescriptor& d, std::vector<int32_t>& values) {
                shownValues = values;
                configuredFourCC = d.fourcc;
                return configure ? configure(values) : false;
            },
            [this](void*, const CompressorDescriptor& d) { aboutShown = d.fourcc; });
    }
    void TearDown() override { SetCompressorBoxes({}, {}); }

    TempConfigHome m_home;
    std::function<bool(std::vector<int32_t>&)> configure;
    std::vector<int32_t> shownValues;
    FOURCC configuredFourCC = 0;
    FOURCC aboutShown = 0;
};

struct RowsCase {
    const char* name;
    int accepting; // compressors that accept the input
    int storedAt; // index of the one carrying the stored handler, -1 for none
    int duplicateAt; // a second entry with the stored handler, -1 for none
    WORD bitCount;
    int rows;
    int selected;
};

class CodecRowsTest : public ::testing::TestWithParam<RowsCase> {};

TEST_P(CodecRowsTest, ListAndPreselection)
{
    const RowsCase& c = GetParam();
    std::vector<ICINFO> accepting;
    for (int i = 0; i < c.accepting; ++i)
        accepting.push_back(Entry(mmioFOURCC('C', 'D', 'C', static_cast<char>('A' + i % 26)) + (i / 26), u"codec"));
    constexpr FOURCC kStored = mmioFOURCC('S', 'T', 'O', 'R');
    if (c.storedAt >= 0)
        accepting[static_cast<size_t>(c.storedAt)].fccHandler = kStored;
    if (c.duplicateAt >= 0)
        accepting[static_cast<size_t>(c.duplicateAt)].fccHandler = kStored;
    const CodecRows rows = BuildCodecRows(accepting, kStored, c.bitCount);
    EXPECT_EQ(static_cast<int>(rows.texts.size()), c.rows);
    EXPECT_EQ(static_cast<int>(rows.entries.size()), c.rows);
    EXPECT_EQ(rows.selected, c.selected);
    if (c.bitCount == 24) {
        EXPECT_EQ(rows.texts.back(), CString(u"UnCompressed(24bit RGB)"));
        EXPECT_EQ(rows.entries.back().fccHandler, kFourCCUncompressed);
        EXPECT_EQ(rows.entries.back().fccType, ICTYPE_VIDEO);
    }
}

INSTANTIATE_TEST_SUITE_P(Catalogues, CodecRowsTest,
                         ::testing::Values(RowsCase{"none_24bit", 0, -1, -1, 24, 1, 0},
                                           RowsCase{"none_32bit", 0, -1, -1, 32, 0, -1},
                                           RowsCase{"one_stored", 1, 0, -1, 24, 2, 0},
                                           RowsCase{"one_absent_24bit", 1, -1, -1, 24, 2, 1},
                                           RowsCase{"one_absent_32bit", 1, -1, -1, 32, 1, -1},
                                           RowsCase{"one_stored_32bit", 1, 0, -1, 32, 1, 0},
                                           RowsCase{"fifty_absent_keeps_uncompressed_row", 50, -1, -1, 24, 51, 50},
                                           RowsCase{"fifty_stored_last", 50, 49, -1, 24, 51, 49},
                                           RowsCase{"listed_twice_later_wins", 5, 1, 3, 24, 6, 3}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CodecRowsTest, MoreThanFiftyAreCut)
{
    const std::vector<ICINFO> accepting(60, Entry(kMjpg, u"same"));
    const CodecRows rows = BuildCodecRows(accepting, 0, 24);
    EXPECT_EQ(rows.entries.size(), static_cast<size_t>(kMaxListedCodecs + 1));
}

TEST(CodecRowsTest, EditsClampWhileTyping)
{
    struct Case {
        int typed, lo, hi, value;
        bool rewrite;
    };
    for (const Case& c : {Case{-5, 0, 100, 0, true}, Case{150, 0, 100, 100, true}, Case{42, 0, 100, 42, false},
                          Case{2000000, 0, 999999, 999999, true}, Case{0, 0, 999999, 0, false}}) {
        const ClampedValue v = ClampTyped(c.typed, c.lo, c.hi);
        EXPECT_EQ(v.value, c.value) << c.typed;
        EXPECT_EQ(v.rewrite, c.rewrite) << c.typed;
    }
}

TEST_F(AviSetDlgTest, OnlyTwentyFourBitInputFindsCompressors)
{
    const BITMAPINFOHEADER rgb = Input(24);
    const std::vector<ICINFO> accepting = AcceptingCompressors(&rgb);
    ASSERT_FALSE(accepting.empty());
    EXPECT_LE(accepting.size(), static_cast<size_t>(kMaxListedCodecs));
    std::vector<FOURCC> handlers;
    for (const ICINFO& info : accepting)
        handlers.push_back(info.fccHandler);
    EXPECT_EQ(handlers.front(), kMjpg);
    EXPECT_NE(std::find(handlers.begin(), handlers.end(), kFfv1), handlers.end());

    const BITMAPINFOHEADER rgba = Input(32);
    EXPECT_TRUE(AcceptingCompressors(&rgba).empty());
    EXPECT_TRUE(AcceptingCompressors(nullptr).empty());
}

TEST_F(AviSetDlgTest, ButtonsAndEditsFollowTheCompressorsCapabilities)
{
    struct Case {
        FOURCC handler;
        CodecControls expected;
    };
    const Case cases[] = {
        {kMjpg, {true, false, true, true, false, false}},
        {kFfv1, {true, true, true, false, true, false}},
        {kHfyu, {true, true, true, false, false, false}},
        {kFourCCUncompressed, {false, false, false, false, false, false}},
    };
    for (const Case& c : cases) {
        ICINFO entry{};
        if (c.handler == kFourCCUncompressed) {
            entry = Entry(kFourCCUncompressed, u"");
        } else {
            ASSERT_TRUE(ICInfo(ICTYPE_VIDEO, c.handler, &entry));
        }
        const CodecControls got = ControlsFor(entry);
        EXPECT_EQ(got.opens, c.expected.opens);
        EXPECT_EQ(got.configure, c.expected.configure);
        EXPECT_EQ(got.about, c.expected.about);
        EXPECT_EQ(got.quality, c.expected.quality);
        EXPECT_EQ(got.keyFrame, c.expected.keyFrame);
        EXPECT_EQ(got.dataRate, c.expected.dataRate);
    }
    SetCompressorBoxes({}, {});
    ICINFO ffv1{};
    ASSERT_TRUE(ICInfo(ICTYPE_VIDEO, kFfv1, &ffv1));
    EXPECT_FALSE(ControlsFor(ffv1).configure);
    EXPECT_FALSE(ControlsFor(ffv1).about);
}

TEST_F(AviSetDlgTest, TheDialogEnablesBySelectedRow)
{
    CEncAVISetting setting;
    setting.SetHandler(kFfv1);
    const BITMAPINFOHEADER input = Input(24);
    struct Seen {
        bool configure, about, quality, qualitySpin, keyFrame, keyFrameSpin, dataRate, dataRateSpin;
    };
    std::vector<Seen> seen;
    WithDialog<CAVISetDlg>([&seen](CAVISetDlg& d) {
        const auto look = [&d] {
            return Seen{Enabled(d, IDC_CONFIGURE),    Enabled(d, IDC_ABOUT),        Enabled(d, IDC_QUALITY),
                        Enabled(d, IDC_QUALITY_SPIN), Enabled(d, IDC_KEYFRAME),     Enabled(d, IDC_KEYFRAME_SPIN),
                        Enabled(d, IDC_DATARATE),     Enabled(d, IDC_DATARATE_SPIN)};
        };
        seen.push_back(look());
        ChooseRow(d, IDC_CODEC, RowOf(d, CString(u"Motion JPEG")));
        seen.push_back(look());
        ChooseRow(d, IDC_CODEC, RowOf(d, CString(u"UnCompressed(24bit RGB)")));
        seen.push_back(look());
        Click(d, IDCANCEL);
    });
    EXPECT_EQ(EditAviSettings(&input, &setting, nullptr), -2);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_TRUE(seen[0].configure && seen[0].about && seen[0].keyFrame && seen[0].keyFrameSpin);
    EXPECT_FALSE(seen[0].quality || seen[0].qualitySpin || seen[0].dataRate || seen[0].dataRateSpin);
    EXPECT_TRUE(seen[1].about && seen[1].quality && seen[1].qualitySpin);
    EXPECT_FALSE(seen[1].configure || seen[1].keyFrame || seen[1].dataRate);
    EXPECT_FALSE(seen[2].configure || seen[2].about || seen[2].quality || seen[2].qualitySpin || seen[2].keyFrame ||
                 seen[2].keyFrameSpin || seen[2].dataRate || seen[2].dataRateSpin);
}

TEST_F(AviSetDlgTest, PreselectionFollowsTheStoredHandler)
{
    struct Case {
        FOURCC stored;
        WORD bitCount;
        const char16_t* shown; // null: no selection
        FOURCC afterOK;
    };
    const Case cases[] = {
        {kFfv1, 24, u"FFV1 lossless", kFfv1},
        {mmioFOURCC('G', 'O', 'N', 'E'), 24, u"UnCompressed(24bit RGB)", kFourCCUncompressed},
        {kFfv1, 32, nullptr, kFfv1},
    };
    for (const Case& c : cases) {
        CEncAVISetting setting;
        setting.SetHandler(c.stored);
        const BITMAPINFOHEADER input = Input(c.bitCount);
        CString shown;
        int rows = -1;
        WithDialog<CAVISetDlg>([&](CAVISetDlg& d) {
            auto* combo = static_cast<QComboBox*>(WidgetOf(d.GetDlgItem(IDC_CODEC)));
            rows = combo->count();
            shown = FromQString(combo->currentText());
            Click(d, IDOK);
        });
        EXPECT_EQ(EditAviSettings(&input, &setting, nullptr), 0);
        EXPECT_EQ(shown, CString(c.shown ? c.shown : u""));
        if (c.bitCount != 24) {
            EXPECT_EQ(rows, 0);
        }
        EXPECT_EQ(setting.GetHandler(), c.afterOK);
    }
}

TEST_F(AviSetDlgTest, TypedValuesAreClampedAndTheRangeIsCheckedAtOK)
{
    CEncAVISetting setting;
    setting.SetHandler(kMjpg);
    const BITMAPINFOHEADER input = Input(24);
    struct Typed {
        int id;
        const char16_t* typed;
        const char16_t* shown;
    };
    const Typed typing[] = {
        {IDC_QUALITY, u"-5", u"0"},   {IDC_QUALITY, u"150", u"100"},
        {IDC_QUALITY, u"42", u"42"},  {IDC_KEYFRAME, u"1000000", u"999999"},
        {IDC_KEYFRAME, u"-3", u"0"},  {IDC_KEYFRAME, u"30", u"30"},
        {IDC_DATARATE, u"-7", u"-7"}, {IDC_DATARATE, u"2000000", u"2000000"},
    };
    std::vector<CString> shown;
    QString prompt;
    bool openAfterPrompt = false;
    WithDialog<CAVISetDlg>([&](CAVISetDlg& d) {
        for (const Typed& t : typing) {
            d.GetDlgItem(t.id)->SetWindowText(t.typed);
            shown.push_back(ItemText(d, t.id));
        }
        AnswerNextMessageBox(&prompt);
        Click(d, IDOK);
        openAfterPrompt = d.IsWindowVisible() != FALSE;
        d.GetDlgItem(IDC_DATARATE)->SetWindowText(u"500");
        Click(d, IDOK);
    });
    EXPECT_EQ(EditAviSettings(&input, &setting, nullptr), 0);
    for (size_t i = 0; i < std::size(typing); ++i)
        EXPECT_EQ(shown.at(i), CString(typing[i].shown)) << i;
    EXPECT_EQ(prompt, QStringLiteral("0 から 999999 までの整数を入力してください。"));
    EXPECT_TRUE(openAfterPrompt);
    EXPECT_EQ(setting.GetQuality(), 42);
    EXPECT_EQ(setting.GetKeyFrameEvery(), 30);
    EXPECT_EQ(setting.GetDataRate(), 500);
}

TEST_F(AviSetDlgTest, IncomingValuesShowClamped)
{
    CEncAVISetting setting;
    setting.SetQuality(150);
    setting.SetKeyFrameEvery(-4);
    setting.SetDataRate(1234567);
    const BITMAPINFOHEADER input = Input(24);
    CString quality, keyFrame, dataRate;
    WithDialog<CAVISetDlg>([&](CAVISetDlg& d) {
        quality = ItemText(d, IDC_QUALITY);
        keyFrame = ItemText(d, IDC_KEYFRAME);
        dataRate = ItemText(d, IDC_DATARATE);
        Click(d, IDOK);
    });
    EXPECT_EQ(EditAviSettings(&input, &setting, nullptr), 0);
    EXPECT_EQ(quality, CString(u"100"));
    EXPECT_EQ(keyFrame, CString(u"0"));
    EXPECT_EQ(dataRate, CString(u"999999"));
    EXPECT_EQ(setting.GetQuality(), 100);
    EXPECT_EQ(setting.GetKeyFrameEvery(), 0);
    EXPECT_EQ(setting.GetDataRate(), 999999);
}

TEST_F(AviSetDlgTest, EveryWayOutButOKLeavesTheSettingUntouched)
{
    const std::function<void(CAVISetDlg&)> ways[] = {
        [](CAVISetDlg& d) { Click(d, IDCANCEL); },
        [](CAVISetDlg& d) {
            QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QCoreApplication::sendEvent(WidgetOf(d.GetDlgItem(IDC_QUALITY)), &esc);
        },
        [](CAVISetDlg& d) { WidgetOf(&d)->close(); },
    };
    const std::vector<BYTE> state = StateOf(kFfv1, {0, 1});
    for (const auto& leave : ways) {
        CEncAVISetting setting;
        setting.SetHandler(kFfv1);
        setting.SetQuality(70);
        GiveState(setting, state);
        const void* block = setting.GetState();
        const BITMAPINFOHEADER input = Input(24);
        configure = [](std::vector<int32_t>& v) {
            v = {1, 0};
            return true;
        };
        WithDialog<CAVISetDlg>([&](CAVISetDlg& d) {
            d.GetDlgItem(IDC_KEYFRAME)->SetWindowText(u"3");
            ChooseRow(d, IDC_CODEC, RowOf(d, CString(u"Motion JPEG")));
            Click(d, IDC_DEFAULT);
            leave(d);
        });
        EXPECT_EQ(EditAviSettings(&input, &setting, nullptr), -2);
        EXPECT_EQ(setting.GetHandler(), kFfv1);
        EXPECT_EQ(setting.GetQuality(), 70);
        EXPECT_EQ(setting.GetKeyFrameEvery(), 15);
        EXPECT_EQ(setting.GetState(), block);
        EXPECT_EQ(setting.GetStateSize(), static_cast<int>(state.size()));
        EXPECT_EQ(std::memcmp(setting.GetState(), state.data(), state.size()), 0);
    }
}

TEST_F(AviSetDlgTest, ClosingWithAValueOutOfRangePromptsAndStillCancels)
{
    CEncAVISetting setting;
    setting.SetHandler(kMjpg);
    const BITMAPINFOHEADER input = Input(24);
    QString prompt;
    WithDialog<CAVISetDlg>([&prompt](CAVISetDlg& d) {
        d.GetDlgItem(IDC_DATARATE)->SetWindowText(u"2000000");
        AnswerNextMessageBox(&prompt);
        d.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    EXPECT_EQ(EditAviSettings(&input, &setting, nullptr), -2);
    EXPECT_EQ(prompt, QStringLiteral("0 から 999999 までの整数を入力してください。"));
    EXPECT_EQ(setting.GetDataRate(), 300);
}

TEST_F(AviSetDlgTest, AStateSizeBeyondItsBlockIsNotCopied)
{
    CEncAVISetting setting;
    setting.SetHandler(kFfv1);
    GiveState(setting, StateOf(kFfv1, {0, 1}));
    setting.SetStateSize(setting.GetStateSize() + 4096);
    const BITMAPINFOHEADER input = Input(24);
    WithDialog<CAVISetDlg>([](CAVISetDlg& d) { Click(d, IDOK); });
    EXPECT_EQ(EditAviSettings(&input, &setting, nullptr), 0);
    EXPECT_EQ(setting.GetStateSize(), 0);
}

TEST_F(AviSetDlgTest, ConfiguringStoresTheCompressorsStateOnOK)
{
    CEncAVISetting setting;
    setting.SetHandler(kFfv1);
    const BITMAPINFOHEADER input = Input(24);
    configure = [](std::vector<int32_t>& v) {
        v = {0, 1};
        return true;
    };
    WithDialog<CAVISetDlg>([](CAVISetDlg& d) {
        Click(d, IDC_CONFIGURE);
        Click(d, IDOK);
    });
    EXPECT_EQ(EditAviSettings(&input, &setting, nullptr), 0);
    EXPECT_EQ(configuredFourCC, kFfv1);
    EXPECT_EQ(ValuesIn(kFfv1, setting.GetState(), setting.GetStateSize()), std::vector<int32_t>({0, 1}));
}

TEST_F(AviSetDlgTest, AStoredStateOpensInTheConfigurationOnlyWhenItFits)
{
    struct Case {
        const char* name;
        std::vector<BYTE> stored;
        std::vector<int32_t> shown;
    };
    std::vector<BYTE> garbage(7, 0xAB);
    std::vector<BYTE> foreign = StateOf(kHfyu, {1});
    const Case cases[] = {
        {"fits", StateOf(kFfv1, {0, 1}), {0, 1}},
        {"other size", garbage, {1, 0}},
        {"other compressor", foreign, {1, 0}},
    };
    for (const Case& c : cases) {
        CEncAVISetting setting;
        setting.SetHandler(kFfv1);
        GiveState(setting, c.stored);
        const BITMAPINFOHEADER input = Input(24);
        shownValues.clear();
        configure = nullptr; // cancelled
        WithDialog<CAVISetDlg>([](CAVISetDlg& d) {
            Click(d, IDC_CONFIGURE);
            Click(d, IDOK);
        });
        EXPECT_EQ(EditAviSettings(&input, &setting, nullptr), 0);
        EXPECT_EQ(shownValues, c.shown) << c.name;
        if (c.shown == std::vector<int32_t>({0, 1})) {
            EXPECT_EQ(ValuesIn(kFfv1, setting.GetState(), setting.GetStateSize()), c.shown) << c.name;
        } else {
            // A cancelled configuration after a fresh block leaves no block behind.
            EXPECT_EQ(setting.GetStateSize(), 0) << c.name;
        }
    }
}

TEST_F(AviSetDlgTest, TheStateSurvivesOtherRowsAndGoesOnlyWithOKOnAnotherCompressor)
{
    struct Case {
        const char* name;
        std::vector<const char16_t*> rows; // chosen in turn; the last one is OK'd
        bool configureHuffyuv; // configure (and accept) Huffyuv when it is chosen
        FOURCC handler;
        std::optional<std::vector<int32_t>> ffv1Values, huffyuvValues;
    };
    const Case cases[] = {
        {"another row and back", {u"Motion JPEG", u"FFV1 lossless"}, false, kFfv1, {{0, 1}}, std::nullopt},
        {"another configuration cancelled",
         {u"Huffyuv lossless", u"FFV1 lossless"},
         false,
         kFfv1,
         {{0, 1}},
         std::nullopt},
        {"OK on another", {u"Motion JPEG"}, false, kMjpg, std::nullopt, std::nullopt},
        {"OK on uncompressed", {u"UnCompressed(24bit RGB)"}, false, kFourCCUncompressed, std::nullopt, std::nullopt},
        {"another configured and OK'd", {u"Huffyuv lossless"}, true, kHfyu, std::nullopt, {{1}}},
        {"another configured, OK on the first",
         {u"Huffyuv lossless", u"FFV1 lossless"},
         true,
         kFfv1,
         std::nullopt,
         std::nullopt},
    };
    for (const Case& c : cases) {
        CEncAVISetting setting;
        setting.SetHandler(kFfv1);
        GiveState(setting, StateOf(kFfv1, {0, 1}));
        const BITMAPINFOHEADER input = Input(24);
        std::vector<std::vector<int32_t>> shownForHuffyuv;
        WithDialog<CAVISetDlg>([&](CAVISetDlg& d) {
            for (const char16_t* row : c.rows) {
                ChooseRow(d, IDC_CODEC, RowOf(d, CString(row)));
                if (CString(row) != CString(u"Huffyuv lossless"))
                    continue;
                configure = [&c](std::vector<int32_t>& v) {
                    v = {1};
                    return c.configureHuffyuv;
                };
                Click(d, IDC_CONFIGURE);
                shownForHuffyuv.push_back(shownValues);
            }
            Click(d, IDOK);
        });
        EXPECT_EQ(EditAviSettings(&input, &setting, nullptr), 0) << c.name;
        EXPECT_EQ(setting.GetHandler(), c.handler) << c.name;
        for (const auto& shown : shownForHuffyuv) {
            EXPECT_EQ(shown, std::vector<int32_t>({0})) << c.name << ": Huffyuv opens on its own defaults";
        }
        EXPECT_EQ(ValuesIn(kFfv1, setting.GetState(), setting.GetStateSize()), c.ffv1Values) << c.name;
        EXPECT_EQ(ValuesIn(kHfyu, setting.GetState(), setting.GetStateSize()), c.huffyuvValues) << c.name;
        if (!c.ffv1Values && !c.huffyuvValues) {
            EXPECT_EQ(setting.GetStateSize(), 0) << c.name;
        }
    }
}

TEST_F(AviSetDlgTest, BackOnItsCompressorTheStoredStateOpensInItsConfiguration)
{
    CEncAVISetting setting;
    setting.SetHandler(kFfv1);
    GiveState(setting, StateOf(kFfv1, {0, 1}));
    const BITMAPINFOHEADER input = Input(24);
    configure = nullptr;
    WithDialog<CAVISetDlg>([](CAVISetDlg& d) {
        ChooseRow(d, IDC_CODEC, RowOf(d, CString(u"Motion JPEG")));
        ChooseRow(d, IDC_CODEC, RowOf(d, CString(u"FFV1 lossless")));
        Click(d, IDC_CONFIGURE);
        Click(d, IDOK);
    });
    EXPECT_EQ(EditAviSettings(&input, &setting, nullptr), 0);
    EXPECT_EQ(configuredFourCC, kFfv1);
    EXPECT_EQ(shownValues, std::vector<int32_t>({0, 1}));
}

TEST_F(AviSetDlgTest, DefaultRestoresValuesAndDropsTheState)
{
    CEncAVISetting setting;
    setting.SetHandler(kFfv1);
    setting.SetQuality(20);
    setting.SetKeyFrameEvery(2);
    setting.SetDataRate(9);
    const BITMAPINFOHEADER input = Input(24);
    configure = [](std::vector<int32_t>& v) {
        v = {0, 1};
        return true;
    };
    CString row;
    WithDialog<CAVISetDlg>([&row](CAVISetDlg& d) {
        Click(d, IDC_CONFIGURE);
        Click(d, IDC_DEFAULT);
        row = FromQString(static_cast<QComboBox*>(WidgetOf(d.GetDlgItem(IDC_CODEC)))->currentText());
        Click(d, IDOK);
    });
    EXPECT_EQ(EditAviSettings(&input, &setting, nullptr), 0);
    EXPECT_EQ(row, CString(u"FFV1 lossless"));
    EXPECT_EQ(setting.GetQuality(), 100);
    EXPECT_EQ(setting.GetKeyFrameEvery(), 15);
    EXPECT_EQ(setting.GetDataRate(), 300);
    EXPECT_EQ(setting.GetStateSize(), 0);
    EXPECT_NE(setting.GetState(), nullptr);
}

TEST_F(AviSetDlgTest, AboutShowsTheSelectedCompressorsBox)
{
    CEncAVISetting setting;
    setting.SetHandler(kMjpg);
    const BITMAPINFOHEADER input = Input(24);
    WithDialog<CAVISetDlg>([](CAVISetDlg& d) {
        Click(d, IDC_ABOUT);
        Click(d, IDCANCEL);
    });
    EXPECT_EQ(EditAviSettings(&input, &setting, nullptr), -2);
    EXPECT_EQ(aboutShown, kMjpg);
}

TEST_F(AviSetDlgTest, EveryTextFitsInBothLanguages)
{
    for (const char* locale : {kEnglishLocale, kJapaneseLocale}) {
        ScopedLocale scoped(locale);
        CEncAVISetting setting;
        const BITMAPINFOHEADER input = Input(24);
        std::vector<std::string> cut;
        WithDialog<CAVISetDlg>([&cut](CAVISetDlg& d) {
            cut = TextsThatDoNotFit(d);
            Click(d, IDCANCEL);
        });
        EditAviSettings(&input, &setting, nullptr);
        EXPECT_EQ(cut, std::vector<std::string>()) << locale;
    }
}

TEST_F(AviSetDlgTest, ArrowKeysStepFromTheTypedValue)
{
    CEncAVISetting setting;
    setting.SetHandler(kMjpg);
    setting.SetQuality(40);
    const BITMAPINFOHEADER input = Input(24);
    std::vector<CString> shown;
    WithDialog<CAVISetDlg>([&shown](CAVISetDlg& d) {
        QWidget* edit = WidgetOf(d.GetDlgItem(IDC_QUALITY));
        const auto press = [edit](Qt::Key key) {
            QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
            QCoreApplication::sendEvent(edit, &e);
        };
        press(Qt::Key_Up);
        shown.push_back(ItemText(d, IDC_QUALITY));
        d.GetDlgItem(IDC_QUALITY)->SetWindowText(u"100");
        press(Qt::Key_Up);
        shown.push_back(ItemText(d, IDC_QUALITY));
        press(Qt::Key_Down);
        shown.push_back(ItemText(d, IDC_QUALITY));
        Click(d, IDOK);
    });
    EXPECT_EQ(EditAviSettings(&input, &setting, nullptr), 0);
    EXPECT_EQ(shown, std::vector<CString>({CString(u"41"), CString(u"100"), CString(u"99")}));
    EXPECT_EQ(setting.GetQuality(), 99);
}

} // namespace

TEST_F(AviSetDlgTest, EnterInAnyControlIsOKAndTakesTheSelectedRowAndTheTypedValues)
{
    for (const int focus : {IDC_CODEC, IDC_QUALITY, IDC_KEYFRAME, IDC_DATARATE}) {
        CEncAVISetting setting;
        setting.SetHandler(kFfv1);
        const BITMAPINFOHEADER input = Input(24);
        WithDialog<CAVISetDlg>([&](CAVISetDlg& d) {
            ChooseRow(d, IDC_CODEC, RowOf(d, CString(u"Motion JPEG")));
            d.GetDlgItem(IDC_QUALITY)->SetWindowText(u"55");
            d.GetDlgItem(IDC_KEYFRAME)->SetWindowText(u"7");
            QWidget* control = WidgetOf(d.GetDlgItem(focus));
            control->setFocus();
            QTest::keyClick(control, Qt::Key_Return);
        });
        EXPECT_EQ(EditAviSettings(&input, &setting, nullptr), 0) << focus;
        EXPECT_EQ(setting.GetHandler(), kMjpg) << focus;
        EXPECT_EQ(setting.GetQuality(), 55) << focus;
        EXPECT_EQ(setting.GetKeyFrameEvery(), 7) << focus;
    }
}

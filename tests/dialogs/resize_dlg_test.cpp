#include "dialogs/resize_dlg.h"
#include "foundation/mem_buff.h"
#include "foundation/profile_access.h"
#include "image/packed_dib.h"
#include "platform/afx/app_profile.h"
#include "platform/afx/window_host.h"
#include "resources/clip_resize_ids.h"
#include "tests/dialogs/command_recorder.h"
#include "tests/dialogs/encoder_dialog_test_support.h"
#include "tests/support/cstring_printer.h"
#include "tests/support/qt_app.h"
#include "tests/support/registry_names.h"
#include "tests/support/scoped_locale.h"
#include "tests/support/window_widget.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>

namespace {

constexpr std::array kPresetIds = {IDC_PRESET_640x480, IDC_PRESET_640x360, IDC_PRESET_512x288, IDC_PRESET_480x360,
                                   IDC_PRESET_320x240, IDC_PRESET_176x144, IDC_PRESET_160x120, IDC_PRESET_720x480};
constexpr std::array<const char16_t*, 6> kKeys = {u"DST_WIDTH",  u"DST_HEIGHT", u"CLIP_LEFT",
                                                  u"CLIP_RIGHT", u"CLIP_TOP",   u"CLIP_BOTTOM"};
constexpr const char16_t* kDataKey = u"Software\\Zarn\\Torvina\\DATA";

class ResizeDlgTest : public ::testing::Test {
protected:
    ResizeDlgTest()
    {
        TestApp();
        m_profile.SetRegistryKey(u"Zarn", u"Torvina");
        AfxSetAppProfile(&m_profile);
        InitBitmapInfoHeader(&m_source, 640, 480);
        m_output = m_source;
    }
    ~ResizeDlgTest() override
    {
        m_holder.Release();
        ProcessEvents();
        AfxSetAppProfile(nullptr);
    }

    static void Store(const std::array<int, 6>& values)
    {
        for (size_t i = 0; i < kKeys.size(); ++i)
            WriteAppProfileInt(u"DATA", kKeys[i], values[i]);
    }

    CResizeDlg* Construct()
    {
        m_holder.Attach(new CResizeDlg(&m_owner, m_source, &m_output, &m_clip, kDisplayCmd, kResizeDoneCmd));
        return m_holder.m_pObject;
    }
    CResizeDlg* Open()
    {
        CResizeDlg* dlg = Construct();
        EXPECT_TRUE(dlg->Open());
        return dlg;
    }
    CResizeDlg* Dlg() const { return m_holder.m_pObject; }

    // What a user's typing does: the edit's text changes and the edit notifies the dialog.
    void Type(int id, const char16_t* text) { Dlg()->GetDlgItem(id)->SetWindowText(text); }
    void Click(int id) { Dlg()->GetDlgItem(id)->SendMessage(BM_CLICK); }
    CString Text(int id) const { return Dlg()->GetDlgItem(id)->GetWindowTextString(); }
    int CheckedPreset() const
    {
        int checked = 0;
        for (int id : kPresetIds)
            if (Dlg()->IsDlgButtonChecked(id) == BST_CHECKED)
                checked = checked == 0 ? id : -1; // -1: more than one
        return checked;
    }
    void ExpectOutput(LONG width, LONG height) const
    {
        EXPECT_EQ(m_output.biWidth, width);
        EXPECT_EQ(m_output.biHeight, height);
    }

    TempConfigHome m_config;
    CAppProfile m_profile;
    BITMAPINFOHEADER m_source{};
    BITMAPINFOHEADER m_output{};
    RECT m_clip{};
    CommandRecorder m_owner;
    CMemBuffClassBase<CResizeDlg> m_holder;
};

// ---- construction ----

struct StoredCase {
    const char* name;
    std::optional<std::array<int, 6>> stored; // width, height, left, right, top, bottom
    LONG outputWidth, outputHeight;
    CRect clip;
    std::array<const char16_t*, 6> texts; // width, height, left, right, top, bottom edits
};
void PrintTo(const StoredCase& c, std::ostream* os) { *os << c.name; }

class ResizeDlgStored : public ResizeDlgTest, public ::testing::WithParamInterface<StoredCase> {};

TEST_P(ResizeDlgStored, ConstructorAppliesTheStoredValuesToTheOwnersData)
{
    if (GetParam().stored)
        Store(*GetParam().stored);
    m_output.biWidth = 320; // the defaults come from the output header as it stands
    m_output.biHeight = 200;
    Construct();
    ExpectOutput(GetParam().outputWidth, GetParam().outputHeight);
    EXPECT_EQ(CRect(m_clip), GetParam().clip);
    // Nothing is sent before the window exists.
    EXPECT_TRUE(m_owner.commands.empty());

    ASSERT_TRUE(Dlg()->Open());
    const std::array<int, 6> edits = {IDC_OUT_WIDTH,  IDC_OUT_HEIGHT, IDC_CLIP_LEFT,
                                      IDC_CLIP_RIGHT, IDC_CLIP_TOP,   IDC_CLIP_BOTTOM};
    for (size_t i = 0; i < edits.size(); ++i)
        EXPECT_EQ(Text(edits[i]), CString(GetParam().texts[i])) << i;
    // Opening shows the values and tells the owner once.
    EXPECT_EQ(m_owner.commands, std::vector<UINT>{kDisplayCmd});
    EXPECT_TRUE(Dlg()->IsWindowVisible());
}

INSTANTIATE_TEST_SUITE_P(Cases, ResizeDlgStored,
                         ::testing::Values(StoredCase{"nothing stored",
                                                      std::nullopt,
                                                      320,
                                                      200,
                                                      {0, 0, 640, 480},
                                                      {u"320", u"200", u"0", u"0", u"0", u"0"}},
                                           StoredCase{"stored",
                                                      std::array{512, 288, 10, 20, 30, 40},
                                                      512,
                                                      288,
                                                      {10, 30, 620, 440},
                                                      {u"512", u"288", u"10", u"20", u"30", u"40"}},
                                           // Stored for a larger source: the edges are made to fit this one.
                                           StoredCase{"edges of a larger source",
                                                      std::array{640, 480, 100, 900, 0, 1000},
                                                      640,
                                                      480,
                                                      {100, 0, 101, 1},
                                                      {u"640", u"480", u"100", u"539", u"0", u"479"}},
                                           StoredCase{"size of nothing",
                                                      std::array{0, -7, 0, 0, 0, 0},
                                                      1,
                                                      1,
                                                      {0, 0, 640, 480},
                                                      {u"1", u"1", u"0", u"0", u"0", u"0"}}));

// ---- clip edges ----

struct EdgeCase {
    const char* name;
    std::optional<std::pair<int, const char16_t*>> before;
    int edit;
    const char16_t* typed;
    CRect clip;
    LONG outputWidth, outputHeight;
    const char16_t* shown;
    int checkedPreset;
};
void PrintTo(const EdgeCase& c, std::ostream* os) { *os << c.name; }

class ResizeDlgEdges : public ResizeDlgTest, public ::testing::WithParamInterface<EdgeCase> {};

TEST_P(ResizeDlgEdges, AreClampedAsTypedAndTheOutputFollowsTheClip)
{
    Open();
    if (GetParam().before)
        Type(GetParam().before->first, GetParam().before->second);
    m_owner.Clear();
    Type(GetParam().edit, GetParam().typed);
    EXPECT_EQ(CRect(m_clip), GetParam().clip);
    ExpectOutput(GetParam().outputWidth, GetParam().outputHeight);
    EXPECT_EQ(Text(GetParam().edit), CString(GetParam().shown));
    EXPECT_EQ(CheckedPreset(), GetParam().checkedPreset);
    // One change, one preview command, with a zero second parameter.
    EXPECT_EQ(m_owner.commands, std::vector<UINT>{kDisplayCmd});
    EXPECT_EQ(m_owner.secondParameters, std::vector<LPARAM>{0});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ResizeDlgEdges,
    ::testing::Values(
        EdgeCase{"left 10", std::nullopt, IDC_CLIP_LEFT, u"10", {10, 0, 640, 480}, 630, 480, u"10", 0},
        EdgeCase{"left 700", std::nullopt, IDC_CLIP_LEFT, u"700", {639, 0, 640, 480}, 1, 480, u"639", 0},
        EdgeCase{"right 1000", std::nullopt, IDC_CLIP_RIGHT, u"1000", {0, 0, 1, 480}, 1, 480, u"639", 0},
        EdgeCase{"top 480", std::nullopt, IDC_CLIP_TOP, u"480", {0, 479, 640, 480}, 640, 1, u"479", 0},
        EdgeCase{"bottom 120",
                 std::nullopt,
                 IDC_CLIP_BOTTOM,
                 u"120",
                 {0, 0, 640, 360},
                 640,
                 360,
                 u"120",
                 IDC_PRESET_640x360},
        EdgeCase{"right against left",
                 std::pair{IDC_CLIP_LEFT, u"100"},
                 IDC_CLIP_RIGHT,
                 u"600",
                 {100, 0, 101, 480},
                 1,
                 480,
                 u"539",
                 0},
        EdgeCase{"bottom against top",
                 std::pair{IDC_CLIP_TOP, u"400"},
                 IDC_CLIP_BOTTOM,
                 u"100",
                 {0, 400, 640, 401},
                 640,
                 1,
                 u"79",
                 0},
        EdgeCase{
            "negative left", std::nullopt, IDC_CLIP_LEFT, u"-5", {0, 0, 640, 480}, 640, 480, u"0", IDC_PRESET_640x480},
        EdgeCase{
            "not a number", std::nullopt, IDC_CLIP_TOP, u"x", {0, 0, 640, 480}, 640, 480, u"0", IDC_PRESET_640x480}));

TEST_F(ResizeDlgTest, InfoTextShowsTheSourceAndTheClipSize)
{
    Open();
    EXPECT_EQ(Text(IDC_SIZE_INFO), CString(u"Original 640 x 480\nClipSize 640 x 480"));
    Type(IDC_CLIP_LEFT, u"10");
    Type(IDC_CLIP_BOTTOM, u"80");
    EXPECT_EQ(Text(IDC_SIZE_INFO), CString(u"Original 640 x 480\nClipSize 630 x 400"));
    // The output size alone does not change the clip.
    Type(IDC_OUT_WIDTH, u"100");
    EXPECT_EQ(Text(IDC_SIZE_INFO), CString(u"Original 640 x 480\nClipSize 630 x 400"));
}

TEST_F(ResizeDlgTest, InfoTextKeepsBothLinesWholeForLargeSources)
{
    for (const auto& [width, height] : {std::pair{640, 480}, {1280, 720}, {1920, 1080}, {10000, 10000}}) {
        m_holder.Release();
        InitBitmapInfoHeader(&m_source, width, height);
        m_output = m_source;
        m_clip = RECT{0, 0, width, height};
        Open();
        const CString info = Text(IDC_SIZE_INFO);
        for (const std::string& cut : TextsThatDoNotFit(*Dlg()))
            EXPECT_NE(QString::fromStdString(cut), ToQString(info.GetString())) << width << " x " << height;
    }
}

TEST_F(ResizeDlgTest, InfoTextStandsInsideABlackFrame)
{
    Open();
    QWidget* dialog = WidgetOf(Dlg());
    const QImage shown = dialog->grab().toImage();
    const QRect info = WidgetOf(Dlg()->GetDlgItem(IDC_SIZE_INFO))->geometry();
    // The frame shows around the label, which paints itself in the face colour.
    EXPECT_EQ(shown.pixelColor(info.left() - 2, info.center().y()), QColor(Qt::black));
    EXPECT_EQ(shown.pixel(info.left() + 1, info.top() + 1), qRgb(240, 240, 240));
}

struct SpinCase {
    const char* name;
    int spin;
    int edit;
    const char16_t* typedFirst;
    bool up;
    const char16_t* shown;
    CRect clip;
    LONG outputWidth, outputHeight;
};
void PrintTo(const SpinCase& c, std::ostream* os) { *os << c.name; }

class ResizeDlgSpins : public ResizeDlgTest, public ::testing::WithParamInterface<SpinCase> {};

TEST_P(ResizeDlgSpins, ArrowStepsFromTheTypedValueAndTheStepIsClampedLikeTyping)
{
    Open();
    if (GetParam().typedFirst)
        Type(GetParam().edit, GetParam().typedFirst);
    m_owner.Clear();
    QWidget* spin = WidgetOf(Dlg()->GetDlgItem(GetParam().spin));
    const QPoint arrow(spin->width() / 2, GetParam().up ? 2 : spin->height() - 3);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(arrow), QPointF(spin->mapToGlobal(arrow)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(spin, &press);
    EXPECT_EQ(Text(GetParam().edit), CString(GetParam().shown));
    EXPECT_EQ(CRect(m_clip), GetParam().clip);
    ExpectOutput(GetParam().outputWidth, GetParam().outputHeight);
    EXPECT_EQ(m_owner.commands, std::vector<UINT>{kDisplayCmd});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ResizeDlgSpins,
    ::testing::Values(
        SpinCase{"width up", IDC_SPIN_WIDTH, IDC_OUT_WIDTH, nullptr, true, u"641", {0, 0, 640, 480}, 641, 480},
        SpinCase{"left up", IDC_SPIN_LEFT, IDC_CLIP_LEFT, nullptr, true, u"1", {1, 0, 640, 480}, 639, 480},
        SpinCase{"left up to the source width",
                 IDC_SPIN_LEFT,
                 IDC_CLIP_LEFT,
                 u"639",
                 true,
                 u"639",
                 {639, 0, 640, 480},
                 1,
                 480},
        SpinCase{"bottom down", IDC_SPIN_BOTTOM, IDC_CLIP_BOTTOM, u"30", false, u"29", {0, 0, 640, 451}, 640, 451},
        SpinCase{
            "height down to nothing", IDC_SPIN_HEIGHT, IDC_OUT_HEIGHT, u"1", false, u"0", {0, 0, 640, 480}, 640, 1}));

// ---- presets and Clear ----

TEST_F(ResizeDlgTest, PresetSetsTheOutputSizeKeepsTheClipAndTicksOnlyItsRadio)
{
    const struct {
        int id;
        LONG width, height;
    } presets[] = {{IDC_PRESET_160x120, 160, 120}, {IDC_PRESET_176x144, 176, 144}, {IDC_PRESET_320x240, 320, 240},
                   {IDC_PRESET_480x360, 480, 360}, {IDC_PRESET_512x288, 512, 288}, {IDC_PRESET_640x360, 640, 360},
                   {IDC_PRESET_720x480, 720, 480}, {IDC_PRESET_640x480, 640, 480}};
    Open();
    Type(IDC_CLIP_LEFT, u"10");
    for (const auto& p : presets) {
        SCOPED_TRACE(p.id);
        m_owner.Clear();
        Click(p.id);
        ExpectOutput(p.width, p.height);
        EXPECT_EQ(CRect(m_clip), CRect(10, 0, 640, 480));
        EXPECT_EQ(CheckedPreset(), p.id);
        EXPECT_EQ(Text(IDC_OUT_WIDTH), CString(std::to_string(p.width).c_str()));
        EXPECT_EQ(Text(IDC_OUT_HEIGHT), CString(std::to_string(p.height).c_str()));
        EXPECT_EQ(m_owner.commands, std::vector<UINT>{kDisplayCmd});
    }
    // A size that is no preset clears every tick.
    Type(IDC_OUT_HEIGHT, u"479");
    EXPECT_EQ(CheckedPreset(), 0);
}

TEST_F(ResizeDlgTest, ClearResetsEdgesClipAndSizeToTheSource)
{
    Store({320, 240, 10, 20, 30, 40});
    Open();
    m_owner.Clear();
    Click(IDC_CLEAR);
    for (int id : {IDC_CLIP_LEFT, IDC_CLIP_RIGHT, IDC_CLIP_TOP, IDC_CLIP_BOTTOM})
        EXPECT_EQ(Text(id), CString(u"0")) << id;
    EXPECT_EQ(CRect(m_clip), CRect(0, 0, 640, 480));
    ExpectOutput(640, 480);
    EXPECT_EQ(CheckedPreset(), IDC_PRESET_640x480);
    EXPECT_EQ(Text(IDC_SIZE_INFO), CString(u"Original 640 x 480\nClipSize 640 x 480"));
    EXPECT_EQ(m_owner.commands, std::vector<UINT>{kDisplayCmd});
}

// ---- output size edits ----

TEST_F(ResizeDlgTest, TypedSizeReachesTheOwnerOnlyAsAValidOne)
{
    const struct {
        int edit;
        const char16_t* typed;
        LONG width, height;
        const char16_t* shown;
    } cases[] = {
        {IDC_OUT_WIDTH, u"320", 320, 480, u"320"},  {IDC_OUT_HEIGHT, u"200", 320, 200, u"200"},
        {IDC_OUT_HEIGHT, u"0", 320, 1, u"0"},       {IDC_OUT_WIDTH, u"-20", 1, 1, u"-20"},
        {IDC_OUT_WIDTH, u"1024", 1024, 1, u"1024"}, {IDC_OUT_HEIGHT, u"768", 1024, 768, u"768"},
    };
    Open();
    for (const auto& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.typed).toStdString());
        m_owner.Clear();
        Type(c.edit, c.typed);
        ExpectOutput(c.width, c.height);
        // The edit keeps what was typed, so typing over it goes on undisturbed.
        EXPECT_EQ(Text(c.edit), CString(c.shown));
        EXPECT_EQ(m_owner.commands, std::vector<UINT>{kDisplayCmd});
    }
    // The clip is the edges' business alone.
    EXPECT_EQ(CRect(m_clip), CRect(0, 0, 640, 480));
}

TEST_F(ResizeDlgTest, EmptyWidthBringsTheIntegerPromptAndEmptyHeightDoesNot)
{
    Open();
    QStringList prompts;
    auto answer = [&prompts] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            prompts << box->text();
            box->accept();
        }
    };
    WhenModal(answer);
    Type(IDC_OUT_HEIGHT, u"");
    ProcessEvents();
    EXPECT_TRUE(prompts.isEmpty());
    ExpectOutput(640, 1);

    WhenModal(answer);
    Type(IDC_OUT_WIDTH, u"");
    EXPECT_EQ(prompts, QStringList{QString::fromUtf16(u"整数を入力してください。")});
    ExpectOutput(1, 1);
}

// ---- saving ----

enum class SaveBy { OkButton, EnterKey, CloseBox };
struct SaveCase {
    const char* name;
    SaveBy how;
    bool ownerDeletes;
};
void PrintTo(const SaveCase& c, std::ostream* os) { *os << c.name; }

class ResizeDlgSave : public ResizeDlgTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(ResizeDlgSave, StoresTheSixValuesInOrderThenSendsTheDoneCommandLast)
{
    Open();
    Type(IDC_CLIP_LEFT, u"10");
    Type(IDC_CLIP_RIGHT, u"20");
    Type(IDC_CLIP_TOP, u"30");
    Type(IDC_CLIP_BOTTOM, u"40");
    Click(IDC_PRESET_320x240);
    Type(IDC_OUT_HEIGHT, u"0"); // stored as the height in effect
    m_owner.Clear();

    std::vector<int> storedAtDone;
    const HWND dialog = Dlg()->m_hWnd;
    m_owner.actions[kResizeDoneCmd] = [&] {
        for (const char16_t* key : kKeys)
            storedAtDone.push_back(GetAppProfileInt(u"DATA", key, -1));
        if (GetParam().ownerDeletes)
            m_holder.Release(); // as the view does, inside the command
    };
    switch (GetParam().how) {
    case SaveBy::OkButton: Click(IDOK); break;
    case SaveBy::EnterKey: {
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(WidgetOf(Dlg()->GetDlgItem(IDC_OUT_WIDTH)), &enter);
        break;
    }
    case SaveBy::CloseBox: WidgetOf(Dlg())->close(); break;
    }
    ProcessEvents();

    EXPECT_EQ(m_owner.commands, std::vector<UINT>{kResizeDoneCmd});
    EXPECT_EQ(m_owner.secondParameters, std::vector<LPARAM>{0});
    EXPECT_EQ(storedAtDone, (std::vector<int>{320, 1, 10, 20, 30, 40}));
    EXPECT_EQ(RegistryValueNames(kDataKey), std::vector<std::u16string>(kKeys.begin(), kKeys.end()));
    // The dialog does not end itself: it goes when its owner destroys it.
    EXPECT_EQ(IsWindow(dialog), GetParam().ownerDeletes ? FALSE : TRUE);
    EXPECT_EQ(m_holder.m_pObject == nullptr, GetParam().ownerDeletes);
}

INSTANTIATE_TEST_SUITE_P(Ways, ResizeDlgSave,
                         ::testing::Values(SaveCase{"ok", SaveBy::OkButton, false},
                                           SaveCase{"ok, owner deletes", SaveBy::OkButton, true},
                                           SaveCase{"enter, owner deletes", SaveBy::EnterKey, true},
                                           SaveCase{"close box", SaveBy::CloseBox, false},
                                           SaveCase{"close box, owner deletes", SaveBy::CloseBox, true}));

TEST_F(ResizeDlgTest, OwnerMayCloseTheDialogWhileHandlingAPreview)
{
    Open();
    const HWND dialog = Dlg()->m_hWnd;
    m_owner.actions[kDisplayCmd] = [this] { m_holder.Release(); };
    Type(IDC_CLIP_LEFT, u"10");
    ProcessEvents();
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(CRect(m_clip), CRect(10, 0, 640, 480));
    EXPECT_TRUE(RegistryValueNames(kDataKey).empty());
}

TEST_F(ResizeDlgTest, EscapeNeitherSavesNorCloses)
{
    Open();
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(WidgetOf(Dlg()->GetDlgItem(IDC_OUT_WIDTH)), &esc);
    ProcessEvents();
    EXPECT_EQ(m_owner.Count(kResizeDoneCmd), 0u);
    EXPECT_TRUE(RegistryValueNames(kDataKey).empty());
    EXPECT_TRUE(Dlg()->IsWindowVisible());
}

TEST_F(ResizeDlgTest, ReleasingTheDialogWritesNothing)
{
    Open();
    Type(IDC_CLIP_LEFT, u"10");
    m_holder.Release();
    ProcessEvents();
    EXPECT_TRUE(RegistryValueNames(kDataKey).empty());
    EXPECT_EQ(CRect(m_clip), CRect(10, 0, 640, 480)); // the owner keeps what was written last
}

// ---- languages ----

struct LanguageCase {
    const char* locale;
    std::array<const char16_t*, 9> texts; // caption, then the eight controls
};
void PrintTo(const LanguageCase& c, std::ostream* os) { *os << c.locale; }

class ResizeDlgLanguage : public ResizeDlgTest, public ::testing::WithParamInterface<LanguageCase> {};

TEST_P(ResizeDlgLanguage, CaptionAndLabelsComeFromTheSystemLanguage)
{
    ScopedLocale locale(GetParam().locale);
    Open();
    const std::array<int, 8> ids = {IDC_CLIP_GROUP,   IDC_LABEL_TOP,    IDC_LABEL_LEFT,  IDC_LABEL_RIGHT,
                                    IDC_LABEL_BOTTOM, IDC_RESIZE_GROUP, IDC_LABEL_PIXEL, IDC_CLEAR};
    EXPECT_EQ(Dlg()->GetWindowTextString(), CString(GetParam().texts[0]));
    for (size_t i = 0; i < ids.size(); ++i)
        EXPECT_EQ(Text(ids[i]), CString(GetParam().texts[i + 1])) << ids[i];
}

INSTANTIATE_TEST_SUITE_P(Languages, ResizeDlgLanguage,
                         ::testing::Values(LanguageCase{kJapaneseLocale,
                                                        {u"クリッピング・リサイズ", u"クリッピング", u"上", u"左",
                                                         u"右", u"下", u"リサイズ", u"ピクセル", u"クリア"}},
                                           LanguageCase{kEnglishLocale,
                                                        {u"Clipping+Resize", u"Clipping", u"Top", u"Left", u"Right",
                                                         u"Bottom", u"Resize", u"Pixl", u"Clear"}}));

} // namespace

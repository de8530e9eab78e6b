#include "platform/vfw/compressor_boxes.h"

#include "platform/vfw/compressor_instance.h"
#include "platform/vfw/vcm.h"
#include "tests/dialogs/dialog_test_support.h"
#include "tests/support/scoped_locale.h"

#include <QCheckBox>
#include <QComboBox>

#include <gtest/gtest.h>

using vfw::CompressorDescriptor;
using vfw::CompressorLibrary;
using vfw::CompressorOption;
using vfw::CompressorOptionControlId;
using vfw::DescribeCompressorLibrary;
using vfw::IDC_COMPRESSOR_DEFAULTS;
using vfw::InstallCompressorBoxes;
using vfw::InstalledCompressors;
using vfw::SetCompressorBoxes;
using vfw::ShowCompressorAboutBox;
using vfw::ShowCompressorConfigureBox;

namespace {

const CompressorDescriptor& Descriptor(const char16_t* name)
{
    for (const CompressorDescriptor* d : InstalledCompressors())
        if (std::u16string_view(d->name) == name)
            return *d;
    ADD_FAILURE() << "not installed";
    return *InstalledCompressors().front();
}

std::vector<int32_t> Defaults(const CompressorDescriptor& d)
{
    std::vector<int32_t> values;
    for (const CompressorOption& option : d.options)
        values.push_back(option.defaultValue);
    return values;
}

// What the box shows for each option: the list row, the tick or the number.
std::vector<int32_t> Shown(CWnd& box, const CompressorDescriptor& d)
{
    std::vector<int32_t> shown;
    for (size_t i = 0; i < d.options.size(); ++i) {
        QWidget* w = WidgetOf(box.GetDlgItem(CompressorOptionControlId(i)));
        if (auto* combo = qobject_cast<QComboBox*>(w))
            shown.push_back(combo->currentIndex());
        else if (auto* check = qobject_cast<QCheckBox*>(w))
            shown.push_back(check->isChecked() ? 1 : 0);
        else
            shown.push_back(
                ItemText(box, CompressorOptionControlId(i)).GetLength()
                    ? std::stoi(ToQString(ItemText(box, CompressorOptionControlId(i)).GetString()).toStdString())
                    : -1);
    }
    return shown;
}

// Sets option i to value the way a user would with its kind of control.
void Set(CWnd& box, size_t i, int value)
{
    const int id = CompressorOptionControlId(i);
    QWidget* w = WidgetOf(box.GetDlgItem(id));
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        combo->setCurrentIndex(value);
        emit combo->activated(value);
    } else if (auto* check = qobject_cast<QCheckBox*>(w)) {
        if (check->isChecked() != (value != 0))
            check->click();
    } else {
        CString text;
        text.Format(u"%d", value);
        box.GetDlgItem(id)->SetWindowText(text);
    }
}

class CompressorBoxesTest : public ::testing::Test {
protected:
    void SetUp() override { TestApp(); }
    ScopedLocale m_locale{kEnglishLocale};
};

struct BoxCase {
    const char16_t* name;
    std::vector<int32_t> chosen;
};

TEST_F(CompressorBoxesTest, TheBoxShowsEditsAndReturnsEveryKindOfOption)
{
    const BoxCase cases[] = {
        {u"HFYU", {1}}, // a list
        {u"FFV1", {0, 1}}, // two check boxes
        {u"MPNG", {0, 9}}, // a list and a number
        {u"ZMBV", {2}}, // a number
    };
    for (const BoxCase& c : cases) {
        const CompressorDescriptor& d = Descriptor(c.name);
        std::vector<int32_t> values = Defaults(d);
        std::vector<int32_t> shown;
        WhenModal([&] {
            CWnd* box = ShownDialog();
            ASSERT_NE(box, nullptr);
            shown = Shown(*box, d);
            for (size_t i = 0; i < c.chosen.size(); ++i)
                Set(*box, i, c.chosen[i]);
            Click(*box, IDOK);
        });
        EXPECT_TRUE(ShowCompressorConfigureBox(nullptr, d, values));
        EXPECT_EQ(shown, Defaults(d)) << ToQString(c.name).toStdString();
        EXPECT_EQ(values, c.chosen) << ToQString(c.name).toStdString();
    }
}

TEST_F(CompressorBoxesTest, CancelAndCloseKeepTheValues)
{
    const CompressorDescriptor& d = Descriptor(u"MPNG");
    for (bool closeBox : {false, true}) {
        std::vector<int32_t> values = {3, 2};
        WhenModal([&] {
            CWnd* box = ShownDialog();
            ASSERT_NE(box, nullptr);
            Set(*box, 1, 7);
            if (closeBox)
                WidgetOf(box)->close();
            else
                Click(*box, IDCANCEL);
        });
        EXPECT_FALSE(ShowCompressorConfigureBox(nullptr, d, values));
        EXPECT_EQ(values, std::vector<int32_t>({3, 2}));
    }
}

TEST_F(CompressorBoxesTest, DefaultsButtonAndRangePrompt)
{
    const CompressorDescriptor& d = Descriptor(u"MPNG");
    std::vector<int32_t> values = {1, 1};
    MessageBoxCatcher prompts;
    bool openAfterPrompt = false;
    WhenModal([&] {
        CWnd* box = ShownDialog();
        ASSERT_NE(box, nullptr);
        Click(*box, IDC_COMPRESSOR_DEFAULTS);
        box->GetDlgItem(CompressorOptionControlId(1))->SetWindowText(u"12");
        Click(*box, IDOK);
        openAfterPrompt = box->IsWindowVisible() != FALSE;
        box->GetDlgItem(CompressorOptionControlId(1))->SetWindowText(u"9");
        Click(*box, IDOK);
    });
    EXPECT_TRUE(ShowCompressorConfigureBox(nullptr, d, values));
    EXPECT_TRUE(openAfterPrompt);
    ASSERT_EQ(prompts.texts.size(), 1u);
    EXPECT_EQ(prompts.texts[0], QStringLiteral("0 から 9 までの整数を入力してください。"));
    EXPECT_EQ(values, std::vector<int32_t>({4, 9}));
}

TEST_F(CompressorBoxesTest, TheBoxSpeaksTheSystemLanguage)
{
    struct Case {
        const char* locale;
        const char16_t* caption;
        const char16_t* label;
        const char16_t* cancel;
    };
    const Case cases[] = {
        {kEnglishLocale, u"FFV1 Settings", u"Range coder:", u"Cancel"},
        {kJapaneseLocale, u"FFV1 の設定", u"レンジコーダ:", u"キャンセル"},
    };
    const CompressorDescriptor& d = Descriptor(u"FFV1");
    for (const Case& c : cases) {
        ScopedLocale locale(c.locale);
        std::vector<int32_t> values = Defaults(d);
        CString caption, label, cancel;
        WhenModal([&] {
            CWnd* box = ShownDialog();
            ASSERT_NE(box, nullptr);
            caption = box->GetWindowTextString();
            label = ItemText(*box, 1100);
            cancel = ItemText(*box, IDCANCEL);
            Click(*box, IDCANCEL);
        });
        ShowCompressorConfigureBox(nullptr, d, values);
        EXPECT_EQ(caption, CString(c.caption));
        EXPECT_EQ(label, CString(c.label));
        EXPECT_EQ(cancel, CString(c.cancel));
    }
}

TEST_F(CompressorBoxesTest, InstalledBoxesConfigureTheCompressorItself)
{
    InstallCompressorBoxes();
    HIC hic = ICOpen(ICTYPE_VIDEO, mmioFOURCC('F', 'F', 'V', '1'), ICMODE_COMPRESS);
    ASSERT_NE(hic, nullptr);
    EXPECT_EQ(ICSendMessage(hic, ICM_CONFIGURE, static_cast<DWORD_PTR>(-1), ICMF_CONFIGURE_QUERY), ICERR_OK);
    WhenModal([] {
        CWnd* box = ShownDialog();
        ASSERT_NE(box, nullptr);
        Click(*box, IDCANCEL);
    });
    EXPECT_EQ(ICSendMessage(hic, ICM_CONFIGURE, 0, 0), ICERR_CANCEL);
    EXPECT_EQ(hic->OptionValues(), std::vector<int32_t>({1, 0}));
    WhenModal([] {
        CWnd* box = ShownDialog();
        ASSERT_NE(box, nullptr);
        Set(*box, 0, 0);
        Set(*box, 1, 1);
        Click(*box, IDOK);
    });
    EXPECT_EQ(ICSendMessage(hic, ICM_CONFIGURE, 0, 0), ICERR_OK);
    EXPECT_EQ(hic->OptionValues(), std::vector<int32_t>({0, 1}));
    ICClose(hic);
    SetCompressorBoxes({}, {});
}

TEST_F(CompressorBoxesTest, TheAboutBoxNamesTheLibraryAndItsLicence)
{
    const CompressorLibrary jpeg = DescribeCompressorLibrary(Descriptor(u"MJPG"));
    EXPECT_TRUE(jpeg.library.Left(14) == CString(u"libjpeg-turbo "));
    EXPECT_NE(jpeg.licence.Find(u"BSD"), -1);
    const CompressorLibrary ffv1 = DescribeCompressorLibrary(Descriptor(u"FFV1"));
    EXPECT_TRUE(ffv1.library.Left(11) == CString(u"libavcodec "));
    EXPECT_NE(ffv1.licence.Find(u"GPL"), -1);
    EXPECT_FALSE(ffv1.encoder.IsEmpty());

    for (const char* locale : {kEnglishLocale, kJapaneseLocale}) {
        ScopedLocale scoped(locale);
        std::vector<CString> texts;
        WhenModal([&texts] {
            CWnd* box = ShownDialog();
            ASSERT_NE(box, nullptr);
            texts.push_back(box->GetWindowTextString());
            for (QWidget* child : WidgetOf(box)->findChildren<QWidget*>())
                if (WindowRecord* record = WindowRecord::OfWidget(child))
                    texts.push_back(record->windowText);
            Click(*box, IDOK);
        });
        ShowCompressorAboutBox(nullptr, Descriptor(u"FFV1"));
        const bool japanese = locale == kJapaneseLocale;
        ASSERT_FALSE(texts.empty());
        EXPECT_EQ(texts[0], CString(japanese ? u"FFV1 のバージョン情報" : u"About FFV1"));
        const CString licence = CString(japanese ? u"ライセンス: " : u"Licence: ") + ffv1.licence;
        EXPECT_NE(std::find(texts.begin(), texts.end(), licence), texts.end());
        EXPECT_NE(std::find(texts.begin(), texts.end(), CString(u"FFV1 lossless (FFV1)")), texts.end());
    }
}

} // namespace

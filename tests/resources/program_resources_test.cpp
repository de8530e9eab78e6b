#include "platform/afx/dialog_template.h"
#include "platform/win/module.h"
#include "platform/win/string_resource.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "tests/support/qt_app.h"

#include <gtest/gtest.h>

#include <QIcon>

#include <string_view>
#include <utility>
#include <vector>

// The platform's lookup halves the range, so an unsorted or repeated entry would hide texts.
TEST(ProgramResources, StringEntriesAreSortedWithEachIdentifierOnce)
{
    const auto strings = ProgramResources().Strings();
    ASSERT_FALSE(strings.empty());
    for (size_t i = 1; i < strings.size(); ++i)
        EXPECT_LT(strings[i - 1].id, strings[i].id) << strings[i].id;
}

TEST(ProgramResources, OnlyTheMainFrameIconsAreDrawn)
{
    TestApp();
    struct Case {
        UINT id;
        bool drawn;
    };
    for (const Case& c :
         {Case{IDR_MAINFRAME, true}, Case{IDR_MAINFRAME_ENGLISH, true}, Case{127, false}, Case{130, false}}) {
        const QIcon icon = ProgramResources().DrawIcon(c.id);
        EXPECT_EQ(!icon.isNull(), c.drawn) << c.id;
        if (c.drawn) {
            EXPECT_FALSE(icon.pixmap(32, 32).isNull()) << c.id;
        }
    }
}

TEST(ProgramResources, VersionRecordCarriesTheFixedFileInformation)
{
    const auto record = ProgramResources().VersionRecord();
    ASSERT_GE(record.size(), 44u);
    EXPECT_EQ(record[0] | (record[1] << 8), static_cast<int>(record.size()));
    const DWORD signature = record[40] | (record[41] << 8) | (record[42] << 16) | (DWORD(record[43]) << 24);
    EXPECT_EQ(signature, VS_FFI_SIGNATURE);
}

// Every template the program's resources are known to hold, opened by code or not, in the
// dialog font.
TEST(ProgramResources, EveryDialogTemplateOfTheProgramIsThere)
{
    std::vector<UINT> ids{107};
    for (UINT id = 40001; id <= 40017; ++id)
        ids.push_back(id);
    for (const UINT id : ids) {
        const DialogTemplate* found = FindDialogTemplate(id);
        ASSERT_NE(found, nullptr) << id;
        EXPECT_EQ(std::u16string_view(found->fontName), u"ＭＳ Ｐゴシック") << id;
        EXPECT_EQ(found->pointSize, 9) << id;
    }
    for (const auto& [id, caption] :
         {std::pair{IDD_INFO, u"Info"}, std::pair{IDD_INFO2, u"Info"}, std::pair{IDD_VERSION, u"Version"}})
        EXPECT_EQ(std::u16string_view(FindDialogTemplate(id)->caption), caption) << id;
}

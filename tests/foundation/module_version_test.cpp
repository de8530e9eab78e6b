#include "foundation/file_path.h"
#include "foundation/module_version.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

TEST(ModuleVersion, TheRunningProgramShowsItsCompiledInVersion)
{
    CString expected;
    expected.Format(u"%d.%d%d", TORVINA_VERSION_MAJOR, TORVINA_VERSION_MINOR, TORVINA_VERSION_PATCH);
    EXPECT_EQ(std::u16string(GetModuleVersion(GetModulePath()).View()), std::u16string(expected.View()));
}

TEST(ModuleVersion, OtherFilesHaveNone)
{
    TempFolder folder;
    WriteFileText(folder / "plain", "not a program");
    EXPECT_TRUE(GetModuleVersion(CString((folder / "plain").c_str())).IsEmpty());
    EXPECT_TRUE(GetModuleVersion(u"/nonexistent/program").IsEmpty());
    EXPECT_TRUE(GetModuleVersion(u"/bin/sh").IsEmpty());
    EXPECT_TRUE(GetModuleVersion(u"").IsEmpty());
}

TEST(ModuleVersion, ThisSystemIsXPOrLater) { EXPECT_TRUE(IsXPOrLater()); }

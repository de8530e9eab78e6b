#include "foundation/shell_open.h"
#include "platform/afx/cstring.h"
#include "platform/win/clock.h"
#include "platform/win/text.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace {

// A stand-in xdg-open first on PATH records the arguments it was given, one per line.
class ShellOpenTest : public ::testing::Test {
protected:
    ShellOpenTest()
        : m_path("PATH", (m_folder.Path() + ":" + std::getenv("PATH")).c_str()),
          m_record("FAKE_XDG_RECORD", (m_folder / "record").c_str())
    {
        WriteFileText(m_folder / "xdg-open",
                      "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$FAKE_XDG_RECORD.tmp\"\n"
                      "mv \"$FAKE_XDG_RECORD.tmp\" \"$FAKE_XDG_RECORD\"\n");
        chmod((m_folder / "xdg-open").c_str(), 0755);
    }

    std::string WaitForRecord() const
    {
        for (int i = 0; i < 1000 && !std::filesystem::exists(m_folder / "record"); ++i)
            Sleep(10);
        return ReadFileText(m_folder / "record");
    }

    TempFolder m_folder;
    ScopedEnv m_path;
    ScopedEnv m_record;
};

} // namespace

TEST_F(ShellOpenTest, ThePathReachesTheOpenerAsOneArgumentUntouched)
{
    const std::string path = m_folder.Path() + "/help \"file\" $(touch injected); rm -rf x `id` 'q'.chm";
    {
        std::u16string wide = Utf8ToUtf16(path);
        ASSERT_NE(ShellOpenAsync(wide.c_str()), nullptr);
        wide.assign(wide.size(), u'#'); // the caller's text may change at once
    }
    EXPECT_EQ(WaitForRecord(), path + "\n");
    EXPECT_FALSE(std::filesystem::exists(m_folder / "injected"));
}

TEST_F(ShellOpenTest, ANameLikeAnOptionIsPassedAsAPath)
{
    ASSERT_NE(ShellOpenAsync(u"--help"), nullptr);
    EXPECT_EQ(WaitForRecord(), "./--help\n");
}

TEST_F(ShellOpenTest, TheExploreWorkerOpensTheFolder)
{
    EXPECT_EQ(ShellExploreThreadProc(new CString(m_folder.Path().c_str())), 0u);
    EXPECT_EQ(WaitForRecord(), m_folder.Path() + "\n");
}

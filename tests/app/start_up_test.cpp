// The program's start-up when its settings files are not files: a named pipe in place of the
// registry file or "Setting.ini" is read as an unreadable file, never waited on.
#include "tests/app/player_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class NamedPipeSettingsTest : public PlayerFixture {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(Folder());
        for (const char* name : {"registry", "Setting.ini"})
            ASSERT_EQ(mkfifo((Folder() + "/" + name).c_str(), 0600), 0) << name;
        // A start-up blocked in open() ends this test program here instead of hanging the suite.
        alarm(60);
        PlayerFixture::SetUp();
        alarm(0);
    }

    std::string Folder() const { return m_config.Path() + "/torvina"; }

    bool IsPipe(const char* name) const
    {
        struct stat info {};
        return lstat((Folder() + "/" + name).c_str(), &info) == 0 && S_ISFIFO(info.st_mode);
    }
};

} // namespace

TEST_F(NamedPipeSettingsTest, TheWindowAppearsWithTheDefaultsAndThePipesStay)
{
    EXPECT_TRUE(m_frame->IsWindowVisible());
    EXPECT_EQ(m_doc->m_info.fps, 299700);
    EXPECT_EQ(m_doc->m_info.VOL, 100);

    m_frame->PostMessage(WM_CLOSE);
    alarm(60);
    EXPECT_EQ(RunProgram(), 0);
    alarm(0);
    EXPECT_TRUE(IsPipe("registry"));
    EXPECT_TRUE(IsPipe("Setting.ini"));
}

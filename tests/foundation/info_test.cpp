#include "foundation/file_path.h"
#include "foundation/info.h"
#include "platform/afx/app_profile.h"
#include "tests/support/cstring_printer.h"
#include "tests/support/registry_names.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr const char16_t* kData = u"Software\\Zarn\\Torvina\\DATA";

std::u16string Wide(const std::string& s) { return std::u16string(CString(s.c_str()).View()); }

class InfoTest : public ::testing::Test {
protected:
    InfoTest() : m_cwd(std::filesystem::current_path())
    {
        m_profile.SetRegistryKey(u"Zarn", u"Torvina");
        AfxSetAppProfile(&m_profile);
    }
    ~InfoTest() override
    {
        AfxSetAppProfile(nullptr);
        std::filesystem::current_path(m_cwd);
    }

    static std::u16string ProgramFolderTrimmed()
    {
        std::u16string folder = Text(GetModuleFolder());
        folder.pop_back();
        return folder;
    }
    static std::u16string CurrentDirectory() { return Wide(std::filesystem::current_path().string()); }

    TempConfigHome m_config;
    TempFolder m_folder;
    CAppProfile m_profile;
    std::filesystem::path m_cwd;
};

} // namespace

TEST_F(InfoTest, AFirstStartStoresTheDefaultsInSaveOrder)
{
    {
        CInfo info(FALSE);
        EXPECT_EQ(info.perfile, 1);
        EXPECT_EQ(info.quality, 100);
        EXPECT_EQ(info.WMV, 1);
        EXPECT_EQ(info.WMV8, 12);
        EXPECT_EQ(info.WMV7, 13);
        EXPECT_EQ(info.WMV4, 20);
        EXPECT_EQ(info.WMV2PASS, 0);
        EXPECT_TRUE(info.PRX.IsEmpty());
        EXPECT_EQ(info.fps, 299700);
        EXPECT_EQ(info.InterLaced, 0);
        EXPECT_EQ(info.VOL, 100);
        EXPECT_EQ(info.uwagaki, 0);
        EXPECT_EQ(Text(info.hozon), ProgramFolderTrimmed());
        EXPECT_EQ(CurrentDirectory(), ProgramFolderTrimmed());
    }
    EXPECT_EQ(RegistryValueNames(kData),
              (std::vector<std::u16string>{u"fps", u"InterLaced", u"quality", u"perfile", u"hozon", u"WMV", u"WMV4",
                                           u"WMV7", u"WMV8", u"WMV2PASS", u"PRX", u"VOL", u"uwagaki"}));
    EXPECT_EQ(Text(m_profile.GetProfileString(u"DATA", u"hozon")), ProgramFolderTrimmed());
    EXPECT_EQ(CInfo(TRUE).InterLaced, 0) << "the stored value wins over the flag";
}

TEST_F(InfoTest, TheInterlacedFlagChoosesTheDefault)
{
    CInfo info(TRUE);
    EXPECT_EQ(info.InterLaced, 3);
}

TEST_F(InfoTest, StoredValuesAreTakenAsStored)
{
    m_profile.WriteProfileInt(u"DATA", u"fps", 0);
    m_profile.WriteProfileInt(u"DATA", u"WMV", 7);
    m_profile.WriteProfileInt(u"DATA", u"VOL", 55);
    m_profile.WriteProfileInt(u"DATA", u"uwagaki", 2);
    m_profile.WriteProfileString(u"DATA", u"PRX", u"/profiles/my.prx");
    m_profile.WriteProfileString(u"data", u"WMV8", u"not a number"); // another type: the default
    CInfo info(FALSE);
    EXPECT_EQ(info.fps, 0);
    EXPECT_EQ(info.WMV, 7);
    EXPECT_EQ(info.VOL, 55);
    EXPECT_EQ(info.uwagaki, 2);
    EXPECT_EQ(Text(info.PRX), u"/profiles/my.prx");
    EXPECT_EQ(info.WMV8, 12);
    // Load writes the record back, so the value of the wrong type is replaced at once.
    EXPECT_EQ(static_cast<int>(m_profile.GetProfileInt(u"DATA", u"WMV8", -1)), 12);
}

TEST_F(InfoTest, AMissingVolAndUwagakiGiveTheirConstantsWhateverTheRecordHeld)
{
    CInfo info(FALSE);
    info.VOL = 5;
    info.uwagaki = 2;
    info.fps = 150000;
    m_profile.SetRegistryKey(u"Other", u"Torvina");
    info.Load();
    EXPECT_EQ(info.VOL, 100);
    EXPECT_EQ(info.uwagaki, 0);
    EXPECT_EQ(info.fps, 150000) << "other keys default to the current value";
    EXPECT_EQ(static_cast<int>(m_profile.GetProfileInt(u"DATA", u"fps", 0)), 150000);
    m_profile.SetRegistryKey(u"Zarn", u"Torvina");
}

TEST_F(InfoTest, TheFolderRuleKeepsOnlyExistingFoldersNamedWithoutASlash)
{
    const std::string folder = m_folder / "out put";
    std::filesystem::create_directory(folder);
    WriteFileText(m_folder / "a file", "x");
    struct Case {
        std::string stored;
        std::u16string expected;
    };
    const Case cases[] = {
        {folder, Wide(folder)},
        {folder + "/", ProgramFolderTrimmed()},
        {m_folder / "deleted", ProgramFolderTrimmed()},
        {m_folder / "a file", ProgramFolderTrimmed()},
        {"", ProgramFolderTrimmed()},
    };
    for (const Case& c : cases) {
        m_profile.WriteProfileString(u"DATA", u"hozon", Wide(c.stored).c_str());
        {
            CInfo info(FALSE);
            EXPECT_EQ(Text(info.hozon), c.expected) << c.stored;
            EXPECT_EQ(CurrentDirectory(), c.expected) << c.stored;
        }
        EXPECT_EQ(Text(m_profile.GetProfileString(u"DATA", u"hozon")), c.expected) << c.stored;
    }
    EXPECT_FALSE(std::filesystem::exists(m_folder / "deleted")) << "a missing folder is not recreated";
}

TEST_F(InfoTest, DestructionTrimsTheFolderAndMakesItCurrent)
{
    const std::string folder = m_folder / "target";
    std::filesystem::create_directory(folder);
    {
        CInfo info(FALSE);
        info.hozon = Wide(folder + "//").c_str();
        info.WMV2PASS = 1;
    }
    EXPECT_EQ(Text(m_profile.GetProfileString(u"DATA", u"hozon")), Wide(folder));
    EXPECT_EQ(static_cast<int>(m_profile.GetProfileInt(u"DATA", u"WMV2PASS", 0)), 1);
    EXPECT_EQ(CurrentDirectory(), Wide(folder));
}

TEST_F(InfoTest, CheckFolderAndSaveReportsAReplacement)
{
    CInfo info(FALSE);
    EXPECT_TRUE(info.CheckFolderAndSave());
    info.hozon = Wide(m_folder / "gone").c_str();
    EXPECT_FALSE(info.CheckFolderAndSave());
    EXPECT_EQ(Text(info.hozon), Text(GetModuleFolder())) << "the replacement keeps its slash until the next check";
}

TEST_F(InfoTest, AssignmentCopiesEveryValueAndWritesNothing)
{
    CInfo source(FALSE);
    source.hozon = u"/somewhere";
    source.perfile = 2;
    source.quality = 3;
    source.WMV = 4;
    source.WMV8 = 5;
    source.WMV7 = 6;
    source.WMV4 = 7;
    source.WMV2PASS = 1;
    source.PRX = u"/p.prx";
    source.fps = 8;
    source.InterLaced = 2;
    source.VOL = 9;
    source.uwagaki = 1;
    CInfo target(FALSE);
    const std::string before = ReadFileText(m_config.RegistryFile());
    const std::filesystem::path cwd = std::filesystem::current_path();
    target = source;
    EXPECT_EQ(ReadFileText(m_config.RegistryFile()), before);
    EXPECT_EQ(std::filesystem::current_path(), cwd);
    EXPECT_EQ(Text(target.hozon), u"/somewhere");
    EXPECT_EQ(target.perfile, 2);
    EXPECT_EQ(target.quality, 3);
    EXPECT_EQ(target.WMV, 4);
    EXPECT_EQ(target.WMV8, 5);
    EXPECT_EQ(target.WMV7, 6);
    EXPECT_EQ(target.WMV4, 7);
    EXPECT_EQ(target.WMV2PASS, 1);
    EXPECT_EQ(Text(target.PRX), u"/p.prx");
    EXPECT_EQ(target.fps, 8);
    EXPECT_EQ(target.InterLaced, 2);
    EXPECT_EQ(target.VOL, 9);
    EXPECT_EQ(target.uwagaki, 1);
    source.hozon = target.hozon = GetModuleFolder(); // both destructors check a real folder
}

TEST_F(InfoTest, ErrorNumbersAdjustTheTwoPassChoiceOnly)
{
    struct Case {
        int error;
        int before;
        int after;
    };
    const Case cases[] = {{814, 0, 1}, {814, 1, 1}, {810, 1, 0}, {3005, 1, 0}, {601, 1, 1},
                          {601, 0, 0}, {0, 1, 1},   {813, 0, 0}, {3004, 1, 1}};
    CInfo info(FALSE);
    for (const Case& c : cases) {
        info.WMV2PASS = c.before;
        info.ApplyErrorNumber(c.error);
        EXPECT_EQ(info.WMV2PASS, c.after) << c.error;
    }
    info.WMV2PASS = 0;
    info.ApplyErrorNumber(814);
    EXPECT_EQ(static_cast<int>(m_profile.GetProfileInt(u"DATA", u"WMV2PASS", -1)), 0) << "not saved until later";
}

TEST_F(InfoTest, WithoutAProfileTheRecordStillChecksItsFolder)
{
    AfxSetAppProfile(nullptr);
    CInfo info(FALSE);
    EXPECT_EQ(info.fps, 299700);
    EXPECT_EQ(Text(info.hozon), ProgramFolderTrimmed());
}

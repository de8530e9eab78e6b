#include "foundation/file_system.h"

#include "tests/support/cstring_printer.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class FileSystem : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.Valid());
        dir.WriteFile(u"file.txt", 1);
        dir.MakeFolder(u"folder");
    }

    TempDir dir;
};

bool IsRoot() { return geteuid() == 0; }

} // namespace

TEST_F(FileSystem, ExistenceOfFilesAndFolders)
{
    struct Case {
        CString path;
        BOOL file;
        BOOL folder;
    };
    const Case cases[] = {
        {dir.Path(u"file.txt"), TRUE, FALSE},
        {dir.Path(u"folder"), TRUE, TRUE},
        {dir.Path(u"folder/"), TRUE, FALSE}, // the search refuses a trailing separator
        {dir.Path(u"missing"), FALSE, FALSE},
        {dir.Path(u"FOLDER"), FALSE, FALSE},
        {u"", FALSE, FALSE},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FileExists(c.path), c.file) << testing::PrintToString(c.path);
        EXPECT_EQ(FolderExists(c.path), c.folder) << testing::PrintToString(c.path);
    }
}

TEST_F(FileSystem, DeleteExistingFileClearsReadOnly)
{
    const fs::path file = dir.Native() + "/file.txt";
    fs::permissions(file, fs::perms::owner_read);
    EXPECT_EQ(DeleteExistingFile(dir.Path(u"file.txt")), 0);
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(DeleteExistingFile(dir.Path(u"file.txt")), 0); // no such file any more
}

TEST_F(FileSystem, DeleteExistingFileReportsAFolderAndKeepsIt)
{
    EXPECT_EQ(DeleteExistingFile(dir.Path(u"folder")), 1);
    EXPECT_TRUE(fs::is_directory(dir.Native() + "/folder"));
}

TEST_F(FileSystem, DeleteExistingFileReportsAProtectedFileAndKeepsIt)
{
    if (IsRoot())
        GTEST_SKIP() << "permissions do not bind root";
    dir.WriteFile(u"folder/kept.avi", 1);
    fs::permissions(dir.Native() + "/folder", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(DeleteExistingFile(dir.Path(u"folder/kept.avi")), 1);
    EXPECT_TRUE(fs::exists(dir.Native() + "/folder/kept.avi"));
}

TEST_F(FileSystem, CreateFolderPathMakesEveryMissingLevel)
{
    EXPECT_EQ(CreateFolderPath(dir.Path(u"a/b/c")), TRUE);
    EXPECT_TRUE(fs::is_directory(dir.Native() + "/a/b/c"));
    EXPECT_EQ(CreateFolderPath(dir.Path(u"a/b/c")), TRUE); // already there
    EXPECT_EQ(CreateFolderPath(dir.Path(u"d/e/")), TRUE);
    EXPECT_TRUE(fs::is_directory(dir.Native() + "/d/e"));
    EXPECT_EQ(CreateFolderPath(dir.Path(u"file.txt/sub")), FALSE); // under a file
    EXPECT_FALSE(FileExists(dir.Path(u"file.txt/sub")));
}

TEST_F(FileSystem, LongFolderPaths)
{
    CString path = dir.Path();
    for (int i = 0; i < 10; ++i)
        path += CString(u"/") + CString(static_cast<WCHAR>(u'a' + i), 90);
    ASSERT_GT(path.GetLength(), 520);
    EXPECT_EQ(CreateFolderPath(path), TRUE);
    EXPECT_EQ(FolderExists(path), TRUE);
    const CString file = path + u"/out.wmv";
    dir.WriteFile(std::u16string(file.View().substr(dir.Path().GetLength() + 1)), 8);
    EXPECT_EQ(FileExists(file), TRUE);
    EXPECT_EQ(DeleteExistingFile(file), 0);
    EXPECT_EQ(FileExists(file), FALSE);
}

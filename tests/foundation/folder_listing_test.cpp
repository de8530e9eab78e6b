#include "foundation/folder_listing.h"

#include "foundation/file_system.h"
#include "platform/win/text.h"

#include "tests/support/cstring_printer.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>

namespace {

std::map<std::u16string, ULONGLONG> FilesOf(const CArray<CFileData>& files)
{
    std::map<std::u16string, ULONGLONG> result;
    for (const CFileData& f : files)
        result[std::u16string(f.path.View())] = f.length;
    return result;
}

std::set<std::u16string> FoldersOf(const CStringArray& folders)
{
    std::set<std::u16string> result;
    for (const CString& f : folders)
        result.insert(std::u16string(f.View()));
    return result;
}

class FolderListing : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.Valid());
        dir.WriteFile(u"a.jpg", 3);
        dir.WriteFile(u"photo.JPG", 10);
        dir.WriteFile(u".hidden.jpg", 1);
        dir.WriteFile(u"b.png", 5);
        dir.WriteFile(u"c.jpeg", 5);
        dir.MakeFolder(u"x.jpg");
        dir.MakeFolder(u"sub");
        dir.WriteFile(u"sub/deep.jpg", 2);
    }

    std::u16string At(const char16_t* name) const { return std::u16string(dir.Path(name).View()); }

    TempDir dir;
    CArray<CFileData> files;
    CStringArray folders;
};

} // namespace

TEST_F(FolderListing, MatchesWithoutRegardToCaseAndSeparatesFolders)
{
    for (const CString& folder : {dir.Path(), dir.Path() + u"/", dir.Path() + u"///"}) {
        EnumerateFolder(files, folders, folder, u"/*.jpg");
        const std::map<std::u16string, ULONGLONG> expected = {
            {At(u"a.jpg"), 3}, {At(u"photo.JPG"), 10}, {At(u".hidden.jpg"), 1}};
        EXPECT_EQ(FilesOf(files), expected) << testing::PrintToString(folder);
        EXPECT_EQ(FoldersOf(folders), std::set<std::u16string>{At(u"x.jpg")});
    }
    EnumerateFolder(files, folders, dir.Path(), u"/*.JPG");
    EXPECT_EQ(files.GetSize(), 3);
}

TEST_F(FolderListing, SkipsTheDotEntriesAndDoesNotDescend)
{
    EnumerateFolder(files, folders, dir.Path(), u"/*");
    EXPECT_EQ(files.GetSize(), 5);
    EXPECT_EQ(FoldersOf(folders), (std::set<std::u16string>{At(u"x.jpg"), At(u"sub")}));
}

TEST_F(FolderListing, MissingFolderEmptiesBothArrays)
{
    EnumerateFolder(files, folders, dir.Path(), u"/*");
    ASSERT_FALSE(files.IsEmpty());
    EnumerateFolder(files, folders, dir.Path(u"missing"), u"/*.jpg");
    EXPECT_TRUE(files.IsEmpty());
    EXPECT_TRUE(folders.IsEmpty());
    EnumerateFolder(files, folders, dir.Path(u"a.jpg"), u"/*.jpg"); // a file, not a folder
    EXPECT_TRUE(files.IsEmpty());
    EnumerateFolder(files, folders, dir.Path(), u"/*.tif"); // no match
    EXPECT_TRUE(files.IsEmpty());
    EXPECT_TRUE(folders.IsEmpty());
}

TEST_F(FolderListing, LongPathsAreListedWhole)
{
    std::u16string relative;
    for (int i = 0; i < 8; ++i)
        relative += (i ? u"/" : u"") + std::u16string(80, u'a' + i);
    dir.MakeFolder(relative);
    dir.WriteFile(relative + u"/Frame0001.JPG", 4);
    const CString folder = dir.Path(relative.c_str());
    ASSERT_GT(folder.GetLength(), 520);
    EnumerateFolder(files, folders, folder, u"/*.jpg");
    ASSERT_EQ(files.GetSize(), 1);
    EXPECT_EQ(files[0].path, folder + u"/Frame0001.JPG");
    EXPECT_EQ(files[0].length, 4u);
}

TEST_F(FolderListing, RootGetsOneSeparator)
{
    EnumerateFolder(files, folders, u"/", u"/tmp");
    EXPECT_EQ(FoldersOf(folders), std::set<std::u16string>{u"/tmp"});
}

TEST_F(FolderListing, NamesThatAreNotUtf8CanBeOpenedFromTheListing)
{
    const std::string latin1 = dir.Native() + "/caf\xE9.jpg";
    {
        std::FILE* f = std::fopen(latin1.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fputs("12345", f);
        std::fclose(f);
    }
    EnumerateFolder(files, folders, dir.Path(), u"/caf*.jpg");
    ASSERT_EQ(files.GetSize(), 1);
    EXPECT_EQ(files[0].length, 5u);
    EXPECT_EQ(Utf16ToUtf8(files[0].path.View()), latin1);
    EXPECT_TRUE(FileExists(files[0].path));
}

#include "platform/win/error_codes.h"
#include "platform/win/file.h"

#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

TEST(Wildcard, MatchesWithoutRegardToCase)
{
    struct Case {
        const char16_t* name;
        const char16_t* pattern;
        bool matches;
    };
    const Case cases[] = {
        {u"photo.JPG", u"*.jpg", true},
        {u"photo.jpg", u"*.JPG", true},
        {u"photo.jpeg", u"*.jpg", false},
        {u"photo.jpg.bak", u"*.jpg", false},
        {u".jpg", u"*.jpg", true},
        {u"a.jpg", u"?.jpg", true},
        {u"ab.jpg", u"?.jpg", false},
        {u"anything", u"*", true},
        {u"noext", u"*.*", true},
        {u"VIDEO_TS.VOB", u"*.vob", true},
        {u"ÄBC.jpg", u"äbc.JPG", true},
        {u"写真.JPG", u"写*.jpg", true},
        {u"aaa", u"*a*a*a*", true},
        {u"aa", u"*a*a*a*", false},
        {u"", u"*", true},
        {u"x", u"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchesWildcard(c.name, c.pattern), c.matches)
            << Utf16ToUtf8(c.name) << " ~ " << Utf16ToUtf8(c.pattern);
}

TEST(FindFile, ListsMatchesWithTheirAttributes)
{
    TempDir dir;
    ASSERT_TRUE(dir.Valid());
    dir.WriteFile(u"Big.JPG", 70000);
    dir.MakeFolder(u"sub");
    WIN32_FIND_DATAW data{};
    const CString pattern = dir.Path(u"*");
    HANDLE search = FindFirstFileW(pattern, &data);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    std::set<std::u16string> names;
    do {
        names.insert(data.cFileName);
        if (std::u16string_view(data.cFileName) == u"Big.JPG") {
            EXPECT_EQ(data.nFileSizeLow, 70000u);
            EXPECT_FALSE(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
        }
        if (std::u16string_view(data.cFileName) == u"sub") {
            EXPECT_TRUE(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
        }
    } while (FindNextFileW(search, &data));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
    EXPECT_TRUE(FindClose(search));
    EXPECT_EQ(names, (std::set<std::u16string>{u".", u"..", u"Big.JPG", u"sub"}));

    // A name without wildcards is one exact entry; a trailing separator finds nothing.
    search = FindFirstFileW(dir.Path(u"sub"), &data);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(FindNextFileW(search, &data));
    FindClose(search);
    EXPECT_EQ(FindFirstFileW(dir.Path(u"sub/"), &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(FindFirstFileW(dir.Path(u"missing/*"), &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(FindFirstFileW(u"", &data), INVALID_HANDLE_VALUE);
}

TEST(FileAttributes, ReadOnlyFollowsTheWritePermission)
{
    TempDir dir;
    ASSERT_TRUE(dir.Valid());
    dir.WriteFile(u"f.bin", 12);
    const CString file = dir.Path(u"f.bin");
    EXPECT_EQ(GetFileAttributesW(file), FILE_ATTRIBUTE_ARCHIVE);
    ASSERT_TRUE(SetFileAttributesW(file, FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(GetFileAttributesW(file), FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(SetFileAttributesW(file, FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_EQ(GetFileAttributesW(file), FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_EQ(GetFileAttributesW(dir.Path(u"missing")), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST(FileOperations, DeleteRefusesFoldersAndCreateReportsExisting)
{
    TempDir dir;
    ASSERT_TRUE(dir.Valid());
    EXPECT_TRUE(CreateDirectoryW(dir.Path(u"new"), nullptr));
    EXPECT_FALSE(CreateDirectoryW(dir.Path(u"new"), nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_FALSE(DeleteFileW(dir.Path(u"new")));
    EXPECT_TRUE(std::filesystem::is_directory(dir.Native() + "/new"));
    dir.WriteFile(u"gone.txt");
    EXPECT_TRUE(DeleteFileW(dir.Path(u"gone.txt")));
    EXPECT_FALSE(PathFileExistsW(dir.Path(u"gone.txt")));
}

TEST(ModuleFileName, CutsOnlyWhenTheBufferIsTooSmall)
{
    const std::u16string expected = std::filesystem::read_symlink("/proc/self/exe").u16string();
    WCHAR full[4096];
    EXPECT_EQ(GetModuleFileNameW(nullptr, full, 4096), expected.size());
    EXPECT_EQ(std::u16string(full), expected);
    WCHAR small[5];
    EXPECT_EQ(GetModuleFileNameW(nullptr, small, 5), 5u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(std::u16string(small), expected.substr(0, 4));
}

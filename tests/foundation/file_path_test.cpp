#include "foundation/file_path.h"

#include "tests/support/cstring_printer.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(FilePath, SplitsIntoItsParts)
{
    struct Case {
        const char16_t* path;
        const char16_t* directory;
        const char16_t* baseName;
        const char16_t* extension;
        const char16_t* fileName;
    };
    const Case cases[] = {
        {u"/dir/sub/name.ext", u"/dir/sub/", u"name", u".ext", u"name.ext"},
        {u"a.b.TIF", u"", u"a.b", u".tif", u"a.b.tif"},
        {u"/dir.d/name", u"/dir.d/", u"name", u"", u"name"},
        {u".JPG", u"", u"", u".jpg", u".jpg"},
        {u"/x/Frame01.PNG", u"/x/", u"Frame01", u".png", u"Frame01.png"},
        {u"/photos/Photo.JPG", u"/photos/", u"Photo", u".jpg", u"Photo.jpg"},
        {u"/x/y.bmp", u"/x/", u"y", u".bmp", u"y.bmp"},
        {u"y.bmp", u"", u"y", u".bmp", u"y.bmp"},
        {u"/x/name.", u"/x/", u"name", u".", u"name."},
        {u"/x/", u"/x/", u"", u"", u""},
        {u"/", u"/", u"", u"", u""},
        {u"", u"", u"", u"", u""},
        {u"/写真/ＡＢ.ÄÖ", u"/写真/", u"ＡＢ", u".ÄÖ", u"ＡＢ.ÄÖ"}, // only A to Z are lower-cased
        {u"/a\\b.JPG", u"/", u"a\\b", u".jpg", u"a\\b.jpg"}, // a backslash is part of a name
    };
    for (const Case& c : cases) {
        const CString path(c.path);
        EXPECT_EQ(GetPathDirectory(path), CString(c.directory)) << testing::PrintToString(path);
        EXPECT_EQ(GetPathFolder(path), CString(c.directory)) << testing::PrintToString(path);
        EXPECT_EQ(GetPathBaseName(path), CString(c.baseName)) << testing::PrintToString(path);
        EXPECT_EQ(GetPathExtension(path), CString(c.extension)) << testing::PrintToString(path);
        EXPECT_EQ(GetPathFileName(path), CString(c.fileName)) << testing::PrintToString(path);
        EXPECT_TRUE(GetPathDrive(path).IsEmpty());
    }
}

TEST(FilePath, TrimsTrailingSeparatorsButKeepsTheRoot)
{
    struct Case {
        const char16_t* path;
        const char16_t* trimmed;
    };
    const Case cases[] = {
        {u"/x///", u"/x"}, {u"/x", u"/x"}, {u"/", u"/"}, {u"///", u"/"}, {u"", u""}, {u"x/", u"x"}, {u"/x\\", u"/x\\"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TrimTrailingBackslash(c.path), CString(c.trimmed)) << testing::PrintToString(CString(c.path));
}

TEST(FilePath, LongPathsAreNeverCut)
{
    CString folder;
    for (int i = 0; i < 12; ++i)
        folder += CString(u"/") + CString(u'd', 60);
    const CString path = folder + u"/" + CString(u'n', 300) + u".JPG";
    ASSERT_GT(path.GetLength(), 1000);
    EXPECT_EQ(GetPathFolder(path), folder + u"/");
    EXPECT_EQ(GetPathBaseName(path), CString(u'n', 300));
    EXPECT_EQ(GetPathFileName(path), CString(u'n', 300) + u".jpg");
    EXPECT_EQ(TrimTrailingBackslash(folder + u"//"), folder);
}

TEST(FilePath, ModulePathIsTheRunningExecutable)
{
    const CString expected(std::filesystem::read_symlink("/proc/self/exe").u16string());
    EXPECT_EQ(GetModulePath(), expected);
    EXPECT_EQ(GetModuleFolder(), GetPathDirectory(expected));
    EXPECT_EQ(GetModuleFolder().Right(1), CString(u"/"));
}

TEST(FilePath, CopyToStringReplacesTheText)
{
    CString out(u"old");
    CopyToString(u"Motion JPEG コーデック", out);
    EXPECT_EQ(out, CString(u"Motion JPEG コーデック"));
    CopyToString(nullptr, out);
    EXPECT_TRUE(out.IsEmpty());
}

#include "platform/afx/carray.h"
#include "platform/afx/cfile.h"
#include "platform/afx/cfilefind.h"

#include "tests/support/cstring_printer.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <set>

TEST(CFileFind, EveryMatchIsHandledAfterItsAdvance)
{
    TempDir dir;
    ASSERT_TRUE(dir.Valid());
    for (const char16_t* name : {u"1.png", u"2.PNG", u"3.png"})
        dir.WriteFile(name, 2);
    CFileFind finder;
    std::set<std::u16string> paths;
    BOOL more = finder.FindFile(dir.Path(u"*.png"));
    while (more) {
        more = finder.FindNextFile();
        paths.insert(std::u16string(finder.GetFilePath().View()));
        EXPECT_EQ(finder.GetLength(), 2u);
        EXPECT_FALSE(finder.IsDirectory());
    }
    EXPECT_EQ(paths, (std::set<std::u16string>{std::u16string(dir.Path(u"1.png").View()),
                                               std::u16string(dir.Path(u"2.PNG").View()),
                                               std::u16string(dir.Path(u"3.png").View())}));
    EXPECT_FALSE(finder.FindFile(dir.Path(u"*.bmp")));
    EXPECT_FALSE(finder.FindNextFile());
}

TEST(CFile, StatusAndRemoveReportFileErrors)
{
    TempDir dir;
    ASSERT_TRUE(dir.Valid());
    dir.WriteFile(u"a.avi", 9);
    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(dir.Path(u"a.avi"), status));
    EXPECT_EQ(status.m_size, 9u);
    EXPECT_FALSE(CFile::GetStatus(dir.Path(u"missing"), status));

    CFile::Remove(dir.Path(u"a.avi"));
    try {
        CFile::Remove(dir.Path(u"a.avi"));
        ADD_FAILURE() << "removing a missing file must throw";
    } catch (CFileException* e) {
        EXPECT_EQ(e->m_cause, CFileException::fileNotFound);
        EXPECT_EQ(e->m_strFileName, dir.Path(u"a.avi"));
        e->Delete();
    }
}

TEST(CObject, RuntimeClassesFollowTheirBases)
{
    CStringArray strings;
    EXPECT_TRUE(strings.IsKindOf(RUNTIME_CLASS(CStringArray)));
    EXPECT_TRUE(strings.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(strings.IsKindOf(RUNTIME_CLASS(CFile)));
    CFileException* e = new CFileException(CFileException::accessDenied);
    EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CException)));
    EXPECT_STREQ(e->GetRuntimeClass()->m_lpszClassName, "CFileException");
    e->Delete();
    try {
        AfxThrowMemoryException();
    } catch (CMemoryException* m) {
        m->Delete(); // the shared one stays
        EXPECT_TRUE(m->IsKindOf(RUNTIME_CLASS(CMemoryException)));
    }
}

#include "platform/afx/carray.h"

#include <gtest/gtest.h>

TEST(CStringArray, AddInsertRemove)
{
    CStringArray a;
    EXPECT_EQ(a.Add(u"b"), 0);
    EXPECT_EQ(a.Add(CString(u"c")), 1);
    a.InsertAt(0, u"a");
    ASSERT_EQ(a.GetSize(), 3);
    EXPECT_TRUE(a[0] == u"a");
    EXPECT_TRUE(a.GetAt(2) == u"c");
    a.RemoveAt(1);
    EXPECT_TRUE(a[1] == u"c");
    a.RemoveAt(5); // out of range: nothing
    EXPECT_EQ(a.GetUpperBound(), 1);
    a.RemoveAll();
    EXPECT_TRUE(a.IsEmpty());
}

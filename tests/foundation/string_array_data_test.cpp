#include "foundation/string_array_data.h"

#include "tests/support/cstring_printer.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

CStringArrayData Make(std::initializer_list<const char16_t*> items)
{
    CStringArrayData a;
    for (const char16_t* s : items)
        a.Add(CString(s));
    return a;
}

std::vector<std::u16string> Items(const CStringArray& a)
{
    std::vector<std::u16string> out;
    for (const CString& s : a)
        out.emplace_back(s.View());
    return out;
}

// Passes of SwapIfGreater until one exchanges nothing: the order BubbleSort must give.
void ExchangePasses(CStringArrayData& a)
{
    for (bool swapped = true; swapped;) {
        swapped = false;
        for (int i = 0; i + 1 < a.GetSize(); ++i)
            swapped = a.SwapIfGreater(i) || swapped;
    }
}

} // namespace

TEST(StringArrayData, BubbleSortIsStableWithoutRegardToCase)
{
    struct Case {
        std::initializer_list<const char16_t*> input;
        std::vector<std::u16string> sorted;
    };
    const Case cases[] = {
        {{u"b.jpg", u"A.jpg", u"a.JPG", u"D.jpg"}, {u"A.jpg", u"a.JPG", u"b.jpg", u"D.jpg"}},
        {{u"Z.png", u"^x.png", u"a.png"}, {u"^x.png", u"a.png", u"Z.png"}},
        {{u"/p/img_2.jpg", u"/p/IMG1.jpg", u"/p/img.jpg"}, {u"/p/img.jpg", u"/p/IMG1.jpg", u"/p/img_2.jpg"}},
        {{u"é.jpg", u"É.jpg", u"f.jpg"}, {u"f.jpg", u"É.jpg", u"é.jpg"}}, // by code unit beyond A to Z
        {{u"ab", u"a"}, {u"a", u"ab"}},
        {{u"x"}, {u"x"}},
        {{}, {}},
    };
    for (const Case& c : cases) {
        CStringArrayData a = Make(c.input);
        a.BubbleSort();
        EXPECT_EQ(Items(a), c.sorted);
    }
}

TEST(StringArrayData, BubbleSortEqualsTheExchangePassOrder)
{
    // Many names that differ only in case, so stability decides most of the order.
    std::mt19937 random(7);
    const char16_t* stems[] = {u"a", u"A", u"b", u"B", u"_", u"^", u"ab", u"AB", u"a_b", u"写"};
    for (int round = 0; round < 20; ++round) {
        CStringArrayData a;
        for (int i = 0; i < 200; ++i)
            a.Add(CString(stems[random() % std::size(stems)]) + CString(stems[random() % std::size(stems)]));
        CStringArrayData expected(a);
        ExchangePasses(expected);
        a.BubbleSort();
        ASSERT_EQ(Items(a), Items(expected)) << "round " << round;
    }
}

TEST(StringArrayData, SwapIfGreaterOnlyExchangesGreaterNeighbours)
{
    CStringArrayData a = Make({u"B", u"a", u"A"});
    EXPECT_TRUE(a.SwapIfGreater(0));
    EXPECT_EQ(Items(a), (std::vector<std::u16string>{u"a", u"B", u"A"}));
    EXPECT_TRUE(a.SwapIfGreater(1));
    EXPECT_FALSE(a.SwapIfGreater(0)); // a and A are equal: no exchange
    EXPECT_FALSE(a.SwapIfGreater(2)); // no element 3
    EXPECT_FALSE(a.SwapIfGreater(-1));
    EXPECT_EQ(Items(a), (std::vector<std::u16string>{u"a", u"A", u"B"}));
}

TEST(StringArrayData, SortInsertsEqualElementsInFront)
{
    CStringArrayData a = Make({u"b.jpg", u"A.jpg", u"a.JPG", u"D.jpg"});
    a.Sort();
    EXPECT_EQ(Items(a), (std::vector<std::u16string>{u"a.JPG", u"A.jpg", u"b.jpg", u"D.jpg"}));

    std::mt19937 random(3);
    CStringArrayData many;
    for (int i = 0; i < 300; ++i)
        many.Add(CString(static_cast<WCHAR>(u'a' + random() % 26), 1 + static_cast<int>(random() % 3)));
    many.Sort();
    ASSERT_EQ(many.GetSize(), 300);
    for (int i = 0; i + 1 < many.GetSize(); ++i)
        EXPECT_LE(many[i].CompareNoCase(many[i + 1]), 0) << i;
}

TEST(StringArrayData, FindInSortedOrder)
{
    EXPECT_EQ(CStringArrayData().Find(u"x"), -1);
    CStringArrayData one = Make({u"Photo.jpg"});
    EXPECT_EQ(one.Find(u"PHOTO.JPG"), 0);
    EXPECT_EQ(one.Find(u"photo.png"), -1);
    CStringArrayData two = Make({u"x", u"y"});
    EXPECT_EQ(two.Find(u"y"), 1);
    EXPECT_EQ(two.Find(u"X"), 0);

    CStringArrayData letters = Make({u"b", u"d", u"f", u"h", u"j", u"l", u"n"});
    for (int i = 0; i < letters.GetSize(); ++i)
        EXPECT_EQ(letters.Find(letters[i]), i);
    for (const char16_t* missing : {u"a", u"c", u"m", u"o", u""})
        EXPECT_EQ(letters.Find(missing), -1);
}

TEST(StringArrayData, CopyReplacesEverything)
{
    CStringArrayData target = Make({u"1", u"2", u"3", u"4", u"5"});
    CStringArray source;
    for (const char16_t* s : {u"c", u"a", u"b"})
        source.Add(CString(s));
    target.Copy(source);
    EXPECT_EQ(Items(target), (std::vector<std::u16string>{u"c", u"a", u"b"}));
    target.Copy(target);
    EXPECT_EQ(target.GetSize(), 3);
    EXPECT_TRUE(target.IsKindOf(RUNTIME_CLASS(CStringArray)));
}

TEST(StringArrayData, ConstructingFromAStringArrayCopiesItsItemsInOrder)
{
    CStringArray source;
    for (const char16_t* s : {u"b.jpg", u"A.jpg", u"b.jpg"})
        source.Add(CString(s));
    const CStringArrayData copy(source);
    source.RemoveAll();
    EXPECT_EQ(Items(copy), (std::vector<std::u16string>{u"b.jpg", u"A.jpg", u"b.jpg"}));
}

#include "foundation/mem_buff.h"

#include <gtest/gtest.h>

TEST(MemBuff, EmptyConstruction)
{
    for (int count : {0, -1, -100}) {
        CMemBuffBase<unsigned char> b(count);
        EXPECT_EQ(b.GetData(), nullptr);
        EXPECT_EQ(b.GetCount(), 0);
        EXPECT_EQ(b.GetByteSize(), 0);
    }
}

TEST(MemBuff, AllocKeepsContentsAndReusesSameCount)
{
    CMemBuffBase<unsigned int> b(3);
    unsigned int* first = b.GetData();
    ASSERT_NE(first, nullptr);
    first[0] = 11;
    first[1] = 22;
    first[2] = 33;
    EXPECT_EQ(b.Alloc(3), first);
    EXPECT_EQ(b.GetData()[2], 33u);
    unsigned int* grown = b.Alloc(1000);
    ASSERT_NE(grown, nullptr);
    EXPECT_EQ(grown[0], 11u);
    EXPECT_EQ(grown[2], 33u);
    EXPECT_EQ(b.GetCount(), 1000);
}

TEST(MemBuff, AllocZeroKeepsBlockButReportsNoElements)
{
    CMemBuffBase<unsigned char> b(8);
    b.Alloc(0);
    EXPECT_NE(b.GetData(), nullptr);
    EXPECT_EQ(b.GetCount(), 0);
    EXPECT_EQ(b.FillAll(0), TRUE); // fills zero elements
    EXPECT_EQ(b.Fill(0, 1), FALSE);
    ASSERT_NE(b.Alloc(5), nullptr);
    EXPECT_EQ(b.GetCount(), 5);
    b.Free();
    EXPECT_EQ(b.GetData(), nullptr);
    EXPECT_EQ(b.GetCount(), 0);
}

TEST(MemBuff, GetBufferNeverShrinks)
{
    CMemBuffBase<char> b(10);
    char* block = b.GetData();
    EXPECT_EQ(b.GetBuffer(4), block);
    EXPECT_EQ(b.GetCount(), 10);
    ASSERT_NE(b.GetBuffer(20), nullptr);
    EXPECT_EQ(b.GetCount(), 20);
}

TEST(MemBuff, FillIsBytewiseAndBounded)
{
    CMemBuffBase<unsigned int> b(4);
    ASSERT_EQ(b.FillAll(0x1FF), TRUE);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(b.GetData()[i], 0xFFFFFFFFu);
    b.FillAll(1);
    EXPECT_EQ(b.GetData()[0], 0x01010101u);
    EXPECT_EQ(b.Fill(7, 5), FALSE);
    EXPECT_EQ(b.GetData()[3], 0x01010101u);
    EXPECT_EQ(b.Fill(0, 4), TRUE);
    CMemBuffBase<unsigned int> empty;
    EXPECT_EQ(empty.FillAll(0), FALSE);
}

TEST(MemBuff, CopyFromReplacesLeadingElementsOnly)
{
    CMemBuffBase<int> small(3);
    CMemBuffBase<int> big(5);
    for (int i = 0; i < 3; ++i)
        small.GetData()[i] = i + 1;
    for (int i = 0; i < 5; ++i)
        big.GetData()[i] = 9;
    ASSERT_EQ(big.CopyFrom(small), TRUE);
    const int expected[] = {1, 2, 3, 9, 9};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(big.GetData()[i], expected[i]);
    EXPECT_EQ(small.CopyFrom(big), FALSE); // five into three
    CMemBuffBase<int> empty;
    EXPECT_EQ(empty.CopyFrom(small), FALSE);
    EXPECT_EQ(empty.Copy(small.GetData(), 0), FALSE);
    EXPECT_EQ(CMemBuffBase<int>::CopyElements(nullptr, small.GetData(), 1), FALSE);
}

TEST(MemBuff, ByteSizes)
{
    EXPECT_EQ(CMemBuffBase<WCHAR>(10).GetByteSize(), 20);
    EXPECT_EQ(CMemBuffBase<RGBQUAD>(256).GetByteSize(), 1024);
    CMemBuffBase<unsigned char> bytes(7);
    EXPECT_EQ(bytes.GetByteSize(), bytes.GetCount());
}

TEST(MemBuff, AssignmentTransfersOwnership)
{
    CMemBuffBase<char> source(4);
    char* block = source.GetData();
    CMemBuffBase<char> target;
    target = source;
    EXPECT_EQ(target.GetData(), block);
    EXPECT_EQ(target.GetCount(), 4);
    EXPECT_EQ(source.GetData(), nullptr);
    EXPECT_EQ(source.GetCount(), 0);
}

namespace {

struct Counted {
    explicit Counted(int* deaths) : deaths(deaths) {}
    virtual ~Counted() { ++*deaths; }
    int* deaths;
};

struct DefaultMade {
    static inline int alive = 0;
    DefaultMade() { ++alive; }
    ~DefaultMade() { --alive; }
};

} // namespace

TEST(MemBuffClass, AttachReleaseDestroyDeleteOnce)
{
    int deaths = 0;
    {
        CMemBuffClassBase<Counted> holder;
        holder.Release(); // empty: nothing
        holder.Attach(new Counted(&deaths));
        holder.Attach(new Counted(&deaths));
        EXPECT_EQ(deaths, 1);
        holder.Attach(nullptr);
        EXPECT_EQ(deaths, 2);
        EXPECT_EQ(holder.m_pObject, nullptr);
        holder.Attach(new Counted(&deaths));
    }
    EXPECT_EQ(deaths, 3);
}

TEST(MemBuffClass, ConstHolderAlwaysOwnsOne)
{
    {
        CMemBuffClassBaseConst<DefaultMade> holder;
        EXPECT_NE(holder.m_pObject, nullptr);
        EXPECT_EQ(DefaultMade::alive, 1);
    }
    EXPECT_EQ(DefaultMade::alive, 0);
}

TEST(MemBuff, RefusesWhatCannotBeDoneSoundly)
{
    CMemBuffBase<unsigned int> b(4);
    b.FillAll(0x11);
    EXPECT_EQ(b.Copy(nullptr, 2), FALSE); // no source: nothing copied, not reported as done
    EXPECT_EQ(b.GetData()[0], 0x11111111u);
    EXPECT_EQ(CMemBuffBase<unsigned int>::CopyElements(b.GetData(), nullptr, 1), FALSE);

    // A byte size that does not fit GetByteSize fails like an allocation failure.
    EXPECT_EQ(b.Alloc(INT_MAX / 2), nullptr);
    EXPECT_EQ(b.GetData(), nullptr);
    EXPECT_EQ(b.GetCount(), 0);
    EXPECT_EQ(b.GetByteSize(), 0);
}

TEST(MemBuff, AssigningAFreshBufferReleasesTheBlock)
{
    CMemBuffBase<unsigned char> b(16);
    b = CMemBuffBase<unsigned char>();
    EXPECT_EQ(b.GetData(), nullptr);
    EXPECT_EQ(b.GetCount(), 0);
}

TEST(MemBuffClass, AttachingTheHeldObjectAgainKeepsIt)
{
    int deaths = 0;
    CMemBuffClassBase<Counted> holder;
    auto* object = new Counted(&deaths);
    holder.Attach(object);
    holder.Attach(object);
    EXPECT_EQ(deaths, 0);
    EXPECT_EQ(holder.m_pObject, object);
}

namespace {

struct Unallocatable {
    static void* operator new(size_t) { throw std::bad_alloc(); }
    static void operator delete(void*) {}
};

} // namespace

TEST(MemBuffClass, ConstHolderReportsAllocationFailureAsMemoryException)
{
    bool caught = false;
    try {
        CMemBuffClassBaseConst<Unallocatable> holder;
    } catch (CMemoryException* e) {
        caught = true;
        e->Delete();
    }
    EXPECT_TRUE(caught);
}

#include "platform/win/ref_counted.h"

#include <gtest/gtest.h>

namespace {

class IFirst {
public:
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    virtual ~IFirst() = default;
};

class ISecond {
public:
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    virtual ~ISecond() = default;
};

class Counted final : public win::RefCounted<IFirst, ISecond> {
public:
    explicit Counted(int& destroyed) : m_destroyed(destroyed) {}

private:
    ~Counted() override { ++m_destroyed; }
    int& m_destroyed;
};

class Plain final : public win::RefCounted<> {
public:
    explicit Plain(int& destroyed) : m_destroyed(destroyed) {}

private:
    ~Plain() override { ++m_destroyed; }
    int& m_destroyed;
};

} // namespace

TEST(RefCounted, EveryInterfaceSharesOneCountAndTheLastReleaseDeletesOnce)
{
    int destroyed = 0;
    auto* object = new Counted(destroyed);
    IFirst* first = object;
    ISecond* second = object;
    EXPECT_EQ(first->AddRef(), 2u);
    EXPECT_EQ(second->AddRef(), 3u);
    EXPECT_EQ(first->Release(), 2u);
    EXPECT_EQ(second->Release(), 1u);
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(second->Release(), 0u);
    EXPECT_EQ(destroyed, 1);
}

TEST(RefCounted, AnObjectWithoutInterfacesCountsItself)
{
    int destroyed = 0;
    auto* object = new Plain(destroyed);
    EXPECT_EQ(object->AddRef(), 2u);
    EXPECT_EQ(object->Release(), 1u);
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(object->Release(), 0u);
    EXPECT_EQ(destroyed, 1);
}

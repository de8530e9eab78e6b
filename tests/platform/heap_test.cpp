#include "platform/win/heap.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(GlobalHeap, ZeroInitBlockKeepsItsSize)
{
    HGLOBAL block = GlobalAlloc(GHND, 4097);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalSize(block), 4097u);
    auto* bytes = static_cast<unsigned char*>(GlobalLock(block));
    ASSERT_NE(bytes, nullptr);
    for (size_t i = 0; i < 4097; ++i)
        ASSERT_EQ(bytes[i], 0);
    std::memset(bytes, 0xAB, 4097);
    EXPECT_EQ(GlobalUnlock(block), FALSE);
    EXPECT_EQ(GlobalFree(block), nullptr);
}

TEST(GlobalHeap, NullAndHugeRequestsFailCleanly)
{
    EXPECT_EQ(GlobalLock(nullptr), nullptr);
    EXPECT_EQ(GlobalSize(nullptr), 0u);
    EXPECT_EQ(GlobalAlloc(GMEM_MOVEABLE, SIZE_MAX), nullptr);
}

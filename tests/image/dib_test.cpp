#include "image/dib.h"
#include "platform/afx/cdc.h"
#include "tests/support/qt_app.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(Dib, CreateMakesATwentyFourBitBottomUpSection)
{
    TestApp();
    CDib dib;
    BITMAP bm;
    std::memset(&bm, 0x55, sizeof(bm));
    dib.GetBitmapInfo(&bm);
    const BITMAP zero{};
    EXPECT_EQ(std::memcmp(&bm, &zero, sizeof(bm)), 0);
    ASSERT_TRUE(dib.Create(2, 2));
    dib.GetBitmapInfo(&bm);
    EXPECT_EQ(bm.bmWidth, 2);
    EXPECT_EQ(bm.bmHeight, 2);
    EXPECT_EQ(bm.bmBitsPixel, 24);
    EXPECT_EQ(bm.bmWidthBytes, 8);
    ASSERT_NE(bm.bmBits, nullptr);
    // Row 0 of the bits is the bottom row of the picture.
    auto* bits = static_cast<BYTE*>(bm.bmBits);
    bits[0] = 0xFF; // blue, bottom-left
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CBitmap* old = dc.SelectObject(&dib);
    EXPECT_EQ(dc.GetPixel(0, 1), RGB(0, 0, 255));
    dc.SetPixel(1, 0, RGB(10, 20, 30)); // top-right
    dc.SelectObject(old);
    EXPECT_EQ(bits[8 + 3], 30);
    EXPECT_EQ(bits[8 + 5], 10);
}

TEST(Dib, RefusesImpossibleSizesAndKeepsWhatItHeld)
{
    TestApp();
    CDib dib;
    ASSERT_TRUE(dib.Create(4, 4));
    const HGDIOBJ held = dib.m_hObject;
    EXPECT_FALSE(dib.Create(0, 4));
    EXPECT_FALSE(dib.Create(4, -4));
    EXPECT_FALSE(dib.Create(1 << 20, 1 << 20));
    EXPECT_EQ(dib.m_hObject, held);
}

} // namespace

#include "dialogs/resize_rules.h"
#include "image/packed_dib.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct MarginCase {
    const char* name;
    ClipMargins stored;
    LONG width;
    LONG height;
    ClipMargins fitted;
    CRect clip;
};
void PrintTo(const MarginCase& c, std::ostream* os) { *os << c.name; }

class FitMargins : public ::testing::TestWithParam<MarginCase> {};

TEST_P(FitMargins, LeaveAClipInsideTheSourceWithAtLeastOnePixel)
{
    ClipMargins margins = GetParam().stored;
    const CRect clip = FitMarginsToSource(margins, GetParam().width, GetParam().height);
    EXPECT_EQ(clip, GetParam().clip);
    EXPECT_EQ(margins.left, GetParam().fitted.left);
    EXPECT_EQ(margins.top, GetParam().fitted.top);
    EXPECT_EQ(margins.right, GetParam().fitted.right);
    EXPECT_EQ(margins.bottom, GetParam().fitted.bottom);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FitMargins,
    ::testing::Values(
        MarginCase{"fitting", {10, 20, 30, 40}, 640, 480, {10, 20, 30, 40}, {10, 20, 610, 440}},
        MarginCase{"none", {0, 0, 0, 0}, 640, 480, {0, 0, 0, 0}, {0, 0, 640, 480}},
        // Stored for a larger source: the right margin no longer fits the new one.
        MarginCase{"right too wide", {100, 0, 700, 0}, 640, 480, {100, 0, 539, 0}, {100, 0, 101, 480}},
        MarginCase{"left beyond", {900, 0, 0, 0}, 640, 480, {639, 0, 0, 0}, {639, 0, 640, 480}},
        MarginCase{"bottom too tall", {0, 470, 0, 50}, 640, 480, {0, 470, 0, 9}, {0, 470, 640, 471}},
        MarginCase{"negative", {-5, -1, -7, INT_MIN}, 64, 48, {0, 0, 0, 0}, {0, 0, 64, 48}},
        MarginCase{"one pixel", {3, 3, 3, 3}, 1, 1, {0, 0, 0, 0}, {0, 0, 1, 1}},
        MarginCase{"huge", {INT_MAX, INT_MAX, INT_MAX, INT_MAX}, 640, 480, {639, 479, 0, 0}, {639, 479, 640, 480}},
        MarginCase{"no source", {5, 5, 5, 5}, 0, 0, {0, 0, 0, 0}, {0, 0, 0, 0}}));

struct EdgeCase {
    int typed;
    LONG limit; // the far edge, or the source side for a far margin
    LONG nearEdge;
    int nearResult;
    int farResult;
};

TEST(ClipEdges, AreKeptShortOfTheOppositeEdgeAndNeverNegative)
{
    const EdgeCase cases[] = {
        {10, 640, 0, 10, 10},    {700, 640, 0, 639, 639}, {1000, 640, 0, 639, 639},  {639, 640, 0, 639, 639},
        {640, 640, 0, 639, 639}, {-3, 640, 0, 0, 0},      {300, 640, 400, 300, 239}, {0, 1, 0, 0, 0},
    };
    for (const EdgeCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.typed << " against " << c.limit << " near " << c.nearEdge);
        EXPECT_EQ(ClampNearMargin(c.typed, c.limit), c.nearResult);
        EXPECT_EQ(ClampFarMargin(c.typed, c.limit, c.nearEdge), c.farResult);
    }
}

TEST(OutputSize, IsAtLeastOnePixelAndItsFrameFitsTheBlockBound)
{
    const struct {
        int width, height, expectedWidth, expectedHeight;
    } cases[] = {
        {640, 480, 640, 480},
        {0, 480, 1, 480},
        {640, -5, 640, 1},
        {INT_MIN, 0, 1, 1},
        {1, 1, 1, 1},
        // 20000 x 20000 would need 1.2 GB: the height gives way.
        {20000, 20000, 20000, 17895},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        const CSize size = ClampOutputSize(c.width, c.height);
        EXPECT_EQ(size.cx, c.expectedWidth);
        EXPECT_EQ(size.cy, c.expectedHeight);
    }
    for (const int side : {INT_MAX, 100000, 40000}) {
        const CSize size = ClampOutputSize(side, side);
        EXPECT_GE(size.cx, 1);
        EXPECT_GE(size.cy, 1);
        EXPECT_LE(DibRowStride(static_cast<uint64_t>(size.cx)) * static_cast<uint64_t>(size.cy), kMaxPixelAreaBytes);
        // The byte size the view computes from the header stays a positive 32-bit number.
        EXPECT_LE((static_cast<int64_t>(size.cx) + 1) * 3 / 4 * 4 * size.cy, INT_MAX);
    }
}

} // namespace

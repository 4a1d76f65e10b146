#include "widgets/Gradient.h"

#include <gtest/gtest.h>

using kb::widgets::GradientBand;
using kb::widgets::gradientBands;
using kb::widgets::gradientStep;

namespace {

struct BandCase {
    const char *what;
    int steps;
    int height;
    int expectedBands;
};

class GradientBands : public ::testing::TestWithParam<BandCase> { };

// Whatever the height, the bands tile the rows without gap or overlap and run from the top
// colour to the bottom colour.
TEST_P(GradientBands, CoverEveryRowOnceFromTopToBottomColour)
{
    const BandCase c = GetParam();
    const QColor blue(0, 0, 255);
    const QColor black(0, 0, 0);
    const QList<GradientBand> bands = gradientBands(blue, black, c.steps, c.height);
    ASSERT_EQ(bands.size(), c.expectedBands) << c.what;
    if (bands.isEmpty())
        return;
    int row = 0;
    for (const GradientBand &b : bands) {
        EXPECT_EQ(b.top, row) << c.what;
        EXPECT_GE(b.height, 1) << c.what;
        row += b.height;
    }
    EXPECT_EQ(row, c.height) << c.what;
    EXPECT_EQ(bands.front().color, blue) << c.what;
    if (bands.size() > 1) {
        EXPECT_EQ(bands.back().color, black) << c.what;
    }
    for (int i = 1; i < bands.size(); ++i)
        EXPECT_LE(bands[i].color.blue(), bands[i - 1].color.blue()) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Cases, GradientBands,
    ::testing::Values(BandCase { "left bar of a 768-pixel screen", 64, 700, 64 },
        BandCase { "height not a multiple of the steps", 64, 101, 64 },
        BandCase { "fewer rows than steps", 64, 10, 10 }, BandCase { "one row", 64, 1, 1 },
        BandCase { "no rows", 64, 0, 0 }, BandCase { "one step", 1, 50, 1 }));

TEST(GradientStep, HalfwayAndEndsAreExact)
{
    const QColor from(0, 100, 255);
    const QColor to(255, 100, 0);
    EXPECT_EQ(gradientStep(from, to, 64, 0), from);
    EXPECT_EQ(gradientStep(from, to, 64, 63), to);
    EXPECT_EQ(gradientStep(from, to, 3, 1), QColor(128, 100, 128));
    // Out of range steps stay at the ends.
    EXPECT_EQ(gradientStep(from, to, 64, 99), to);
    EXPECT_EQ(gradientStep(from, to, 64, -5), from);
}

} // namespace

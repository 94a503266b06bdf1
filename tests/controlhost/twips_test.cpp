#include "controlhost/twips.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quorbel {
namespace {

TEST(Twips, ConvertToWholePixelsAtAnyResolution)
{
    // At the design resolution a pixel is 15 twips.
    EXPECT_EQ(twipsToPixels(4800), 320);
    EXPECT_EQ(twipsToPixels(375), 25);
    EXPECT_EQ(twipsToPixels(0), 0);
    // Halves round away from zero, the rest to the nearest pixel.
    EXPECT_EQ(twipsToPixels(7), 0);
    EXPECT_EQ(twipsToPixels(8), 1);
    EXPECT_EQ(twipsToPixels(-7), 0);
    EXPECT_EQ(twipsToPixels(-8), -1);
    EXPECT_EQ(twipsToPixels(255, 120), 21); // 21.25
    EXPECT_EQ(twipsToPixels(420, 144), 42);
    EXPECT_EQ(twipsToPixels(12, 60), 1); // exactly 0.5
    EXPECT_EQ(twipsToPixels(-12, 60), -1);
    // The same results as rounding the exact quotient, over a range of
    // lengths and resolutions.
    for (int dpi : {72, 96, 120, 144, 192}) {
        for (int twips = -3000; twips <= 3000; twips += 7)
            ASSERT_EQ(twipsToPixels(twips, dpi), std::lround(double(twips) * dpi / 1440)) << twips << " at " << dpi;
    }
    static_assert(twipsToPixels(3600) == 240, "usable in constant expressions");
}

TEST(Twips, PixelsGiveUnroundedTwips)
{
    EXPECT_DOUBLE_EQ(pixelsToTwips(1), 15.0);
    EXPECT_DOUBLE_EQ(pixelsToTwips(10.5, 96), 157.5);
    EXPECT_DOUBLE_EQ(pixelsToTwips(7, 120), 84.0);
    EXPECT_DOUBLE_EQ(pixelsToTwips(-2, 144), -20.0);
    EXPECT_EQ(twipsToPixels(static_cast<int>(pixelsToTwips(333, 120)), 120), 333);
}

} // namespace
} // namespace quorbel

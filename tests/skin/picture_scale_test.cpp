#include "skin/picture_scale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

namespace tessalo {
namespace {

// A device pixel ratio arrives as a double; the scales made from it must be exact fractions, or
// a picture and the rectangle it is drawn in could differ by a pixel.
TEST(PictureScale, DevicePixelRatiosBecomeExactFractions) {
    const auto fraction = [](double factor) {
        const PictureScale scale = PictureScale::nearestTo(factor);
        return std::pair(scale.numerator, scale.denominator);
    };
    EXPECT_EQ(fraction(1.0), std::pair(1, 1));
    EXPECT_EQ(fraction(2.0), std::pair(2, 1));
    EXPECT_EQ(fraction(1.25), std::pair(5, 4));
    EXPECT_EQ(fraction(1.5), std::pair(3, 2));
    EXPECT_EQ(fraction(1.75), std::pair(7, 4));
    EXPECT_EQ(fraction(1.3), std::pair(13, 10));
    // 110 dots per inch over 96.
    EXPECT_EQ(fraction(110.0 / 96.0), std::pair(55, 48));
    EXPECT_EQ(fraction(0.5), std::pair(1, 2));
    // Nothing a screen could mean gives the unscaled picture.
    EXPECT_EQ(fraction(0.0), std::pair(1, 1));
    EXPECT_EQ(fraction(-2.0), std::pair(1, 1));
    EXPECT_EQ(fraction(std::nan("")), std::pair(1, 1));
}

TEST(PictureScale, FactorsMultiplyIntoOneReducedFraction) {
    // Fill 1.2 (720 / 600) on a screen of ratio 2 is 2.4; 1.8 (1080 / 600) at 1.5 is 2.7.
    const PictureScale filled = PictureScale{720, 600}.times({2, 1});
    EXPECT_EQ(filled.numerator, 12);
    EXPECT_EQ(filled.denominator, 5);
    EXPECT_EQ(filled.of(52), 125);
    const PictureScale fullHd = PictureScale{1080, 600}.times({3, 2});
    EXPECT_EQ(fullHd.of(45), 122); // 121.5, halves up
    EXPECT_TRUE((PictureScale{600, 600}.times({2, 1}).isWhole()));
    EXPECT_FALSE((PictureScale{720, 600}.times({3, 2}).isWhole()));
    // A large screen times a fine ratio stays within the fraction's range.
    const PictureScale large = PictureScale{4320, 600}.times(PictureScale::nearestTo(110.0 / 96));
    EXPECT_EQ(large.of(800), 6600);
}

} // namespace
} // namespace tessalo

#include "game/play_area.h"

#include <gtest/gtest.h>

namespace tessalo {
namespace {

TEST(PlayArea, OriginIsCentredAndTruncated) {
    EXPECT_EQ(PlayArea::centredOn(800, 600).origin(), (PixelPoint{0, 0}));
    EXPECT_EQ(PlayArea::centredOn(1024, 768).origin(), (PixelPoint{112, 84}));
    EXPECT_EQ(PlayArea::centredOn(1025, 769).origin(), (PixelPoint{112, 84}));
    EXPECT_EQ(PlayArea::centredOn(1920, 1080).origin(), (PixelPoint{560, 240}));
    // Toward zero, not toward minus infinity.
    EXPECT_EQ(PlayArea::centredOn(799, 599).origin(), (PixelPoint{0, 0}));
    EXPECT_EQ(PlayArea::centredOn(790, 590).origin(), (PixelPoint{-5, -5}));
}

TEST(PlayArea, TileWindowsStandAtTheBoardFormula) {
    const auto small = PlayArea::centredOn(800, 600);
    // Board origin (28, -12); 45·x div 2 + 7·z across, 35·y - 7·z down.
    EXPECT_EQ(small.tilePosition(0, 0, 0), (PixelPoint{28, -12}));
    EXPECT_EQ(small.tilePosition(1, 0, 0), (PixelPoint{50, -12}));
    EXPECT_EQ(small.tilePosition(2, 1, 0), (PixelPoint{73, 23}));
    EXPECT_EQ(small.tilePosition(3, 2, 1), (PixelPoint{102, 51}));
    EXPECT_EQ(small.tilePosition(33, 17, 5), (PixelPoint{805, 548}));
    const auto large = PlayArea::centredOn(1024, 768);
    EXPECT_EQ(large.tilePosition(0, 0, 0), (PixelPoint{140, 72}));
    EXPECT_EQ(large.tilePosition(3, 2, 1), (PixelPoint{214, 135}));
    EXPECT_EQ(large.tilePosition(7, 5, 2), (PixelPoint{311, 233}));
}

TEST(PlayArea, PlacesAreRelativeToTheOrigin) {
    const auto large = PlayArea::centredOn(1024, 768);
    EXPECT_EQ(large.toWindow(688, 0), (PixelPoint{800, 84}));
    EXPECT_EQ(large.toWindow(-300, 40), (PixelPoint{-188, 124}));
    EXPECT_EQ(large.buttonPosition(10, -20), (PixelPoint{122, 64}));
}

TEST(PlayArea, ButtonPositionsWrapAtSixteenBits) {
    const auto large = PlayArea::centredOn(1024, 768);
    EXPECT_EQ(large.buttonPosition(32767, 0), (PixelPoint{-32657, 84}));
    EXPECT_EQ(large.buttonPosition(0, -32768), (PixelPoint{112, -32684}));
}

} // namespace
} // namespace tessalo

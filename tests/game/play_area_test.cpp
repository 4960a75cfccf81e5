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

// s = min(w / 800, h / 600), the area centred; lengths and places rounded to the nearest pixel.
TEST(PlayArea, FillingTheScreenScalesByTheSmallerRatio) {
    const auto fullHd = PlayArea::fillingScreen(1920, 1080); // 1.8
    EXPECT_EQ(fullHd.origin(), (PixelPoint{240, 0}));
    EXPECT_EQ(fullHd.width(), 1440);
    EXPECT_EQ(fullHd.height(), 1080);
    EXPECT_EQ(fullHd.length(52), 94);
    EXPECT_EQ(fullHd.length(77), 139);
    EXPECT_EQ(fullHd.tilePosition(0, 0, 0), (PixelPoint{290, -22}));
    EXPECT_EQ(fullHd.tilePosition(3, 2, 1), (PixelPoint{240 + 184, 92}));
    EXPECT_EQ(fullHd.buttonPosition(220, 560), (PixelPoint{636, 1008}));
    const auto wide = PlayArea::fillingScreen(2560, 1440); // 2.4
    EXPECT_EQ(wide.origin(), (PixelPoint{320, 0}));
    EXPECT_EQ(wide.width(), 1920);
    EXPECT_EQ(wide.toWindow(688, 0), (PixelPoint{320 + 1651, 0}));
    const auto tall = PlayArea::fillingScreen(1280, 1024); // 1.6, the width decides
    EXPECT_EQ(tall.origin(), (PixelPoint{0, 32}));
    EXPECT_EQ(tall.height(), 960);
    const auto small = PlayArea::fillingScreen(1024, 768); // 1.28
    EXPECT_EQ(small.origin(), (PixelPoint{0, 0}));
    EXPECT_EQ(small.length(45), 58);
    EXPECT_EQ(small.scale().factor(), 1.28);
    // Its own size on its own screen: every place exactly as without filling.
    const auto same = PlayArea::fillingScreen(800, 600);
    EXPECT_EQ(same.tilePosition(33, 17, 5), (PixelPoint{805, 548}));
    EXPECT_EQ(same.length(77), 77);
}

} // namespace
} // namespace tessalo

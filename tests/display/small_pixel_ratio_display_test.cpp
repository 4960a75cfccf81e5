#include "tests/display/whole_program_game.h"

namespace tessalo::display {
namespace {

// A 1920 × 1080 screen at QT_SCALE_FACTOR=2 is 960 × 540 window pixels, too few for the play
// area, though the server's pixels hold it well: the game shrinks it to fit, as filling does.
class SmallPixelRatioScreen : public WholeProgramGame {
  protected:
    void SetUp() override { writeProgram(pictureSet.content()); }
};

TEST_F(SmallPixelRatioScreen, ThePlayAreaShrinksToFitTheWindowPixels) {
    ASSERT_DOUBLE_EQ(pixelRatio(), 2.0);
    runGame([](MainDialog&, GameWindow& window) {
        const QImage screen = screenImage();
        ASSERT_EQ(screen.size(), QSize(1920, 1080));
        // 540 / 600 = 0.9 of the window pixels, 1.8 on the server: 1440 × 1080 at x = 240.
        EXPECT_EQ(nonBlackPart(screen), QRect(240, 0, 1440, 1080));

        // Position 44: play-area (42, 254) at 0.9 is window (120 + 38, 229), server (316, 458).
        const int tile = window.gameState()->dealOrder()[44];
        ASSERT_EQ(window.tile(tile)->pos(), QPoint(158, 229));
        click(QPoint(316 + 40, 458 + 80));
        EXPECT_TRUE(waitUntil([&] { return window.gameState()->selectedTile() == tile; }));
    });
}

} // namespace
} // namespace tessalo::display

#include "tests/game/game_window_fixture.h"

#include "game/game_button.h"
#include "skin/clock_window.h"
#include "skin/indicator_window.h"

#include <QTest>

namespace tessalo {
namespace {

QColor colourOf(Rgb rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

// 1920 × 1080 filled: scale 1080 / 600 = 1.8, play area 1440 × 1080 at (240, 0). Every figure
// below is the unscaled one times 1.8, rounded, plus the origin.
TEST_F(GameWindowTest, FilledOnAFullHdScreenEverythingIsDrawnAtOnePointEight) {
    openGame(rowsLayout(), 1920, 1080, true);
    EXPECT_EQ(window->geometry().size(), QSize(1920, 1080));
    EXPECT_EQ(window->playArea().origin(), (PixelPoint{240, 0}));
    // Position 0: play-area (28, -12), 52 × 77 → (240 + 50, -22), 94 × 139.
    const int first = window->gameState()->dealOrder()[0];
    EXPECT_EQ(window->tile(first)->geometry(), QRect(290, -22, 94, 139));
    // Position 17: half-column 2, half-row 2, play-area (73, 58) → (240 + 131, 104).
    EXPECT_EQ(window->tile(window->gameState()->dealOrder()[17])->pos(), QPoint(371, 104));
    // Start (10, 560), 60 × 30; Exit (220, 560).
    EXPECT_EQ(window->button(GameCommand::start)->geometry(), QRect(258, 1008, 108, 54));
    EXPECT_EQ(window->button(GameCommand::exit)->pos(), QPoint(636, 1008));
    // Clock (688, 0) with a 112 × 48 face; indicator (722, 552) with a 78 × 48 face.
    EXPECT_EQ(window->clock()->geometry(), QRect(1478, 0, 202, 86));
    EXPECT_EQ(window->indicator()->geometry(), QRect(1540, 994, 140, 86));

    const QImage shot = window->grab().toImage();
    const QColor background = colourOf(TestPictureSet::kBackground);
    EXPECT_EQ(shot.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(239, 300), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(240, 300), background);
    EXPECT_EQ(shot.pixelColor(1679, 300), background);
    EXPECT_EQ(shot.pixelColor(1680, 300), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(1919, 1079), QColor(Qt::black));
    // The face starts 13 pixels in (7 · 1.8) and reaches 81 × 126 (45 × 70 · 1.8).
    EXPECT_EQ(shot.pixelColor(290 + 5, -22 + 60), colourOf(TestPictureSet::kBase));
    EXPECT_EQ(shot.pixelColor(290 + 85, -22 + 120),
              colourOf(TestPictureSet::faceColour((first / 4) % 36)));
    // Digit 0 of the clock: at (2, 4) of the face, 20 × 40 → at (4, 7), 36 × 72; x = 30 lies
    // between the cell's holes and past where an unscaled digit ends.
    EXPECT_EQ(shot.pixelColor(1478 + 30, 43), colourOf(TestPictureSet::digitColour(0)));
}

// The scaled outline decides: its cut lower-right corner (x + y > 218 at 1.8) lets a click
// through to what lies beneath, while a point a 52 × 77 tile would never reach belongs to it.
TEST_F(GameWindowTest, FilledAClickSelectsTheTileWhoseScaledOutlineIsUnderIt) {
    openGame(spreadLayout(), 1920, 1080, true);
    window->show();
    // Position 44: half-column 0, half-row 8, layer 2, play-area (42, 254) → (316, 457); nothing
    // else lies near its lower-right corner.
    const int tile = window->gameState()->dealOrder()[44];
    ASSERT_EQ(window->tile(tile)->pos(), QPoint(316, 457));
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, QPoint(316 + 92, 457 + 137));
    run();
    EXPECT_EQ(window->gameState()->selectedTile(), kNoTile);
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, QPoint(316 + 80, 457 + 120));
    run();
    EXPECT_EQ(window->gameState()->selectedTile(), tile);
    EXPECT_TRUE(window->tile(tile)->highlighted());
}

} // namespace
} // namespace tessalo

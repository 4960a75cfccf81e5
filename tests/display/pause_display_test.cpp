#include "tests/display/real_input.h"
#include "tests/game/game_window_fixture.h"

#include "game/game_button.h"
#include "skin/clock_window.h"

#include <QSystemTrayIcon>

namespace tessalo {
namespace {

QColor colourOf(Rgb rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

class PauseOnScreen : public GameWindowTest {
  protected:
    const Board& board() { return window->gameState()->board(); }

    QPoint centreOf(int tile) {
        const TileWindow* window = this->window->tile(tile);
        return window->mapToGlobal(window->rect().center());
    }
    QColor faceOf(int tile) { return colourOf(TestPictureSet::faceColour(tile / 4 % 36)); }

    // A free tile whose face shows at its centre on the screen.
    int freeTileOnScreen() {
        const QImage screen = display::screenImage();
        for (int tile = 0; tile < kTileCount; ++tile) {
            if (!board().isBlocked(tile) && screen.pixelColor(centreOf(tile)) == faceOf(tile))
                return tile;
        }
        return kNoTile;
    }

    // A point where the Pause button itself is seen, not a tile over it.
    QPoint pauseButtonOnScreen() {
        const QImage screen = display::screenImage();
        const GameButton* pause = window->button(GameCommand::pause);
        const QColor up = colourOf(TestPictureSet::buttonColour(1, false));
        for (int y = 2; y < pause->height() - 2; ++y) {
            for (int x = 2; x < pause->width() - 2; ++x) {
                const QPoint at = pause->mapToGlobal(QPoint(x, y));
                if (screen.pixelColor(at) == up)
                    return at;
            }
        }
        return {};
    }

    // The clock's two seconds digits as the screen shows them.
    bool clockOnScreenShows(int tens, int units) {
        const ClockWindow* clock = window->clock();
        // Inside the third and fourth digit cells, beside their holes.
        const QPoint tensAt = clock->mapToGlobal(QPoint(64, 24));
        const QPoint unitsAt = clock->mapToGlobal(QPoint(90, 24));
        return display::screenPixel(tensAt) == colourOf(TestPictureSet::digitColour(tens)) &&
               display::screenPixel(unitsAt) == colourOf(TestPictureSet::digitColour(units));
    }

    bool boardSeenOn(const QImage& screen) {
        for (int tile = 0; tile < kTileCount; ++tile) {
            const TileWindow* window = this->window->tile(tile);
            for (int y = 0; y < window->height(); y += 4) {
                for (int x = 0; x < window->width(); x += 4) {
                    const QColor seen = screen.pixelColor(window->mapToGlobal(QPoint(x, y)));
                    if (seen == faceOf(tile) || seen == colourOf(TestPictureSet::kBase) ||
                        seen == colourOf(TestPictureSet::kBackground))
                        return true;
                }
            }
        }
        return false;
    }
};

TEST_F(PauseOnScreen, WithoutANotificationAreaTheBoardIsHiddenAndTheClockWaitsForAClick) {
    trayAvailable = QSystemTrayIcon::isSystemTrayAvailable();
    ASSERT_FALSE(trayAvailable) << "the test's X server has a notification area";
    openGame(spreadLayout(), 1024, 768);
    int tile = kNoTile;
    ASSERT_TRUE(display::waitUntil([&] { return (tile = freeTileOnScreen()) != kNoTile; }));
    const QPoint pauseButton = pauseButtonOnScreen();
    ASSERT_FALSE(pauseButton.isNull()) << "the Pause button is not on the screen";

    calendar.seconds += 10;
    display::click(pauseButton);
    ASSERT_TRUE(display::waitUntil([&] { return window->isPaused(); }));
    display::settle(300);
    EXPECT_FALSE(boardSeenOn(display::screenImage())) << "the paused board is still in view";
    // A running clock would tick and read the calendar meanwhile.
    calendar.seconds += 300;
    display::settle(1300);
    EXPECT_FALSE(window->clock()->isRunning());
    EXPECT_TRUE(clockOnScreenShows(1, 0)) << "the paused clock does not stand at 00:10";

    // The click that plays on takes nothing, though a tile lies under it.
    display::click(centreOf(tile));
    ASSERT_TRUE(display::waitUntil([&] { return !window->isPaused(); }));
    display::settle(300);
    EXPECT_EQ(window->gameState()->selectedTile(), kNoTile);
    EXPECT_TRUE(board().tile(tile).onBoard);
    EXPECT_TRUE(display::waitUntil([&] {
        return display::screenPixel(centreOf(tile)) == faceOf(tile);
    })) << "the board did not come back";
    calendar.seconds += 5;
    EXPECT_TRUE(display::waitUntil([&] { return clockOnScreenShows(1, 5); }, 3000))
        << "the clock did not go on from 00:10";
    EXPECT_EQ(window->clock()->shownSeconds(), 15);

    // Clicked again, the same point now selects the tile.
    display::click(centreOf(tile));
    EXPECT_TRUE(display::waitUntil([&] { return window->gameState()->selectedTile() == tile; }));

    // Pause pressed again plays on too, the selection kept.
    display::click(pauseButton);
    ASSERT_TRUE(display::waitUntil([&] { return window->isPaused(); }));
    calendar.seconds += 100;
    display::settle(1300);
    display::click(pauseButton);
    ASSERT_TRUE(display::waitUntil([&] { return !window->isPaused(); }));
    calendar.seconds += 3;
    EXPECT_TRUE(display::waitUntil([&] { return clockOnScreenShows(1, 8); }, 3000));
    EXPECT_EQ(window->gameState()->selectedTile(), tile);
}

} // namespace
} // namespace tessalo

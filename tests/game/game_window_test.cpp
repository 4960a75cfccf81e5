#include "tests/game/game_window_fixture.h"

#include "game/game_button.h"
#include "game/game_events.h"
#include "skin/clock_window.h"
#include "skin/indicator_window.h"

#include <QSystemTrayIcon>
#include <QTest>

namespace tessalo {
namespace {

// The tile windows show the board as it is: on the board means shown, at the board's place.
void expectWindowsMirrorTheBoard(const GameWindow& window, GameState& state) {
    const Board& board = state.board();
    for (int i = 0; i < kTileCount; ++i) {
        const TileState& tile = board.tile(i);
        TileWindow* view = window.tile(i);
        ASSERT_EQ(!view->isHidden(), tile.onBoard) << "tile " << i;
        const PixelPoint at = window.playArea().tilePosition(tile.gridX, tile.gridY, tile.layer);
        ASSERT_EQ(view->pos(), QPoint(at.x, at.y)) << "tile " << i;
        ASSERT_EQ(view->blockFlags(), tile.blockFlags) << "tile " << i;
    }
}

TEST_F(GameWindowTest, OnALargeScreenThePlayAreaIsCentredWithBlackBands) {
    openGame(rowsLayout(), 1024, 768);
    EXPECT_EQ(window->geometry().size(), QSize(1024, 768));
    EXPECT_EQ(window->playArea().origin(), (PixelPoint{112, 84}));
    // Position 0 holds half-column 0, half-row 0: board origin (112 + 28, 84 - 12).
    const int tileAtPositionZero = window->gameState()->dealOrder()[0];
    EXPECT_EQ(window->tile(tileAtPositionZero)->geometry(), QRect(140, 72, 52, 77));
    // Position 17 holds half-column 2, half-row 2.
    EXPECT_EQ(window->tile(window->gameState()->dealOrder()[17])->pos(), QPoint(185, 142));
    EXPECT_EQ(window->button(GameCommand::start)->geometry(), QRect(122, 644, 60, 30));
    EXPECT_EQ(window->button(GameCommand::exit)->pos(), QPoint(332, 644));
    EXPECT_EQ(window->clock()->pos(), QPoint(800, 84));
    EXPECT_EQ(window->indicator()->pos(), QPoint(834, 636));

    const QImage shot = window->grab().toImage();
    EXPECT_EQ(shot.pixelColor(5, 5), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(1020, 700), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(111, 400), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(112, 683), QColor(0, 64, 0));
    EXPECT_EQ(shot.pixelColor(911, 500), QColor(0, 64, 0));
    EXPECT_EQ(shot.pixelColor(912, 500), QColor(Qt::black));
}

TEST_F(GameWindowTest, OnAnEightHundredScreenThereAreNoBands) {
    openGame(rowsLayout());
    EXPECT_EQ(window->playArea().origin(), (PixelPoint{0, 0}));
    EXPECT_EQ(window->tile(window->gameState()->dealOrder()[0])->pos(), QPoint(28, -12));
    const QImage shot = window->grab().toImage();
    EXPECT_EQ(shot.pixelColor(0, 599), QColor(0, 64, 0));
    EXPECT_EQ(shot.pixelColor(799, 599), QColor(0, 64, 0));
}

TEST_F(GameWindowTest, AfterADealTilesLieInLayoutOrderAboveTheButtons) {
    openGame(rowsLayout());
    expectWindowsMirrorTheBoard(*window, *window->gameState());
    // Qt lists children from the bottom of the stacking order to its top.
    std::vector<QWidget*> stack;
    for (QObject* child : window->children()) {
        if (auto* widget = qobject_cast<QWidget*>(child))
            stack.push_back(widget);
    }
    ASSERT_EQ(stack.size(), 150u);
    EXPECT_EQ(stack[0], window->button(GameCommand::pause));
    EXPECT_EQ(stack[1], window->button(GameCommand::exit));
    EXPECT_EQ(stack[2], window->button(GameCommand::help));
    EXPECT_EQ(stack[3], window->button(GameCommand::start));
    const auto& order = window->gameState()->dealOrder();
    for (int position = 0; position < kTileCount; ++position)
        ASSERT_EQ(stack[std::size_t(4 + 143 - position)],
                  window->tile(order[std::size_t(position)]));
    // Clock and indicator float above everything.
    EXPECT_TRUE(stack[148] == window->clock() || stack[149] == window->clock());
    EXPECT_TRUE(stack[148] == window->indicator() || stack[149] == window->indicator());
}

TEST_F(GameWindowTest, ButtonsShowTheirPicturesAndPostTheirCommands) {
    openGame(spreadLayout());
    window->show();
    // Start, Pause, Help and Exit at (10, 560), (80, 560), (150, 560), (220, 560) of the area.
    for (int slot = 0; slot < 4; ++slot) {
        GameButton* button = window->button(GameCommand::start + slot);
        EXPECT_EQ(button->geometry(), QRect(10 + 70 * slot, 560, 60, 30)) << "button " << slot;
        const Rgb up = TestPictureSet::buttonColour(slot, false);
        EXPECT_EQ(button->grab().toImage().pixelColor(30, 15), QColor(up.red, up.green, up.blue))
            << "button " << slot;
    }
    GameButton* help = window->button(GameCommand::help);
    EXPECT_EQ(help->objectName(), "40002");
    // The pointing hand of the program's own resources, hot spot at (8, 1).
    EXPECT_EQ(help->cursor().hotSpot(), QPoint(8, 1));
    EXPECT_FALSE(help->cursor().pixmap().isNull());

    clickTile(0);
    clickTile(1);
    ASSERT_EQ(window->indicator()->remaining(), 142);
    // Left of the first column of tiles, Start lies uncovered.
    GameButton* start = window->button(GameCommand::start);
    const QPoint uncovered(12, 575);
    QTest::mousePress(window->windowHandle(), Qt::LeftButton, {}, uncovered);
    const Rgb down = TestPictureSet::buttonColour(0, true);
    EXPECT_EQ(start->grab().toImage().pixelColor(5, 5), QColor(down.red, down.green, down.blue));
    QTest::mouseRelease(window->windowHandle(), Qt::LeftButton, {}, uncovered);
    run();
    EXPECT_EQ(window->indicator()->remaining(), 144);
}

TEST_F(GameWindowTest, FreeTilesAreSelectedAndMatchedBlockedOnesIgnored) {
    openGame(rowsLayout());
    GameState& state = *window->gameState();
    const auto& order = state.dealOrder();
    // Position 1 sits between positions 0 and 2 of the first row.
    const int blocked = order[1];
    clickTile(blocked);
    EXPECT_EQ(state.selectedTile(), kNoTile);
    EXPECT_FALSE(window->tile(blocked)->highlighted());

    // Find a free pair among the row ends.
    int first = kNoTile;
    int second = kNoTile;
    for (int group = 0; group < kGroupCount && second == kNoTile; ++group) {
        first = firstFreeTileOfGroupOtherThan(group);
        second = first == kNoTile ? kNoTile : firstFreeTileOfGroupOtherThan(group, first);
    }
    if (second == kNoTile)
        GTEST_SKIP() << "this deal starts without a pair";
    clickTile(first);
    EXPECT_TRUE(window->tile(first)->highlighted());
    EXPECT_EQ(state.selectedTile(), first);
    clickTile(second);
    EXPECT_TRUE(window->tile(first)->isHidden());
    EXPECT_TRUE(window->tile(second)->isHidden());
    EXPECT_EQ(window->indicator()->remaining(), 142);
    expectWindowsMirrorTheBoard(*window, state);
}

TEST_F(GameWindowTest, HelpShowsAndHidesTheHintAndTheBackgroundClearsIt) {
    openGame(spreadLayout());
    GameState& state = *window->gameState();
    window->onCommand(GameCommand::help);
    EXPECT_TRUE(state.hintShown());
    EXPECT_EQ(state.hintsUsed(), 1);
    int highlighted = 0;
    for (int i = 0; i < kTileCount; ++i)
        highlighted += window->tile(i)->highlighted();
    // Every tile is free in this layout, so every group is hinted.
    EXPECT_EQ(highlighted, 144);
    // A press on the background, away from every tile and button.
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, QPoint(790, 300));
    run();
    EXPECT_FALSE(state.hintShown());
    EXPECT_FALSE(window->tile(0)->highlighted());
    window->onCommand(GameCommand::help);
    window->onCommand(GameCommand::help);
    EXPECT_FALSE(state.hintShown());
    EXPECT_EQ(state.hintsUsed(), 2);
}

TEST_F(GameWindowTest, ABackgroundClickLeavesASelectionAlone) {
    openGame(spreadLayout());
    clickTile(5);
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, QPoint(790, 300));
    run();
    EXPECT_EQ(window->gameState()->selectedTile(), 5);
    EXPECT_TRUE(window->tile(5)->highlighted());
}

TEST_F(GameWindowTest, ARealClickOnATileReachesTheRules) {
    openGame(spreadLayout());
    // Position 0 is the first tile of layer 2, on top of everything near it.
    const int tile = window->gameState()->dealOrder()[0];
    const QPoint centre = window->tile(tile)->geometry().center();
    window->show();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, centre);
    run();
    EXPECT_EQ(window->gameState()->selectedTile(), tile);
}

TEST_F(GameWindowTest, AClearedBoardEndsTheGameWithItsResultAndDealsAgain) {
    openGame(spreadLayout());
    calendar.seconds += 95;
    for (int tile = 0; tile < kTileCount; ++tile)
        clickTile(tile);
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].remains, 0);
    EXPECT_EQ(results[0].hints, 0);
    EXPECT_EQ(results[0].picturesName, "Test colours");
    EXPECT_EQ(results[0].layoutName, "Spread");
    run();
    // The posted Start has dealt a new game.
    EXPECT_EQ(window->indicator()->remaining(), 144);
    EXPECT_FALSE(window->tile(0)->isHidden());
}

TEST_F(GameWindowTest, StartInTheMiddleDealsWithoutAResult) {
    openGame(spreadLayout());
    clickTile(0);
    clickTile(1);
    calendar.seconds += 7;
    window->onCommand(GameCommand::start);
    EXPECT_TRUE(results.empty());
    EXPECT_EQ(window->indicator()->remaining(), 144);
    EXPECT_EQ(window->gameState()->selectedTile(), kNoTile);
    expectWindowsMirrorTheBoard(*window, *window->gameState());
}

TEST_F(GameWindowTest, ExitAfterAGameTakesEverythingDownAndShowsTheMainDialog) {
    openGame(spreadLayout());
    nextAfterGame = GameCommand::exit;
    for (int tile = 0; tile < kTileCount; ++tile)
        clickTile(tile);
    ASSERT_EQ(results.size(), 1u);
    run();
    EXPECT_FALSE(window->isOpen());
    EXPECT_EQ(mainWindowShown, 1);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(window->children().isEmpty());
    EXPECT_TRUE(window->pictures().faces.empty());
    // A command that was still queued finds no game.
    window->postCommand(GameCommand::start);
    run();
    EXPECT_FALSE(window->isOpen());
}

TEST_F(GameWindowTest, ACloseFromOutsideLeavesTheGameAsExitDoes) {
    openGame(spreadLayout());
    window->close();
    run();
    EXPECT_FALSE(window->isOpen());
    EXPECT_EQ(mainWindowShown, 1);
}

TEST_F(GameWindowTest, PauseWithoutANotificationAreaWaitsInTheWindowUntilPauseAgain) {
    openGame(spreadLayout());
    clickTile(3);
    calendar.seconds += 10;
    window->onCommand(GameCommand::pause);
    EXPECT_TRUE(window->isPausedInWindow());
    EXPECT_FALSE(window->clock()->isRunning());
    EXPECT_TRUE(window->isVisible());
    // A click queued before the pause takes nothing.
    const int other = firstFreeTileOfGroupOtherThan(0, 3);
    clickTile(other);
    EXPECT_EQ(window->gameState()->selectedTile(), 3);
    // Minimized and restored meanwhile (by a window manager), the game stays paused.
    calendar.seconds += 300;
    window->showMinimized();
    window->showFullScreen();
    run();
    EXPECT_TRUE(window->isPausedInWindow());
    EXPECT_FALSE(window->clock()->isRunning());
    window->onCommand(GameCommand::pause);
    EXPECT_FALSE(window->isPaused());
    EXPECT_TRUE(window->clock()->isRunning());
    calendar.seconds += 5;
    window->clock()->tick();
    window->clock()->repaint();
    // Ten seconds before the pause and five after: the paused time is not counted.
    EXPECT_EQ(window->clock()->shownSeconds(), 15);
    EXPECT_EQ(window->gameState()->selectedTile(), 3);
}

TEST_F(GameWindowTest, PauseIntoTheNotificationAreaRestoresOnTheFirstLeftPress) {
    trayAvailable = true;
    openGame(spreadLayout());
    window->onCommand(GameCommand::help);
    calendar.seconds += 10;
    window->onCommand(GameCommand::pause);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->isPausedInWindow());
    calendar.seconds += 300;
    ASSERT_NE(window->trayIcon(), nullptr);
    EXPECT_EQ(window->trayIcon()->toolTip(), "Tessalo Game");
    // Icon 164 of the program's own resources, 32 × 32.
    EXPECT_TRUE(window->trayIcon()->icon().availableSizes().contains(QSize(32, 32)));
    emit window->trayIcon()->activated(QSystemTrayIcon::Context);
    emit window->trayIcon()->activated(QSystemTrayIcon::MiddleClick);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->clock()->isRunning());
    emit window->trayIcon()->activated(QSystemTrayIcon::Trigger);
    run();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->trayIcon(), nullptr);
    EXPECT_TRUE(window->clock()->isRunning());
    EXPECT_TRUE(window->gameState()->hintShown());
    calendar.seconds += 5;
    window->clock()->tick();
    window->clock()->repaint();
    EXPECT_EQ(window->clock()->shownSeconds(), 15);
}

TEST_F(GameWindowTest, OpeningAgainLoadsAndDealsAFreshGame) {
    for (int round = 0; round < 10; ++round) {
        openGame(spreadLayout());
        clickTile(0);
        clickTile(1);
        EXPECT_EQ(window->indicator()->remaining(), 142);
        window->onCommand(GameCommand::exit);
        EXPECT_FALSE(window->isOpen());
    }
    EXPECT_EQ(mainWindowShown, 10);
}

} // namespace
} // namespace tessalo

#include "skin/clock_window.h"
#include "skin/indicator_window.h"

#include "tests/skin/digit_skin_module.h"
#include "tests/skin/fake_calendar.h"

#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

namespace tessalo {
namespace {

// Stands in for the tiles: it covers the game window and counts the presses that reach it.
class Board final : public QWidget {
  public:
    using QWidget::QWidget;
    int presses = 0;

  protected:
    void mousePressEvent(QMouseEvent*) override { ++presses; }
};

// A clock at (100, 50) and an indicator at (300, 50) over a board, in an 800 × 600 game window.
class DigitWindowMouseTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const PeModule module = digit_skin::moduleOf(digit_skin::resources());
        ASSERT_TRUE(clock->loadSkin(module));
        ASSERT_TRUE(indicator->loadSkin(module));
        game.setGeometry(0, 0, 800, 600);
        board->setGeometry(0, 0, 800, 600);
        game.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&game));
        clock->createOwned({100, 50});
        indicator->createOwned({300, 50});
    }

    // Left button down at `from`, moved to `to`, released there; game-window coordinates.
    void drag(QPoint from, QPoint to) {
        QWindow* window = game.windowHandle();
        QTest::mousePress(window, Qt::LeftButton, {}, from);
        QTest::mouseMove(window, to);
        QTest::mouseRelease(window, Qt::LeftButton, {}, to);
    }

    FakeCalendar calendar;
    QWidget game;
    ClockWindow* clock = new ClockWindow(calendar, &game);
    IndicatorWindow* indicator = new IndicatorWindow(clock->digitSet(), &game);
    // Made last, so it lies above the clock and the indicator until they raise themselves.
    Board* board = new Board(&game);
};

TEST_F(DigitWindowMouseTest, Drag_MovesOnlyThatWindow) {
    drag({109, 53}, {159, 83});
    EXPECT_EQ(clock->pos(), QPoint(150, 80));
    EXPECT_EQ(indicator->pos(), QPoint(300, 50));

    drag({309, 53}, {409, 253});
    EXPECT_EQ(indicator->pos(), QPoint(400, 250));
    EXPECT_EQ(clock->pos(), QPoint(150, 80));
    EXPECT_EQ(board->presses, 0);

    QWindow* window = game.windowHandle();
    QTest::mousePress(window, Qt::RightButton, {}, {159, 83});
    QTest::mouseMove(window, {300, 300});
    QTest::mouseRelease(window, Qt::RightButton, {}, {300, 300});
    EXPECT_EQ(clock->pos(), QPoint(150, 80)); // only the left button drags
}

TEST_F(DigitWindowMouseTest, Drag_KeepsTheWindowInsideTheGameWindow) {
    drag({109, 53}, {2, 2});
    EXPECT_EQ(clock->pos(), QPoint(0, 0));
    drag({9, 3}, {799, 599});
    EXPECT_EQ(clock->pos(), QPoint(800 - 112, 600 - 48));
}

TEST_F(DigitWindowMouseTest, PressOutsideTheCells_ReachesWhatLiesBelow) {
    drag({112, 62}, {162, 92});            // the upper hole of the first cell
    drag({155, 55}, {205, 85});            // the gap between minutes and seconds
    drag({300 + 12, 50 + 33}, {400, 200}); // the lower hole of the indicator's first cell
    EXPECT_EQ(board->presses, 3);
    EXPECT_EQ(clock->pos(), QPoint(100, 50));
    EXPECT_EQ(indicator->pos(), QPoint(300, 50));
}

} // namespace
} // namespace tessalo

#include "tests/display/real_input.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

#include <gtest/gtest.h>

namespace tessalo::display {
namespace {

// A window that paints one colour and counts the presses and wheel turns it receives.
class Target final : public QWidget {
  public:
    Target() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {}
    int presses = 0;
    int wheelTurns = 0;

  protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), Qt::red); }
    void mousePressEvent(QMouseEvent*) override { ++presses; }
    void wheelEvent(QWheelEvent*) override { ++wheelTurns; }
};

// The harness itself: what is drawn reaches the screen, and real input reaches the window.
TEST(RealDisplay, PaintedWindowIsOnScreenAndTakesRealInput) {
    Target target;
    target.setGeometry(100, 100, 200, 150);
    target.show();
    ASSERT_TRUE(waitUntil([] {
        return screenPixel({200, 175}) == QColor(Qt::red);
    })) << "the window was never drawn on the screen";
    EXPECT_NE(screenPixel({50, 50}), QColor(Qt::red));

    click({200, 175});
    EXPECT_TRUE(waitUntil([&] { return target.presses == 1; }));
    turnWheel({200, 175}, 2);
    EXPECT_TRUE(waitUntil([&] { return target.wheelTurns == 2; }));
    click({50, 50});
    settle();
    EXPECT_EQ(target.presses, 1) << "a click beside the window reached it";
}

} // namespace
} // namespace tessalo::display

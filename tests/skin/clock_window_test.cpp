#include "skin/clock_window.h"

#include "skin/digit_cell.h"

#include "tests/skin/digit_skin_module.h"
#include "tests/skin/fake_calendar.h"

#include <gtest/gtest.h>

#include <memory>

namespace tessalo {
namespace {

using namespace digit_skin;

class ClockWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        game.resize(800, 600);
        ASSERT_TRUE(clock->loadSkin(moduleOf(resources())));
        clock->createOwned({100, 50});
    }

    // The four digits as drawn, sampled inside each digit image (digits at x = 5, 31, 65, 91).
    std::string shown() const {
        const QImage image = clock->grab().toImage();
        return {digitAt(image, {9, 3}), digitAt(image, {35, 3}), digitAt(image, {69, 3}),
                digitAt(image, {95, 3})};
    }

    FakeCalendar calendar;
    QWidget game;
    ClockWindow* clock = new ClockWindow(calendar, &game);
};

TEST_F(ClockWindowTest, TimeIsShownAsMinutesAndSeconds_HeldAt9959) {
    const struct {
        int seconds;
        const char* digits;
    } cases[] = {{0, "0000"},    {59, "0059"},   {61, "0101"},   {600, "1000"},
                 {3599, "5959"}, {5999, "9959"}, {6000, "9959"}, {7000, "9959"}};
    for (const auto& c : cases) {
        const std::int64_t start = calendar.now;
        clock->startNewGame();
        calendar.now = start + c.seconds;
        clock->tick();
        EXPECT_EQ(shown(), c.digits) << c.seconds;
        EXPECT_EQ(clock->shownSeconds(), c.seconds); // the record gets the true time
    }
}

TEST_F(ClockWindowTest, LateTick_LosesNothing) {
    clock->startNewGame();
    EXPECT_TRUE(clock->isRunning());
    calendar.now += 7;
    EXPECT_EQ(shown(), "0000");
    clock->tick();
    EXPECT_EQ(shown(), "0007");
    calendar.now += 1;
    clock->tick();
    EXPECT_EQ(shown(), "0008");
}

TEST_F(ClockWindowTest, Stop_HoldsTheTimeUpToTheStop_AndResumeContinuesFromThere) {
    clock->startNewGame();
    calendar.now += 10;
    clock->tick();
    calendar.now += 3;
    clock->stop();
    EXPECT_FALSE(clock->isRunning());
    calendar.now += 100;
    clock->tick(); // a tick already on its way when the clock stopped
    // Read before anything is drawn (the game window is not on screen): the time never waits
    // for a paint.
    EXPECT_EQ(clock->shownSeconds(), 13);
    EXPECT_EQ(shown(), "0013");
    clock->stop(); // a second stop counts nothing more
    EXPECT_EQ(shown(), "0013");

    clock->resumeRun();
    EXPECT_TRUE(clock->isRunning());
    EXPECT_EQ(shown(), "0013");
    calendar.now += 4;
    clock->tick();
    EXPECT_EQ(shown(), "0017");
    EXPECT_EQ(clock->shownSeconds(), 17);
}

TEST_F(ClockWindowTest, RunInterruptedWithoutStop_IsNotCounted) {
    clock->startNewGame();
    calendar.now += 10;
    clock->stop();
    clock->resumeRun();
    calendar.now += 20;
    clock->tick();
    EXPECT_EQ(shown(), "0030");
    clock->resumeRun(); // shown again after a minimize that did not go through stop
    calendar.now += 2;
    clock->tick();
    EXPECT_EQ(shown(), "0012");
}

TEST_F(ClockWindowTest, NewGame_StartsFromZero_AndCalendarSetBackShowsZero) {
    clock->startNewGame();
    calendar.now += 50;
    clock->stop();
    clock->startNewGame();
    calendar.now += 1;
    clock->tick();
    EXPECT_EQ(shown(), "0001");

    calendar.now -= 30;
    clock->tick();
    EXPECT_EQ(shown(), "0000");
    EXPECT_EQ(clock->shownSeconds(), 0);
}

TEST_F(ClockWindowTest, CreateOwned_ShowsAStoppedClockAtZeroInItsPlace) {
    EXPECT_EQ(clock->place(), QPoint(100, 50));
    EXPECT_EQ(clock->geometry(), QRect(100, 50, 112, 48));
    EXPECT_TRUE(clock->isVisibleTo(&game));
    EXPECT_FALSE(clock->isRunning());
    EXPECT_EQ(shown(), "0000");

    clock->startNewGame();
    calendar.now += 30;
    clock->tick();
    clock->createOwned({0, 0});
    EXPECT_FALSE(clock->isRunning());
    EXPECT_EQ(shown(), "0000");
}

TEST_F(ClockWindowTest, FaceShowsAroundTheDigits) {
    const QImage image = clock->grab().toImage();
    EXPECT_EQ(image.pixel(12, 23) & 0xFFFFFF, kClockFace);
    EXPECT_EQ(image.pixel(9, 7) & 0xFFFFFF, kClockFace); // just below a digit
}

TEST(ClockWindow, IsCreatedHidden) {
    FakeCalendar calendar;
    QWidget game;
    auto* clock = new ClockWindow(calendar, &game);
    game.show();
    EXPECT_FALSE(clock->isVisible());
}

TEST(ClockWindow, EveryDigitIsDrawnInTheSizeOfDigitZero) {
    auto withBigEight = resources();
    replace(withBigEight, "IDB_8", solidAscBitmap(20, 10, kDigitColours[8]));
    FakeCalendar calendar;
    QWidget game;
    auto* clock = new ClockWindow(calendar, &game);
    ASSERT_TRUE(clock->loadSkin(moduleOf(withBigEight)));
    EXPECT_EQ(clock->digitSet().width(), 12);
    EXPECT_EQ(clock->digitSet().height(), 6);
    clock->createOwned({0, 0});
    clock->startNewGame();
    calendar.now += 8;
    clock->tick();
    const QImage image = clock->grab().toImage();
    EXPECT_EQ(digitAt(image, {95, 3}), '8');
    EXPECT_EQ(image.pixel(91 + 14, 3) & 0xFFFFFF, kClockFace);
    EXPECT_EQ(image.pixel(95, 1 + 8) & 0xFFFFFF, kClockFace);
}

// Each image of the clock loads on its own: what is damaged costs only what it shows.
TEST(ClockWindow, DamagedDigit_OnlyThatDigitIsBlank_TheFaceAndTheOthersStay) {
    auto broken = resources();
    replace(broken, "IDB_7", {1, 2, 3, 4, 5});
    FakeCalendar calendar;
    QWidget game;
    auto* clock = new ClockWindow(calendar, &game);
    EXPECT_FALSE(clock->loadSkin(moduleOf(broken)));
    clock->createOwned({0, 0});
    clock->startNewGame();
    calendar.now += 17 * 60 + 57; // 1757
    clock->tick();
    const QImage image = clock->grab().toImage();
    EXPECT_EQ(digitAt(image, {9, 3}), '1');
    EXPECT_EQ(image.pixel(35, 3) & 0xFFFFFF, kClockFace); // the 7 left blank on the face
    EXPECT_EQ(digitAt(image, {69, 3}), '5');
    EXPECT_EQ(image.pixel(95, 3) & 0xFFFFFF, kClockFace);
    EXPECT_EQ(image.pixel(12, 23) & 0xFFFFFF, kClockFace);

    // Without digit 0 the others are drawn in the size of the first that decoded.
    auto noZero = resources();
    remove(noZero, "IDB_0");
    replace(noZero, "IDB_1", solidAscBitmap(10, 5, kDigitColours[1]));
    EXPECT_FALSE(clock->loadSkin(moduleOf(noZero)));
    EXPECT_TRUE(clock->digitSet().digit(0).isNull());
    EXPECT_EQ(clock->digitSet().width(), 10);
    EXPECT_EQ(clock->digitSet().height(), 5);
    EXPECT_EQ(digitAt(clock->grab().toImage(), {9, 3}), '1');
}

TEST(ClockWindow, DamagedFace_DigitsStillDrawOverWhatLiesBeneath) {
    auto broken = resources();
    replace(broken, "IDB_CLOCK", {1, 2, 3, 4, 5});
    FakeCalendar calendar;
    QWidget game;
    game.resize(800, 600);
    QPalette beneath = game.palette();
    beneath.setColor(QPalette::Window, QColor(0x123456));
    game.setPalette(beneath);
    game.setAutoFillBackground(true);
    auto* clock = new ClockWindow(calendar, &game);
    EXPECT_FALSE(clock->loadSkin(moduleOf(broken)));
    EXPECT_EQ(clock->digitSet().width(), kDigitWidth); // the digits are all there
    clock->createOwned({100, 50});
    EXPECT_EQ(clock->pos(), QPoint(100, 50));
    EXPECT_TRUE(clock->rect().contains(clockShape().boundingRect())); // all four cells show
    clock->startNewGame();
    calendar.now += 42;
    clock->tick();
    const QImage image = game.grab(clock->geometry()).toImage();
    EXPECT_EQ(std::string({digitAt(image, {9, 3}), digitAt(image, {35, 3}), digitAt(image, {69, 3}),
                           digitAt(image, {95, 3})}),
              "0042");
    EXPECT_EQ(image.pixel(12, 23) & 0xFFFFFF, 0x123456u);
}

TEST(ClockWindow, LoadSkin_FailsWithoutPlaceFaceOrAnyDigit_KeepingWhatLoaded) {
    const std::vector<std::uint8_t> garbage = {1, 2, 3, 4, 5};
    const struct {
        const char* what;
        const char* name;
        bool removed;
        std::vector<std::uint8_t> bytes;
        int blankDigit;
    } cases[] = {
        {"no place", "IDR_PLACE_CLOCK", true, {}, -1},
        {"short place", "IDR_PLACE_CLOCK", false, std::vector<std::uint8_t>(13, 0), -1},
        {"no face", "IDB_CLOCK", true, {}, -1},
        {"damaged face", "IDB_CLOCK", false, garbage, -1},
        {"no seven", "IDB_7", true, {}, 7},
        {"damaged zero", "IDB_0", false, garbage, 0},
        {"no nine", "IDB_9", true, {}, 9},
    };
    FakeCalendar calendar;
    ClockWindow clock(calendar, nullptr);
    const PeModule good = moduleOf(resources());
    for (const auto& c : cases) {
        auto broken = resources();
        if (c.removed)
            remove(broken, c.name);
        else
            replace(broken, c.name, c.bytes);
        ASSERT_TRUE(clock.loadSkin(good));
        EXPECT_FALSE(clock.loadSkin(moduleOf(broken))) << c.what;
        // The indicator draws with this set: one bad image must not take the other digits.
        for (int digit = 0; digit <= 9; ++digit)
            EXPECT_EQ(clock.digitSet().digit(digit).isNull(), digit == c.blankDigit)
                << c.what << ", digit " << digit;
    }
}

} // namespace
} // namespace tessalo

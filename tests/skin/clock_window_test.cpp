#include "skin/clock_window.h"

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
    EXPECT_EQ(shown(), "0013");
    EXPECT_EQ(clock->shownSeconds(), 13);
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

TEST(ClockWindow, LoadSkin_FailsWithoutPlaceFaceOrAnyDigit) {
    const std::vector<std::uint8_t> garbage = {1, 2, 3, 4, 5};
    const struct {
        const char* what;
        const char* name;
        bool removed;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
        {"no place", "IDR_PLACE_CLOCK", true, {}},
        {"short place", "IDR_PLACE_CLOCK", false, std::vector<std::uint8_t>(13, 0)},
        {"no face", "IDB_CLOCK", true, {}},
        {"damaged face", "IDB_CLOCK", false, garbage},
        {"no seven", "IDB_7", true, {}},
        {"damaged zero", "IDB_0", false, garbage},
        {"no nine", "IDB_9", true, {}},
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
        // Nothing of the earlier set is left to draw with.
        EXPECT_FALSE(clock.digitSet().loaded()) << c.what;
    }
}

TEST(DigitSet, LoadsAllTenOrNone) {
    DigitSet digits;
    ASSERT_TRUE(digits.load(moduleOf(resources())));
    EXPECT_TRUE(digits.loaded());
    EXPECT_EQ(digits.width(), 12);
    EXPECT_EQ(digits.height(), 6);
    EXPECT_EQ(digits.digit(3).pixel(0, 0) & 0xFFFFFF, 0xFFFF00u);

    auto broken = resources();
    remove(broken, "IDB_5");
    EXPECT_FALSE(digits.load(moduleOf(broken)));
    EXPECT_FALSE(digits.loaded());
    EXPECT_EQ(digits.width(), 0);
    EXPECT_TRUE(digits.digit(0).isNull());
}

} // namespace
} // namespace tessalo

#include "skin/indicator_window.h"

#include "tests/skin/digit_skin_module.h"

#include <gtest/gtest.h>

namespace tessalo {
namespace {

using namespace digit_skin;

// Digits at x = 5, 31, 57, y = 1, sampled inside each digit image.
std::string shown(IndicatorWindow& indicator) {
    const QImage image = indicator.grab().toImage();
    return {digitAt(image, {9, 3}), digitAt(image, {35, 3}), digitAt(image, {61, 3})};
}

class IndicatorWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const PeModule module = moduleOf(resources());
        ASSERT_TRUE(digits.load(module));
        ASSERT_TRUE(indicator->loadSkin(module));
        indicator->createOwned({92, 77});
    }

    DigitSet digits;
    QWidget game;
    IndicatorWindow* indicator = new IndicatorWindow(digits, &game);
};

TEST_F(IndicatorWindowTest, CountsDownByPairsWithLeadingZeros) {
    EXPECT_EQ(indicator->remaining(), 144);
    EXPECT_EQ(shown(*indicator), "144");
    EXPECT_EQ(indicator->pairRemoved(), 142);
    EXPECT_EQ(shown(*indicator), "142");
    for (int pair = 2; pair <= 24; ++pair)
        indicator->pairRemoved();
    EXPECT_EQ(indicator->remaining(), 96);
    EXPECT_EQ(shown(*indicator), "096");
    for (int pair = 25; pair < 72; ++pair)
        indicator->pairRemoved();
    EXPECT_EQ(indicator->pairRemoved(), 0);
    EXPECT_EQ(shown(*indicator), "000");

    indicator->resetCount();
    EXPECT_EQ(indicator->remaining(), 144);
    EXPECT_EQ(shown(*indicator), "144");
}

TEST_F(IndicatorWindowTest, CreateOwned_ShowsAFullCountInItsPlace) {
    EXPECT_EQ(indicator->place(), QPoint(-20, -7));
    EXPECT_EQ(indicator->geometry(), QRect(92, 77, 78, 48));
    EXPECT_TRUE(indicator->isVisibleTo(&game));
    indicator->pairRemoved();
    indicator->createOwned({0, 0});
    EXPECT_EQ(indicator->remaining(), 144);
}

TEST(IndicatorWindow, WithoutDigitSet_ShowsOnlyItsFace) {
    DigitSet none;
    QWidget game;
    auto* indicator = new IndicatorWindow(none, &game);
    ASSERT_TRUE(indicator->loadSkin(moduleOf(resources())));
    indicator->createOwned({0, 0});
    game.show();
    EXPECT_EQ(shown(*indicator), "???");
    const QImage image = indicator->grab().toImage();
    EXPECT_EQ(image.pixel(9, 3) & 0xFFFFFF, kIndicatorFace);
    EXPECT_EQ(image.pixel(61, 3) & 0xFFFFFF, kIndicatorFace);
}

TEST(IndicatorWindow, IsCreatedHidden_AndLoadSkinFailsWithoutPlaceOrFace) {
    DigitSet digits;
    QWidget game;
    auto* indicator = new IndicatorWindow(digits, &game);
    game.show();
    EXPECT_FALSE(indicator->isVisible());

    const struct {
        const char* what;
        const char* name;
        bool removed;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
        {"no place", "IDR_PLACE_INDICATOR", true, {}},
        {"short place", "IDR_PLACE_INDICATOR", false, std::vector<std::uint8_t>(11, 0)},
        {"no face", "IDB_INDICATOR", true, {}},
        {"damaged face", "IDB_INDICATOR", false, {9, 9, 9}},
    };
    for (const auto& c : cases) {
        auto broken = resources();
        if (c.removed)
            remove(broken, c.name);
        else
            replace(broken, c.name, c.bytes);
        EXPECT_FALSE(indicator->loadSkin(moduleOf(broken))) << c.what;
    }
    EXPECT_TRUE(indicator->loadSkin(moduleOf(resources())));
}

} // namespace
} // namespace tessalo

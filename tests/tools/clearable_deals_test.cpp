#include "game/clearable_deal.h"
#include "game/deal_random.h"
#include "game/game_state.h"
#include "game/solver.h"
#include "tests/tools/shipped_layouts_support.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tessalo {
namespace {

using test::CountingOutput;
using test::positionsOf;
using test::shippedLayout;

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TESSALO_SLOW_BUILD 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define TESSALO_SLOW_BUILD 1
#endif

// A few seconds in the ordinary build (the benchmark runs 1,000 a layout); the sanitizer build is
// ten times slower and runs a tenth.
#ifdef TESSALO_SLOW_BUILD
constexpr int kStarts = 40;
#else
constexpr int kStarts = 400;
#endif

const char* const kShippedLayouts[] = {"01-turtle.txt",   "02-pyramid.txt", "03-bridge.txt",
                                       "04-fortress.txt", "05-meadow.txt",  "06-cascade.txt"};

// The seed of a deal, found among the seeds from `second` on by comparing whole deals.
int seedOffsetOf(const std::vector<std::uint8_t>& order, std::uint32_t second) {
    for (int offset = 0; offset < kClearableDealTries; ++offset) {
        if (dealOrderForSeed(second + std::uint32_t(offset)) == order)
            return offset;
    }
    return -1;
}

// Every start deals one of the rules' deals, the first of the seconds from the clock's on that
// the search proves clearable (the same for every game started in that second), and the search's
// clearing, clicked tile by tile, empties the board.
TEST(ShippedDealsClearable, ManyStarts_DealClearingsThatEmptyTheBoard) {
    for (const char* file : kShippedLayouts) {
        const LayoutRecord layout = shippedLayout(file);
        const LayoutPositions positions = positionsOf(layout);
        const PositionRelations relations(layout.x, layout.y, layout.z);
        int firstSeedClearable = 0;
        for (int start = 0; start < kStarts; ++start) {
            const auto second = std::uint32_t(1'780'000'000u + 7919u * std::uint32_t(start));
            SCOPED_TRACE(std::string(file) + " second " + std::to_string(second));
            CountingOutput output;
            FixedCalendarClock clock(second);
            GameState game(output, clock, positions);
            game.setClearableDeals(true);
            game.deal();
            ASSERT_TRUE(game.dealProvenClearable());
            const std::vector<std::uint8_t> order = game.dealOrder();
            const int offset = seedOffsetOf(order, second);
            ASSERT_GE(offset, 0) << "not one of the rules' deals of the seconds that follow";
            firstSeedClearable += offset == 0;

            const ClearableDeal found = findClearableDeal(relations, second);
            ASSERT_EQ(found.dealOrder, order);
            ASSERT_EQ(found.seed, second + std::uint32_t(offset));
            for (const PositionPair& pair : found.pairs) {
                game.clickTile(order[pair.first]);
                game.clickTile(order[pair.second]);
            }
            ASSERT_EQ(output.remaining, 0);
            ASSERT_EQ(output.gameOvers, 1);
        }
        // Most seconds' own deals are proven at once: a search that passed over the first seed
        // would deal every game of a second as if it came a second later.
        EXPECT_GE(firstSeedClearable, kStarts / 2) << file;
    }
}

// Deals whose answers an earlier, separate solver gave: Turtle's seed 42 and Cascade's 65 cannot
// be cleared, so their second deals the next seed; with the option off, or switched off again,
// the rules' deal of the second stays.
TEST(ShippedDealsClearable, UnclearableSecond_MovesToTheNextSeed_OnlyWhenOn) {
    for (const auto& [file, second] :
         {std::pair{"01-turtle.txt", 42u}, std::pair{"06-cascade.txt", 65u}}) {
        SCOPED_TRACE(file);
        const LayoutPositions positions = positionsOf(shippedLayout(file));
        CountingOutput output;
        FixedCalendarClock clock(second);
        GameState game(output, clock, positions);
        game.deal();
        EXPECT_EQ(game.dealOrder(), dealOrderForSeed(second));
        EXPECT_FALSE(game.dealProvenClearable());
        game.setClearableDeals(true);
        game.deal();
        EXPECT_EQ(game.dealOrder(), dealOrderForSeed(second + 1));
        EXPECT_TRUE(game.dealProvenClearable());
        game.setClearableDeals(false);
        game.deal();
        EXPECT_EQ(game.dealOrder(), dealOrderForSeed(second));
        EXPECT_FALSE(game.dealProvenClearable());
    }
}

// Full rows of 17 tiles on one layer, listed left to right, so only the ends of each row are
// free: no deal of the seeds tried can be cleared, and the solver may not even decide them. The
// game still deals, the rules' own deal for the second, and does not call it clearable.
TEST(ShippedDealsClearable, LayoutWithoutAProvenDeal_GetsTheRulesDealUnclaimed) {
    LayoutPositions positions;
    for (int i = 0; i < kTileCount; ++i) {
        positions.x[i] = 2 * (i % 17);
        positions.y[i] = 2 * (i / 17);
        positions.z[i] = 0;
    }
    CountingOutput output;
    FixedCalendarClock clock(5000);
    GameState game(output, clock, positions);
    game.setClearableDeals(true);
    game.deal();
    EXPECT_EQ(game.dealOrder(), dealOrderForSeed(5000));
    EXPECT_FALSE(game.dealProvenClearable());
    EXPECT_EQ(output.remaining, 144);
}

} // namespace
} // namespace tessalo

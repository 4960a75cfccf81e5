#include "game/deal_random.h"
#include "game/game_state.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace tessalo {
namespace {

class RecordingOutput : public GameOutput {
  public:
    std::vector<std::string> log;
    int remaining = 144;
    int gameOvers = 0;

    void setHighlight(int tile, bool on) override {
        log.push_back("highlight " + std::to_string(tile) + (on ? " on" : " off"));
    }
    void hideTile(int tile) override { log.push_back("hide " + std::to_string(tile)); }
    void showTile(int tile) override { log.push_back("show " + std::to_string(tile)); }
    void positionTile(int tile, int x, int y, int z) override {
        log.push_back("position " + std::to_string(tile) + " " + std::to_string(x) + "," +
                      std::to_string(y) + "," + std::to_string(z));
    }
    void playPairSound() override { log.push_back("sound"); }
    void resetIndicator() override {
        remaining = 144;
        log.push_back("indicator reset");
    }
    int pairRemoved() override {
        remaining -= 2;
        log.push_back("pair removed");
        return remaining;
    }
    void startClock() override { log.push_back("clock start"); }
    void gameOver() override {
        ++gameOvers;
        log.push_back("game over");
    }
    void beginWaitCursor() override { log.push_back("wait on"); }
    void suspendRedraw() override { log.push_back("redraw off"); }
    void resumeRedraw() override { log.push_back("redraw on"); }
    void finishDeal() override { log.push_back("finish deal"); }

    bool contains(const std::string& entry) const {
        return std::find(log.begin(), log.end(), entry) != log.end();
    }
};

class FixedClock : public CalendarClock {
  public:
    std::int64_t seconds = 1000;
    std::int64_t secondsSinceEpoch() const override { return seconds; }
    LocalDate localDate() const override { return {}; }
};

// Every tile lies flat and alone: listed right to left, no side contact is ever recorded.
LayoutPositions allFreeLayout() {
    LayoutPositions layout;
    for (int i = 0; i < kTileCount; ++i) {
        layout.x[i] = 32 - 2 * (i % 17);
        layout.y[i] = 2 * (i / 17);
        layout.z[i] = 0;
    }
    return layout;
}

// Full rows of 17 tiles listed left to right, so only the two ends of each row are free; the
// last 8 positions form a ninth, shorter row.
LayoutPositions rowsLayout() {
    LayoutPositions layout;
    for (int i = 0; i < kTileCount; ++i) {
        layout.x[i] = 2 * (i % 17);
        layout.y[i] = 2 * (i / 17);
        layout.z[i] = 0;
    }
    return layout;
}

struct Fixture {
    RecordingOutput output;
    FixedClock clock;
    GameState game;

    explicit Fixture(const LayoutPositions& layout) : game(output, clock, layout) {}

    std::vector<int> freeTiles(int group) const {
        std::vector<int> tiles;
        for (int tile = 4 * group; tile < 4 * group + 4; ++tile) {
            if (!game.board().isBlocked(tile))
                tiles.push_back(tile);
        }
        return tiles;
    }

    // Deals at the first second from `start` on whose board `wanted` holds.
    void dealWhere(const std::function<bool()>& wanted, std::int64_t start = 1) {
        for (clock.seconds = start; clock.seconds < start + 100000; ++clock.seconds) {
            game.deal();
            if (wanted())
                return;
        }
        FAIL() << "no deal found";
    }

    int groupsWithMove() const {
        int count = 0;
        for (int group = 0; group < kGroupCount; ++group)
            count += freeTiles(group).size() >= 2 ? 1 : 0;
        return count;
    }
};

TEST(GameStateDeal, DrivesTheOutputsInOrder) {
    Fixture f(allFreeLayout());
    f.game.deal();
    const auto& log = f.output.log;
    ASSERT_EQ(log.size(), 2u + 144u + 1u + 144u + 3u);
    EXPECT_EQ(log[0], "wait on");
    EXPECT_EQ(log[1], "redraw off"); // no hides on the first deal
    const int firstTile = f.game.dealOrder()[0];
    EXPECT_EQ(log[2], "position " + std::to_string(firstTile) + " 32,0,0");
    EXPECT_EQ(log[146], "redraw on");
    EXPECT_EQ(log[147], "show 0");
    EXPECT_EQ(log[290], "show 143");
    EXPECT_EQ(log[291], "clock start");
    EXPECT_EQ(log[292], "indicator reset");
    EXPECT_EQ(log[293], "finish deal");
}

TEST(GameStateDeal, HidesThePreviousDealFromTheLastTileToTheFirst) {
    Fixture f(allFreeLayout());
    f.game.deal();
    const auto previous = f.game.dealOrder();
    f.output.log.clear();
    f.game.deal();
    ASSERT_GT(f.output.log.size(), 146u);
    EXPECT_EQ(f.output.log[2], "hide " + std::to_string(previous.back()));
    EXPECT_EQ(f.output.log[145], "hide " + std::to_string(previous.front()));
}

TEST(GameStateDeal, SameSecondGivesSameOrder_NextSecondAnother) {
    Fixture f(allFreeLayout());
    f.game.deal();
    const auto first = f.game.dealOrder();
    f.game.deal();
    EXPECT_EQ(f.game.dealOrder(), first);
    ++f.clock.seconds;
    f.game.deal();
    EXPECT_NE(f.game.dealOrder(), first);
}

TEST(GameStateDeal, StartDuringAGame_DropsSelectionHintAndCounters) {
    Fixture f(allFreeLayout());
    f.game.deal();
    f.game.clickTile(0);
    f.game.clickTile(1); // a pair
    f.game.toggleHint();
    ASSERT_TRUE(f.game.hintShown());
    ASSERT_EQ(f.game.hintsUsed(), 1);
    f.game.clickTile(8); // clears the hint and selects
    ASSERT_EQ(f.game.selectedTile(), 8);

    f.game.deal();
    EXPECT_EQ(f.game.selectedTile(), kNoTile);
    EXPECT_FALSE(f.game.hintShown());
    EXPECT_EQ(f.game.hintsUsed(), 0);
    EXPECT_EQ(f.output.remaining, 144);
    for (int tile = 0; tile < kTileCount; ++tile)
        EXPECT_EQ(f.game.board().isBlocked(tile), 0) << tile; // removed tiles are back
}

TEST(GameStateDeal, StartWhileAHintIsShown_LeavesNoHint) {
    Fixture f(allFreeLayout());
    f.game.deal();
    f.game.toggleHint();
    ASSERT_TRUE(f.game.hintShown());

    f.game.deal();
    EXPECT_FALSE(f.game.hintShown());
    // The first click of the new game selects at once, without switching off a stale hint.
    f.output.log.clear();
    f.game.clickTile(3);
    EXPECT_EQ(f.output.log, (std::vector<std::string>{"highlight 3 on"}));
    // And Help shows a hint and counts it, rather than taking an old one away.
    f.game.toggleHint();
    EXPECT_TRUE(f.game.hintShown());
    EXPECT_EQ(f.game.hintsUsed(), 1);
}

// The seed is the calendar time in whole seconds since 1970, kept to the generator's 32 bits.
TEST(GameStateDeal, SeedIsTheCalendarSecond) {
    Fixture f(allFreeLayout());
    f.clock.seconds = 1700000000;
    f.game.deal();
    EXPECT_EQ(f.game.dealOrder(), dealOrderForSeed(1700000000u));
    const std::vector<std::uint8_t> pinnedStart = {94, 19, 55, 100, 29, 70, 61, 1, 11, 28, 137, 69};
    EXPECT_TRUE(std::equal(pinnedStart.begin(), pinnedStart.end(), f.game.dealOrder().begin()));

    f.clock.seconds = 1700000001;
    f.game.deal();
    EXPECT_EQ(f.game.dealOrder(), dealOrderForSeed(1700000001u));
    EXPECT_NE(f.game.dealOrder(), dealOrderForSeed(1700000000u));

    // After 2106 the seconds no longer fit: 2^32 + 1700000000 seeds like 1700000000.
    f.clock.seconds = 5994967296;
    f.game.deal();
    EXPECT_EQ(f.game.dealOrder(), dealOrderForSeed(1700000000u));
}

TEST(CalendarClock, CountsSecondsSinceNineteenSeventy) {
    const auto now = std::chrono::duration_cast<std::chrono::seconds>(
                         std::chrono::system_clock::now().time_since_epoch())
                         .count();
    EXPECT_NEAR(static_cast<double>(SystemCalendarClock().secondsSinceEpoch()),
                static_cast<double>(now), 2.0);
}

TEST(GameStateClick, SelectDeselectAndMoveTheSelection) {
    Fixture f(allFreeLayout());
    f.game.deal();
    f.output.log.clear();
    f.game.clickTile(5);
    EXPECT_EQ(f.game.selectedTile(), 5);
    f.game.clickTile(5);
    EXPECT_EQ(f.game.selectedTile(), kNoTile);
    f.game.clickTile(5);
    f.game.clickTile(9); // another group: the selection moves
    EXPECT_EQ(f.game.selectedTile(), 9);
    EXPECT_EQ(f.output.log,
              (std::vector<std::string>{"highlight 5 on", "highlight 5 off", "highlight 5 on",
                                        "highlight 5 off", "highlight 9 on"}));
}

TEST(GameStateClick, Match_RemovesClickedThenSelectedAndCountsDown) {
    Fixture f(allFreeLayout());
    f.game.deal();
    f.output.log.clear();
    f.game.clickTile(6);
    f.game.clickTile(4); // group 1 whatever the pictures
    EXPECT_EQ(f.output.log, (std::vector<std::string>{"highlight 6 on", "hide 4", "hide 6", "sound",
                                                      "pair removed"}));
    EXPECT_EQ(f.game.selectedTile(), kNoTile);
    EXPECT_EQ(f.output.remaining, 142);
    EXPECT_FALSE(f.game.board().tile(4).onBoard);
    EXPECT_EQ(f.game.board().isBlocked(6), 1);
    // Removed tiles are ignored from then on.
    f.output.log.clear();
    f.game.clickTile(4);
    EXPECT_TRUE(f.output.log.empty());
}

TEST(GameStateClick, BlockedTile_IsIgnoredSilently) {
    Fixture f(rowsLayout());
    f.game.deal();
    const int middle = f.game.dealOrder()[5]; // inside the first row
    f.output.log.clear();
    f.game.clickTile(middle);
    EXPECT_TRUE(f.output.log.empty());
    EXPECT_EQ(f.game.selectedTile(), kNoTile);
}

TEST(GameStateEnd, ClearingTheBoard_EndsTheGameWithNothingLeft) {
    Fixture f(allFreeLayout());
    f.game.deal();
    for (int group = 0; group < kGroupCount; ++group) {
        f.game.clickTile(4 * group);
        f.game.clickTile(4 * group + 1);
        f.game.clickTile(4 * group + 2);
        f.game.clickTile(4 * group + 3);
    }
    EXPECT_EQ(f.output.remaining, 0);
    EXPECT_EQ(f.output.gameOvers, 1);
    EXPECT_EQ(f.output.log.back(), "game over");
}

TEST(GameStateEnd, NoMoveLeftAfterAPair_EndsTheGameAtOnce) {
    Fixture f(rowsLayout());
    std::vector<int> pair;
    // A deal whose only move leaves no other behind it.
    f.dealWhere([&f, &pair] {
        if (f.groupsWithMove() != 1)
            return false;
        int group = 0;
        while (f.freeTiles(group).size() < 2)
            ++group;
        pair = f.freeTiles(group);
        Board after = f.game.board();
        after.remove(pair[0]);
        after.remove(pair[1]);
        return !after.hasMove();
    });
    f.game.clickTile(pair[0]);
    f.game.clickTile(pair[1]);
    EXPECT_EQ(f.output.gameOvers, 1);
    EXPECT_EQ(f.output.remaining, 142);
}

TEST(GameStateHint, ShowsEveryFreeTileOfEveryGroupWithAMove) {
    Fixture f(rowsLayout());
    f.dealWhere([&f] { return f.groupsWithMove() >= 2; });
    f.output.log.clear();
    f.game.toggleHint();
    std::vector<std::string> expected;
    for (int group = 0; group < kGroupCount; ++group) {
        const auto tiles = f.freeTiles(group);
        if (tiles.size() < 2)
            continue;
        for (int tile : tiles)
            expected.push_back("highlight " + std::to_string(tile) + " on");
    }
    EXPECT_EQ(f.output.log, expected);
    EXPECT_TRUE(f.game.hintShown());
    EXPECT_EQ(f.game.hintsUsed(), 1);
}

TEST(GameStateHint, SecondPressIsFree_ThirdCountsAgain_SelectionIsDropped) {
    Fixture f(allFreeLayout());
    f.game.deal();
    f.game.clickTile(7);
    f.game.toggleHint();
    EXPECT_EQ(f.game.selectedTile(), kNoTile);
    EXPECT_TRUE(f.output.contains("highlight 7 off"));
    EXPECT_EQ(f.game.hintsUsed(), 1);
    f.output.log.clear();
    f.game.toggleHint();
    EXPECT_FALSE(f.game.hintShown());
    EXPECT_EQ(f.game.hintsUsed(), 1);
    EXPECT_EQ(f.output.log.size(), 144u); // every tile switched off, in index order
    EXPECT_EQ(f.output.log.front(), "highlight 0 off");
    f.game.toggleHint();
    EXPECT_EQ(f.game.hintsUsed(), 2);
}

TEST(GameStateHint, ClickWhileShown_ClearsTheHintFirst) {
    Fixture f(rowsLayout());
    f.dealWhere([&f] { return f.groupsWithMove() >= 1; });
    const int blocked = f.game.dealOrder()[5];
    f.game.toggleHint();
    f.game.clickTile(blocked);
    EXPECT_FALSE(f.game.hintShown());
    EXPECT_EQ(f.game.selectedTile(), kNoTile);

    f.game.toggleHint();
    const int freeTile = f.game.dealOrder()[0]; // left end of the first row
    f.game.clickTile(freeTile);
    EXPECT_FALSE(f.game.hintShown());
    EXPECT_EQ(f.game.selectedTile(), freeTile);
    EXPECT_EQ(f.game.hintsUsed(), 2);
}

TEST(GameStateHint, NoMove_EndsTheGameWithoutCountingAHint) {
    Fixture f(rowsLayout());
    f.dealWhere([&f] { return f.groupsWithMove() == 0; });
    EXPECT_EQ(f.output.gameOvers, 0); // a dead deal says nothing until Help
    f.game.toggleHint();
    EXPECT_EQ(f.output.gameOvers, 1);
    EXPECT_EQ(f.game.hintsUsed(), 0);
    EXPECT_FALSE(f.game.hintShown());
}

} // namespace
} // namespace tessalo

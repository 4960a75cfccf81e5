#include "game/solver_table.h"

#include <gtest/gtest.h>

using tessalo::solver::DeadStates;
using tessalo::solver::kAllPairings;
using tessalo::solver::State;

namespace {

State board(std::initializer_list<int> tiles) {
    State s;
    for (int p : tiles)
        s.present.insert(p);
    s.pairings.fill(kAllPairings);
    return s;
}

} // namespace

// A dead board covers those with the same tiles and fewer pairings open, never one with more
// open or with other tiles; a wider dead board found later takes over from a narrower one.
TEST(DeadStates, CoverNarrowerBoardsWithTheSameTiles) {
    DeadStates dead;
    State narrow = board({0, 1, 2, 3, 70, 130});
    narrow.pairings[0] = 0b001;
    narrow.pairings[90] = 0b110;
    dead.insert(narrow);

    State narrower = narrow;
    narrower.pairings[90] = 0b100;
    EXPECT_TRUE(dead.contains(narrow));
    EXPECT_TRUE(dead.contains(narrower));

    State wider = narrow;
    wider.pairings[90] = kAllPairings;
    EXPECT_FALSE(dead.contains(wider));
    State otherTiles = narrow;
    otherTiles.present.erase(130);
    EXPECT_FALSE(dead.contains(otherTiles));

    State elsewhere = narrow;
    elsewhere.pairings[0] = 0b010;
    dead.insert(elsewhere);
    dead.insert(wider);
    EXPECT_TRUE(dead.contains(wider));
    EXPECT_TRUE(dead.contains(elsewhere));
    State both = wider;
    both.pairings[0] = 0b011;
    EXPECT_FALSE(dead.contains(both));
}

// A board is known dead when a dead one with the same tiles closed no pairing that it leaves
// open, whichever groups they are (groups 64 apart included), and stays known as the table grows.
TEST(DeadStates, FindNarrowerBoardsAmongManyWithOtherTiles) {
    const auto boardWith = [](int tilesSeed, std::initializer_list<std::pair<int, int>> closed) {
        State state;
        for (int p = 0; p < 40; ++p)
            state.present.insert(p);
        for (int bit = 0; bit < 16; ++bit) {
            if (tilesSeed >> bit & 1)
                state.present.insert(100 + bit);
        }
        state.pairings.fill(kAllPairings);
        for (const auto& [group, pairing] : closed)
            state.pairings[group] &= static_cast<std::uint8_t>(~(1u << pairing));
        return state;
    };
    DeadStates dead;
    dead.insert(boardWith(0, {{70, 1}}));
    dead.insert(boardWith(0, {{3, 0}, {5, 2}}));
    EXPECT_TRUE(dead.contains(boardWith(0, {{70, 1}})));
    EXPECT_TRUE(dead.contains(boardWith(0, {{70, 1}, {70, 2}, {9, 0}})));
    EXPECT_TRUE(dead.contains(boardWith(0, {{3, 0}, {5, 2}, {6, 1}})));
    EXPECT_FALSE(dead.contains(boardWith(0, {})));
    EXPECT_FALSE(dead.contains(boardWith(0, {{6, 1}})));  // the group 64 before 70
    EXPECT_FALSE(dead.contains(boardWith(0, {{70, 2}}))); // the other pairing of group 70
    EXPECT_FALSE(dead.contains(boardWith(0, {{3, 0}, {5, 1}})));
    EXPECT_FALSE(dead.contains(boardWith(1, {{70, 1}})));
    // Many more dead boards, half of them with the same tiles, and the same ones again.
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 1500; ++i)
            dead.insert(
                boardWith(i % 2 == 1 ? 3 + i : 0, {{10 + i % 80, i % 3}, {20 + i % 50, 0}}));
    }
    EXPECT_TRUE(dead.contains(boardWith(0, {{70, 1}, {8, 0}})));
    EXPECT_TRUE(dead.contains(boardWith(0, {{3, 0}, {5, 2}})));
    EXPECT_TRUE(dead.contains(boardWith(0, {{12, 2}, {22, 0}})));
    EXPECT_TRUE(dead.contains(boardWith(3 + 7, {{17, 1}, {27, 0}})));
    EXPECT_FALSE(dead.contains(boardWith(3 + 7, {{70, 1}})));
    EXPECT_FALSE(dead.contains(boardWith(0, {{11, 1}})));
    EXPECT_FALSE(dead.contains(boardWith(1, {{11, 1}, {21, 0}})));
}

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

#pragma once

#include "game/solver.h"

#include <cstdint>
#include <vector>

namespace tessalo {

// The choice budget of one seed. A choice can cost a millisecond on a hard board, so the budget
// is small: a deal the solver needs longer for is passed over for the next seed, and the player
// never waits (see the README for the figures).
inline constexpr std::uint64_t kClearableDealBudget = 300;
// Seeds tried before a layout that keeps the solver undecided gets the rules' own deal.
inline constexpr int kClearableDealTries = 20;

struct ClearableDeal {
    std::uint32_t seed = 0;
    std::vector<std::uint8_t> dealOrder;
    // False only when no seed of the tries was proven clearable: the deal is then the rules' own
    // for the second, and nothing is claimed about it.
    bool proven = false;
    int tries = 0;
    // When proven: the pairs, as positions, that clear the board.
    std::vector<PositionPair> pairs;
};

// The first of the seeds second, second + 1, ... whose deal the solver proves clearable.
ClearableDeal findClearableDeal(const PositionRelations& relations, std::uint32_t second,
                                std::uint64_t budget = kClearableDealBudget,
                                int tries = kClearableDealTries);

} // namespace tessalo

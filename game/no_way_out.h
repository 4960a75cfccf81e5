#pragma once

#include "game/board.h"
#include "game/solver.h"

#include <cstdint>
#include <span>
#include <vector>

namespace tessalo {

// The tiles still on the board, in placing order, with their places: what the solver needs to
// decide a game in progress.
struct BoardPosition {
    std::vector<std::uint8_t> x;
    std::vector<std::uint8_t> y;
    std::vector<std::uint8_t> z;
    std::vector<std::uint8_t> tiles; // the tile at each place; its match group is tile / 4
    int size() const { return static_cast<int>(tiles.size()); }
};

BoardPosition boardPosition(const Board& board, std::span<const std::uint8_t> dealOrder);

// Whether some sequence of pairs still clears the board, choosing at most `budget` times. Taken
// tiles never hold others back, so the tiles left form a deal of their own; the order of placing
// is kept, since side contacts depend on it.
SolveResult solveBoardPosition(const BoardPosition& position, std::uint64_t budget);

// Work allowed for one check during play: enough to decide every deal of the shipped layouts from
// the start, which is harder than any board later in the game.
inline constexpr std::uint64_t kNoWayOutBudget = kDefaultSolveBudget;

} // namespace tessalo

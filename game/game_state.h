#pragma once

#include "game/board.h"
#include "game/game_output.h"
#include "platform/calendar_clock.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace tessalo {

class PositionRelations;

// The 144 positions of the layout in play, in placing order.
struct LayoutPositions {
    std::array<std::int32_t, kTileCount> x{};
    std::array<std::int32_t, kTileCount> y{};
    std::array<std::int32_t, kTileCount> z{};
};

// The rules of play: deals, selects and matches tiles, finds hints and detects the end of a game.
class GameState {
  public:
    GameState(GameOutput& output, const CalendarClock& clock, const LayoutPositions& layout);
    ~GameState();

    // On: the next deals are the first of the seeds from the calendar second on that the solver
    // proves clearable. Off, every deal is the rules' deal for the second.
    void setClearableDeals(bool on);
    // Whether the current deal was proven clearable; a layout the solver cannot decide quickly
    // keeps the rules' deal, which is then not claimed to be.
    bool dealProvenClearable() const { return dealProven_; }

    void deal();
    void clickTile(int tile);
    void toggleHint();
    void clearHint();

    int selectedTile() const { return selectedTile_; }
    bool hintShown() const { return hintShown_; }
    int hintsUsed() const { return hintsUsed_; }
    const std::vector<std::uint8_t>& dealOrder() const { return dealOrder_; }
    const Board& board() const { return board_; }

  private:
    void removePair(int clicked);
    std::vector<std::uint8_t> chooseDealOrder();

    GameOutput& output_;
    const CalendarClock& clock_;
    LayoutPositions layout_;
    Board board_;
    std::vector<std::uint8_t> dealOrder_;
    int selectedTile_ = kNoTile;
    bool hintShown_ = false;
    int hintsUsed_ = 0;
    std::unique_ptr<PositionRelations> clearableRelations_; // set while clearable deals are on
    bool dealProven_ = false;
};

} // namespace tessalo

#include "game/game_state.h"

#include "game/clearable_deal.h"
#include "game/deal_random.h"

namespace tessalo {

GameState::GameState(GameOutput& output, const CalendarClock& clock, const LayoutPositions& layout)
    : output_(output), clock_(clock), layout_(layout) {}

GameState::~GameState() = default;

void GameState::setClearableDeals(bool on) {
    if (!on) {
        clearableRelations_.reset();
        return;
    }
    if (clearableRelations_)
        return;
    // Layouts reach the game checked, so every coordinate fits the grid's small numbers.
    std::array<std::uint8_t, kTileCount> x{}, y{}, z{};
    for (int i = 0; i < kTileCount; ++i) {
        x[std::size_t(i)] = static_cast<std::uint8_t>(layout_.x[std::size_t(i)]);
        y[std::size_t(i)] = static_cast<std::uint8_t>(layout_.y[std::size_t(i)]);
        z[std::size_t(i)] = static_cast<std::uint8_t>(layout_.z[std::size_t(i)]);
    }
    clearableRelations_ = std::make_unique<PositionRelations>(x, y, z);
}

std::vector<std::uint8_t> GameState::chooseDealOrder() {
    // The seed is the calendar time truncated to 32 bits, so two deals in one second are equal.
    const auto second = static_cast<std::uint32_t>(clock_.secondsSinceEpoch());
    if (!clearableRelations_) {
        dealProven_ = false;
        return dealOrderForSeed(second);
    }
    ClearableDeal chosen = findClearableDeal(*clearableRelations_, second);
    dealProven_ = chosen.proven;
    return std::move(chosen.dealOrder);
}

void GameState::deal() {
    output_.beginWaitCursor();
    board_.clear();
    output_.suspendRedraw();
    for (auto it = dealOrder_.rbegin(); it != dealOrder_.rend(); ++it) {
        board_.setOnBoard(*it, false);
        output_.hideTile(*it);
    }
    dealOrder_ = chooseDealOrder();
    for (int position = 0; position < kTileCount; ++position) {
        const int tile = dealOrder_[position];
        board_.place(tile, layout_.x[position], layout_.y[position], layout_.z[position]);
        output_.positionTile(tile, layout_.x[position], layout_.y[position], layout_.z[position]);
    }
    selectedTile_ = kNoTile;
    hintShown_ = false;
    output_.resumeRedraw();
    for (int tile = 0; tile < kTileCount; ++tile) {
        board_.setOnBoard(tile, true);
        output_.showTile(tile);
    }
    output_.startClock();
    output_.resetIndicator();
    hintsUsed_ = 0;
    output_.finishDeal();
}

void GameState::clickTile(int tile) {
    if (hintShown_)
        clearHint();
    if (board_.isBlocked(tile))
        return;
    if (selectedTile_ == kNoTile) {
        selectedTile_ = tile;
        output_.setHighlight(tile, true);
        return;
    }
    if (selectedTile_ == tile) {
        selectedTile_ = kNoTile;
        output_.setHighlight(tile, false);
        return;
    }
    if (matchGroup(selectedTile_) == matchGroup(tile)) {
        removePair(tile);
        return;
    }
    output_.setHighlight(selectedTile_, false);
    selectedTile_ = tile;
    output_.setHighlight(tile, true);
}

void GameState::removePair(int clicked) {
    // The clicked tile leaves first, then the one selected before. Their highlights stay on:
    // the windows are hidden and the next deal's positioning clears the flag.
    board_.remove(clicked);
    output_.hideTile(clicked);
    board_.remove(selectedTile_);
    output_.hideTile(selectedTile_);
    output_.playPairSound();
    selectedTile_ = kNoTile;
    const int remaining = output_.pairRemoved();
    if (remaining == 0 || !board_.hasMove())
        output_.gameOver();
}

void GameState::toggleHint() {
    if (selectedTile_ != kNoTile) {
        output_.setHighlight(selectedTile_, false);
        selectedTile_ = kNoTile;
    }
    if (hintShown_) {
        clearHint();
        return;
    }
    for (int group = 0; group < kGroupCount; ++group) {
        if (board_.blockedCount(group) >= 3)
            continue;
        hintShown_ = true;
        for (int tile = 4 * group; tile < 4 * group + 4; ++tile) {
            if (!board_.isBlocked(tile))
                output_.setHighlight(tile, true);
        }
    }
    if (hintShown_)
        ++hintsUsed_;
    else
        output_.gameOver();
}

void GameState::clearHint() {
    hintShown_ = false;
    for (int tile = 0; tile < kTileCount; ++tile)
        output_.setHighlight(tile, false);
}

} // namespace tessalo

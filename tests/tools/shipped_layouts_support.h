#pragma once

#include "game/game_state.h"
#include "game/layout_record.h"
#include "tools/layout_text.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace tessalo::test {

// A layout of data/layouts as the library builder reads it.
inline LayoutRecord shippedLayout(const char* file) {
    std::ifstream in(std::filesystem::path(TESSALO_SOURCE_DIR) / "data/layouts" / file);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return parseLayoutText(text).layout;
}

inline LayoutPositions positionsOf(const LayoutRecord& layout) {
    LayoutPositions positions;
    for (int i = 0; i < kTileCount; ++i) {
        positions.x[std::size_t(i)] = layout.x[std::size_t(i)];
        positions.y[std::size_t(i)] = layout.y[std::size_t(i)];
        positions.z[std::size_t(i)] = layout.z[std::size_t(i)];
    }
    return positions;
}

// Counts what a player would see: pairs taken, tiles left, the end of the game.
class CountingOutput : public GameOutput {
  public:
    int remaining = 144;
    int gameOvers = 0;

    void setHighlight(int, bool) override {}
    void hideTile(int) override {}
    void showTile(int) override {}
    void positionTile(int, int, int, int) override {}
    void playPairSound() override {}
    void resetIndicator() override { remaining = 144; }
    int pairRemoved() override { return remaining -= 2; }
    void startClock() override {}
    void gameOver() override { ++gameOvers; }
    void beginWaitCursor() override {}
    void suspendRedraw() override {}
    void resumeRedraw() override {}
    void finishDeal() override {}
};

} // namespace tessalo::test

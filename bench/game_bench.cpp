#include "game/game_state.h"

#include <benchmark/benchmark.h>

#include <random>

namespace tessalo {
namespace {

class NullOutput : public GameOutput {
  public:
    int remaining = 144;
    bool over = false;

    void setHighlight(int, bool) override {}
    void hideTile(int) override {}
    void showTile(int) override {}
    void positionTile(int, int, int, int) override {}
    void playPairSound() override {}
    void resetIndicator() override {
        remaining = 144;
        over = false;
    }
    int pairRemoved() override { return remaining -= 2; }
    void startClock() override {}
    void gameOver() override { over = true; }
    void beginWaitCursor() override {}
    void suspendRedraw() override {}
    void resumeRedraw() override {}
    void finishDeal() override {}
};

class CountingClock : public CalendarClock {
  public:
    mutable std::int64_t seconds = 0;
    std::int64_t secondsSinceEpoch() const override { return seconds++; }
    LocalDate localDate() const override { return {}; }
};

// A stepped pyramid listed from the top layer down, cut off at 144 tiles: covers and side
// contacts both matter.
LayoutPositions pyramidLayout() {
    LayoutPositions layout;
    const int columns[] = {12, 8, 6, 4};
    const int rows[] = {8, 6, 4, 2};
    int i = 0;
    for (int z = 3; z >= 0; --z) {
        for (int column = 0; column < columns[z]; ++column) {
            for (int row = rows[z] - 1; row >= 0 && i < kTileCount; --row, ++i) {
                layout.x[i] = 2 * column + (12 - columns[z]) + 4;
                layout.y[i] = 2 * row + (8 - rows[z]) + 1;
                layout.z[i] = z;
            }
        }
    }
    return layout;
}

void BM_Deal(benchmark::State& state) {
    NullOutput output;
    CountingClock clock;
    GameState game(output, clock, pyramidLayout());
    for (auto _ : state) {
        game.deal();
        benchmark::DoNotOptimize(game.dealOrder().data());
    }
}
BENCHMARK(BM_Deal);

// Deals and clicks random tiles until the game is over, as a careless player would.
void BM_RandomGameOfClicks(benchmark::State& state) {
    NullOutput output;
    CountingClock clock;
    GameState game(output, clock, pyramidLayout());
    std::mt19937 random(7);
    std::uniform_int_distribution<int> anyTile(0, kTileCount - 1);
    std::int64_t clicks = 0;
    for (auto _ : state) {
        game.deal();
        while (!output.over) {
            game.clickTile(anyTile(random));
            ++clicks;
            if (clicks % 64 == 0)
                game.toggleHint(); // ends a game with no move left
        }
    }
    state.counters["clicks"] =
        benchmark::Counter(static_cast<double>(clicks), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RandomGameOfClicks);

} // namespace
} // namespace tessalo

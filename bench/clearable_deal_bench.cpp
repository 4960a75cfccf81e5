#include "game/deal_random.h"
#include "game/game_state.h"
#include "tools/layout_text.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace tessalo;

class SilentOutput : public GameOutput {
  public:
    void setHighlight(int, bool) override {}
    void hideTile(int) override {}
    void showTile(int) override {}
    void positionTile(int, int, int, int) override {}
    void playPairSound() override {}
    void resetIndicator() override {}
    int pairRemoved() override { return 0; }
    void startClock() override {}
    void gameOver() override {}
    void beginWaitCursor() override {}
    void suspendRedraw() override {}
    void resumeRedraw() override {}
    void finishDeal() override {}
};

LayoutPositions shippedPositions(const char* file) {
    std::ifstream in(std::filesystem::path(TESSALO_SOURCE_DIR) / "data/layouts" / file);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const LayoutRecord layout = parseLayoutText(text).layout;
    LayoutPositions positions;
    for (int i = 0; i < kTileCount; ++i) {
        positions.x[std::size_t(i)] = layout.x[std::size_t(i)];
        positions.y[std::size_t(i)] = layout.y[std::size_t(i)];
        positions.z[std::size_t(i)] = layout.z[std::size_t(i)];
    }
    return positions;
}

// What a click on Start costs with clearable deals on: the whole deal, seed search included, for
// 1,000 calendar seconds a prime apart. Also counts the starts whose own second was proven, and
// the most seeds one start tried.
void startClearableGames(benchmark::State& state, const char* file) {
    const LayoutPositions positions = shippedPositions(file);
    SilentOutput output;
    std::vector<double> times;
    int firstSeedProven = 0;
    int unproven = 0;
    int mostSeeds = 0;
    for (auto _ : state) {
        for (std::uint32_t start = 0; start < 1000; ++start) {
            const std::uint32_t second = 1'780'000'000u + 7919u * start;
            FixedCalendarClock clock(second);
            GameState game(output, clock, positions);
            game.setClearableDeals(true);
            const auto started = std::chrono::steady_clock::now();
            game.deal();
            times.push_back(std::chrono::duration<double, std::milli>(
                                std::chrono::steady_clock::now() - started)
                                .count());
            int seeds = 1;
            while (seeds < 64 && game.dealOrder() != dealOrderForSeed(second + seeds - 1))
                ++seeds;
            firstSeedProven += seeds == 1 && game.dealProvenClearable();
            mostSeeds = std::max(mostSeeds, seeds);
            unproven += !game.dealProvenClearable();
        }
    }
    std::sort(times.begin(), times.end());
    state.counters["median_ms"] = times[times.size() / 2];
    state.counters["worst_ms"] = times.back();
    state.counters["first_seed_proven"] = firstSeedProven;
    state.counters["unproven"] = unproven;
    state.counters["most_seeds"] = mostSeeds;
}

#define TESSALO_CLEARABLE_BENCH(name, file)                                                        \
    void BM_ClearableStart##name(benchmark::State& state) {                                        \
        startClearableGames(state, file);                                                          \
    }                                                                                              \
    BENCHMARK(BM_ClearableStart##name)->Unit(benchmark::kMillisecond)->Iterations(1)

TESSALO_CLEARABLE_BENCH(Turtle, "01-turtle.txt");
TESSALO_CLEARABLE_BENCH(Pyramid, "02-pyramid.txt");
TESSALO_CLEARABLE_BENCH(Bridge, "03-bridge.txt");
TESSALO_CLEARABLE_BENCH(Fortress, "04-fortress.txt");
TESSALO_CLEARABLE_BENCH(Meadow, "05-meadow.txt");
TESSALO_CLEARABLE_BENCH(Cascade, "06-cascade.txt");

} // namespace

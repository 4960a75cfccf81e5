#include "game/deal_random.h"
#include "game/solver.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace {

using namespace tessalo;

// The classic arrangement, built here so the benchmark needs no data file.
struct Positions {
    std::vector<std::uint8_t> x, y, z;
    void add(int px, int py, int pz) {
        x.push_back(static_cast<std::uint8_t>(px));
        y.push_back(static_cast<std::uint8_t>(py));
        z.push_back(static_cast<std::uint8_t>(pz));
    }
};

Positions turtle() {
    Positions p;
    const auto block = [&p](int x0, int y0, int cols, int rows, int z) {
        for (int c = 0; c < cols; ++c) {
            for (int r = rows - 1; r >= 0; --r)
                p.add(x0 + 2 * c, y0 + 2 * r, z);
        }
    };
    p.add(14, 8, 4);
    block(13, 7, 2, 2, 3);
    block(11, 5, 4, 4, 2);
    block(9, 3, 6, 6, 1);
    const int rowLengths[8] = {12, 8, 10, 12, 12, 10, 8, 12};
    p.add(1, 8, 0);
    for (int x = 3; x <= 25; x += 2) {
        for (int row = 7; row >= 0; --row) {
            const int first = 3 + 12 - rowLengths[row];
            if (x >= first && x < first + 2 * rowLengths[row])
                p.add(x, 1 + 2 * row, 0);
        }
    }
    p.add(27, 8, 0);
    p.add(29, 8, 0);
    return p;
}

// A staircase of rows, each layer flush with the left edge of the one below: rows open only from
// the right until the layers above are gone, which makes for the hardest proofs of the six.
Positions cascade() {
    Positions p;
    const auto layer = [&p](int cols, int firstRow, int rows, int z) {
        for (int c = 0; c < cols; ++c) {
            for (int r = rows - 1; r >= 0; --r)
                p.add(6 + 2 * c, firstRow + 2 * r, z);
        }
    };
    layer(2, 7, 3, 3);
    layer(4, 5, 4, 2);
    layer(7, 3, 6, 1);
    layer(10, 1, 8, 0);
    return p;
}

// Every deal of a fixed set solved at the default budget, as `layouts check` does: deals and
// solver choices per second, and the median and worst time of one deal.
void solveDeals(benchmark::State& state, const Positions& p) {
    const PositionRelations relations(p.x, p.y, p.z);
    std::vector<std::vector<std::uint8_t>> orders;
    for (std::uint32_t seed = 0; seed < static_cast<std::uint32_t>(state.range(0)); ++seed)
        orders.push_back(dealOrderForSeed(seed));
    std::vector<double> times;
    std::uint64_t nodes = 0;
    std::uint64_t deals = 0;
    for (auto _ : state) {
        for (const auto& order : orders) {
            const auto started = std::chrono::steady_clock::now();
            const SolveOutcome outcome = solveDeal(relations, order, kDefaultSolveBudget);
            times.push_back(std::chrono::duration<double, std::milli>(
                                std::chrono::steady_clock::now() - started)
                                .count());
            nodes += outcome.nodes;
            ++deals;
            benchmark::DoNotOptimize(outcome);
        }
    }
    std::sort(times.begin(), times.end());
    state.counters["deals/s"] =
        benchmark::Counter(static_cast<double>(deals), benchmark::Counter::kIsRate);
    state.counters["nodes/s"] =
        benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
    state.counters["median_ms"] = times[times.size() / 2];
    state.counters["worst_ms"] = times.back();
}
void BM_SolveTurtleDeals(benchmark::State& state) {
    solveDeals(state, turtle());
}
BENCHMARK(BM_SolveTurtleDeals)->Arg(200)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_SolveCascadeDeals(benchmark::State& state) {
    solveDeals(state, cascade());
}
BENCHMARK(BM_SolveCascadeDeals)->Arg(200)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_PositionRelations(benchmark::State& state) {
    const Positions p = turtle();
    for (auto _ : state) {
        PositionRelations relations(p.x, p.y, p.z);
        benchmark::DoNotOptimize(relations);
    }
}
BENCHMARK(BM_PositionRelations);

} // namespace

#include "game/deal_random.h"
#include "game/solver.h"

#include <benchmark/benchmark.h>

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

void BM_SolveTurtleDeals(benchmark::State& state) {
    const Positions p = turtle();
    const PositionRelations relations(p.x, p.y, p.z);
    std::vector<std::vector<std::uint8_t>> orders;
    for (std::uint32_t seed = 0; seed < 64; ++seed)
        orders.push_back(dealOrderForSeed(seed));
    const auto budget = static_cast<std::uint64_t>(state.range(0));
    std::size_t next = 0;
    std::uint64_t nodes = 0;
    for (auto _ : state) {
        const SolveOutcome outcome = solveDeal(relations, orders[next++ % orders.size()], budget);
        nodes += outcome.nodes;
        benchmark::DoNotOptimize(outcome);
    }
    state.counters["nodes/s"] =
        benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SolveTurtleDeals)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_PositionRelations(benchmark::State& state) {
    const Positions p = turtle();
    for (auto _ : state) {
        PositionRelations relations(p.x, p.y, p.z);
        benchmark::DoNotOptimize(relations);
    }
}
BENCHMARK(BM_PositionRelations);

} // namespace

// The game window on Qt's offscreen platform with the shipped Classic set and the shipped Turtle:
// loading the set, a deal with every tile moved and restacked and one repaint, and the memory a
// game on screen holds.
#include "app/layout_library.h"
#include "game/game_commands.h"
#include "game/game_window.h"
#include "game/picture_set_loading.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

namespace tessalo {
namespace {

const std::filesystem::path kProgramDir = TESSALO_PROGRAM_DIR;

class SteppingClock final : public CalendarClock {
  public:
    mutable std::int64_t seconds = 1'000'000;
    std::int64_t secondsSinceEpoch() const override { return seconds++; }
    LocalDate localDate() const override { return {}; }
};

struct BenchGame {
    SteppingClock calendar;
    ResourceSource source;
    GameEnvironment environment{calendar, source, [](const GameResult&) { return 40000; }, [] {},
                                [] { return false; }};
    GameWindow window{environment};

    GameSetup setup() const {
        GameSetup setup;
        setup.picturesModule = kProgramDir / "classic.tsp";
        setup.layout = loadLayoutLibrary(kProgramDir / "ts220.tsl").contents.layouts.at(0);
        setup.pictureSetName = "Classic";
        setup.screenWidth = 1024;
        setup.screenHeight = 768;
        return setup;
    }
};

long residentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return 0;
}

void BM_LoadShippedSet(benchmark::State& state) {
    BenchGame game;
    const auto path = game.setup().picturesModule;
    for (auto _ : state) {
        auto refusal = loadPictureSet(path, true, game.window.pictures(), {});
        benchmark::DoNotOptimize(refusal);
    }
}
BENCHMARK(BM_LoadShippedSet)->Unit(benchmark::kMillisecond);

// Filled screens: 1920 × 1080 (1.8) and 2560 × 1440 (2.4) decode the set's larger versions.
void BM_LoadShippedSetScaled(benchmark::State& state) {
    BenchGame game;
    const auto path = game.setup().picturesModule;
    const PictureScale scale{int(state.range(0)), 600};
    for (auto _ : state) {
        auto refusal = loadPictureSet(path, true, game.window.pictures(), {}, scale);
        benchmark::DoNotOptimize(refusal);
    }
}
BENCHMARK(BM_LoadShippedSetScaled)->Arg(1080)->Arg(1440)->Unit(benchmark::kMillisecond);

void BM_DealAndRepaint(benchmark::State& state) {
    BenchGame game;
    loadPictureSet(game.setup().picturesModule, true, game.window.pictures(), {});
    game.window.open(game.setup());
    QCoreApplication::processEvents();
    for (auto _ : state) {
        game.window.onCommand(GameCommand::start);
        game.window.repaint();
    }
    game.window.onCommand(GameCommand::exit);
}
BENCHMARK(BM_DealAndRepaint)->Unit(benchmark::kMillisecond);

void BM_MemoryOfAGameOnScreen(benchmark::State& state) {
    const long before = residentKilobytes();
    long during = 0;
    for (auto _ : state) {
        BenchGame game;
        loadPictureSet(game.setup().picturesModule, true, game.window.pictures(), {});
        game.window.open(game.setup());
        QCoreApplication::processEvents();
        game.window.repaint();
        during = residentKilobytes();
        game.window.onCommand(GameCommand::exit);
    }
    state.counters["process_MB"] = double(during) / 1024.0;
    state.counters["game_MB"] = double(during - before) / 1024.0;
}
BENCHMARK(BM_MemoryOfAGameOnScreen)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tessalo

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// The game window on Qt's offscreen platform with the shipped Classic set and the shipped Turtle:
// loading the set, a deal with every tile moved and restacked and one repaint, and the memory a
// game on screen holds, on a 1024 × 768 screen and on large screens with "Fill the screen" on.
#include "app/layout_library.h"
#include "game/game_commands.h"
#include "game/game_window.h"
#include "game/picture_set_loading.h"

#include <QApplication>
#include <QTemporaryDir>

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

struct Screen {
    int width;
    int height;
    bool fill;
};
constexpr Screen kDefaultScreen{1024, 768, false};

struct BenchGame {
    SteppingClock calendar;
    ResourceSource source;
    GameEnvironment environment{calendar, source, [](const GameResult&) { return 40000; }, [] {},
                                [] { return false; }};
    GameWindow window{environment};

    static GameSetup setup(Screen screen) {
        GameSetup setup;
        setup.picturesModule = kProgramDir / "classic.tsp";
        setup.layout = loadLayoutLibrary(kProgramDir / "ts220.tsl").contents.layouts.at(0);
        setup.pictureSetName = "Classic";
        setup.screenWidth = screen.width;
        setup.screenHeight = screen.height;
        setup.fillScreen = screen.fill;
        return setup;
    }

    void load(Screen screen) {
        const GameSetup game = setup(screen);
        loadPictureSet(game.picturesModule, true, window.pictures(), {}, playAreaOf(game).scale());
    }
};

long statusKilobytes(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0)
            return std::stol(line.substr(std::string(field).size()));
    }
    return 0;
}

// From here on the peak resident size counts only what follows.
void resetPeakResident() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

void loadShippedSet(benchmark::State& state, Screen screen) {
    BenchGame game;
    for (auto _ : state)
        game.load(screen);
}

void BM_LoadShippedSet(benchmark::State& state) {
    loadShippedSet(state, kDefaultScreen);
}
BENCHMARK(BM_LoadShippedSet)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadShippedSetFilling1920x1080(benchmark::State& state) {
    loadShippedSet(state, {1920, 1080, true});
}
BENCHMARK(BM_LoadShippedSetFilling1920x1080)->Unit(benchmark::kMillisecond)->UseRealTime();

// 2.4: the set's 3× versions brought down.
void BM_LoadShippedSetFilling2560x1440(benchmark::State& state) {
    loadShippedSet(state, {2560, 1440, true});
}
BENCHMARK(BM_LoadShippedSetFilling2560x1440)->Unit(benchmark::kMillisecond)->UseRealTime();

void dealAndRepaint(benchmark::State& state, Screen screen) {
    BenchGame game;
    game.load(screen);
    game.window.open(BenchGame::setup(screen));
    QCoreApplication::processEvents();
    for (auto _ : state) {
        game.window.onCommand(GameCommand::start);
        game.window.repaint();
    }
    game.window.onCommand(GameCommand::exit);
}

void BM_DealAndRepaint(benchmark::State& state) {
    dealAndRepaint(state, kDefaultScreen);
}
BENCHMARK(BM_DealAndRepaint)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DealAndRepaintFilling3840x2160(benchmark::State& state) {
    dealAndRepaint(state, {3840, 2160, true});
}
BENCHMARK(BM_DealAndRepaintFilling3840x2160)->Unit(benchmark::kMillisecond)->UseRealTime();

// The resident size with a game on screen, and the peak from loading through a few deals.
void memoryWhilePlaying(benchmark::State& state, Screen screen) {
    const long before = statusKilobytes("VmRSS:");
    long during = 0;
    long peak = 0;
    for (auto _ : state) {
        resetPeakResident();
        BenchGame game;
        game.load(screen);
        game.window.open(BenchGame::setup(screen));
        QCoreApplication::processEvents();
        for (int deal = 0; deal < 5; ++deal) {
            game.window.onCommand(GameCommand::start);
            game.window.repaint();
        }
        during = statusKilobytes("VmRSS:");
        peak = statusKilobytes("VmHWM:");
        game.window.onCommand(GameCommand::exit);
    }
    state.counters["process_MB"] = double(during) / 1024.0;
    state.counters["game_MB"] = double(during - before) / 1024.0;
    state.counters["peak_MB"] = double(peak) / 1024.0;
}

void BM_MemoryOfAGameOnScreen(benchmark::State& state) {
    memoryWhilePlaying(state, kDefaultScreen);
}
BENCHMARK(BM_MemoryOfAGameOnScreen)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_MemoryWhilePlayingFilling3840x2160(benchmark::State& state) {
    memoryWhilePlaying(state, {3840, 2160, true});
}
BENCHMARK(BM_MemoryWhilePlayingFilling3840x2160)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tessalo

int main(int argc, char** argv) {
    // A screen as large as the largest one measured, so its game window fits it.
    QTemporaryDir folder;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && folder.isValid()) {
        const QString screens = folder.filePath("screens.json");
        std::ofstream(screens.toStdString())
            << R"({"screens": [{"name": "bench", "x": 0, "y": 0, "width": 3840, "height": 2160,)"
            << R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})";
        qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + screens).toLocal8Bit());
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

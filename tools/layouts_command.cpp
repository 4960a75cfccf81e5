#include "tools/tool_commands.h"

#include "app/layout_library.h"
#include "game/board.h"
#include "game/deal_random.h"
#include "game/layout_validation.h"
#include "game/solver.h"
#include "tools/deal_schedule.h"
#include "tools/layout_text.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace tessalo::tool {

namespace {

namespace fs = std::filesystem;

constexpr int kDefaultDeals = 1000;

int fail(const std::string& message) {
    std::fprintf(stderr, "tessalo-tool layouts: %s\n", message.c_str());
    return 1;
}

int usage() {
    std::fprintf(stderr,
                 "usage: tessalo-tool layouts build OUT.tsl SOURCE...\n"
                 "       tessalo-tool layouts list FILE.tsl\n"
                 "       tessalo-tool layouts check FILE.tsl [--deals N] [--budget N]\n"
                 "                                 [--threads N] [--keep-clear X,Y,W,H]...\n"
                 "       tessalo-tool layouts draw FILE.tsl INDEX\n"
                 "A SOURCE is a layout text file or a folder of them (*.txt, by name).\n"
                 "--keep-clear names a play-area rectangle no tile may overlap.\n");
    return 2;
}

std::optional<std::uint64_t> parseCount(const std::string& text) {
    if (text.empty() || text.size() > 12 || text.find_first_not_of("0123456789") != text.npos)
        return std::nullopt;
    return std::stoull(text);
}

// Where a tile is drawn in the 800 x 600 play area; the board's origin lies at (28, -12).
struct TileWindow {
    int left;
    int top;
    static constexpr int kWidth = 52, kHeight = 77;
};

TileWindow tileWindow(const LayoutRecord& layout, std::size_t i) {
    return {28 + 45 * layout.x[i] / 2 + 7 * layout.z[i],
            -12 + 70 * layout.y[i] / 2 - 7 * layout.z[i]};
}

std::string describePosition(const LayoutRecord& layout, std::size_t i) {
    return "position " + std::to_string(i) + " (" + std::to_string(layout.x[i]) + ", " +
           std::to_string(layout.y[i]) + ", " + std::to_string(layout.z[i]) + ")";
}

std::vector<std::string> playAreaProblems(const LayoutRecord& layout) {
    constexpr int kAreaWidth = 800, kAreaHeight = 600;
    std::vector<std::string> problems;
    for (std::size_t i = 0; i < LayoutRecord::kPositions; ++i) {
        const TileWindow w = tileWindow(layout, i);
        if (w.left < 0 || w.top < 0 || w.left + TileWindow::kWidth > kAreaWidth ||
            w.top + TileWindow::kHeight > kAreaHeight)
            problems.push_back(describePosition(layout, i) + " leaves the 800 x 600 play area");
    }
    return problems;
}

// A play-area rectangle that windows drawn over the board (the clock, the indicator) occupy.
struct KeepClear {
    int x, y, width, height;
};

// "X,Y,W,H" in play-area pixels, with a width and height of at least 1.
std::optional<KeepClear> parseKeepClear(const std::string& text) {
    std::array<int, 4> values{};
    std::size_t start = 0;
    for (std::size_t v = 0; v < values.size(); ++v) {
        const std::size_t end = v + 1 < values.size() ? text.find(',', start) : text.size();
        if (end == std::string::npos)
            return std::nullopt;
        const std::optional<std::uint64_t> value = parseCount(text.substr(start, end - start));
        if (!value || *value > 100000)
            return std::nullopt;
        values[v] = static_cast<int>(*value);
        start = end + 1;
    }
    if (values[2] == 0 || values[3] == 0)
        return std::nullopt;
    return KeepClear{values[0], values[1], values[2], values[3]};
}

// The whole 52 x 77 window counts: whatever is drawn over part of a tile hides what the player
// needs to tell it apart and to click it.
std::vector<std::string> keepClearProblems(const LayoutRecord& layout,
                                           const std::vector<KeepClear>& areas) {
    std::vector<std::string> problems;
    for (const KeepClear& area : areas) {
        for (std::size_t i = 0; i < LayoutRecord::kPositions; ++i) {
            const TileWindow w = tileWindow(layout, i);
            if (w.left < area.x + area.width && area.x < w.left + TileWindow::kWidth &&
                w.top < area.y + area.height && area.y < w.top + TileWindow::kHeight)
                problems.push_back(describePosition(layout, i) + " lies under the area " +
                                   std::to_string(area.x) + "," + std::to_string(area.y) + "," +
                                   std::to_string(area.width) + "," + std::to_string(area.height) +
                                   " that must stay clear");
        }
    }
    return problems;
}

std::vector<std::string> layoutProblems(const LayoutRecord& layout) {
    if (std::string defect = layoutDefect(layout); !defect.empty())
        return {defect};
    std::vector<std::string> problems = layoutDesignProblems(layout);
    for (std::string& problem : playAreaProblems(layout))
        problems.push_back(std::move(problem));
    return problems;
}

std::optional<std::string> readText(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad())
        return std::nullopt;
    return text;
}

int runBuild(const std::vector<std::string>& args) {
    if (args.size() < 3)
        return usage();
    std::vector<fs::path> sources;
    for (std::size_t i = 2; i < args.size(); ++i) {
        std::error_code error;
        if (!fs::is_directory(args[i], error)) {
            sources.emplace_back(args[i]);
            continue;
        }
        std::vector<fs::path> inFolder;
        for (const auto& entry : fs::directory_iterator(args[i], error)) {
            if (entry.is_regular_file() && entry.path().extension() == ".txt")
                inFolder.push_back(entry.path());
        }
        if (error)
            return fail("cannot list " + args[i] + ": " + error.message());
        std::sort(inFolder.begin(), inFolder.end());
        sources.insert(sources.end(), inFolder.begin(), inFolder.end());
    }
    if (sources.empty())
        return fail("no layout texts given");

    std::vector<LayoutRecord> layouts;
    std::map<std::string, fs::path> nameSources;
    for (const fs::path& source : sources) {
        const std::optional<std::string> text = readText(source);
        if (!text)
            return fail("cannot read " + source.string());
        LayoutTextParse parsed = parseLayoutText(*text);
        if (!parsed.error.empty())
            return fail(source.string() + ": " + parsed.error);
        const std::vector<std::string> problems = layoutProblems(parsed.layout);
        if (!problems.empty())
            return fail(source.string() + ": " + problems.front() +
                        (problems.size() > 1
                             ? " (and " + std::to_string(problems.size() - 1) + " more)"
                             : ""));
        const std::string name = parsed.layout.nameText();
        if (const auto it = nameSources.find(name); it != nameSources.end())
            return fail(source.string() + ": the name \"" + name + "\" is already used by " +
                        it->second.string());
        nameSources.emplace(name, source);
        layouts.push_back(parsed.layout);
    }
    if (std::string error = saveLayoutLibrary(args[1], layouts); !error.empty())
        return fail("cannot write " + args[1] + ": " + error);
    std::printf("wrote %zu layouts to %s\n", layouts.size(), args[1].c_str());
    return 0;
}

// Reads a library; prints why it is damaged and gives nothing back when it is.
std::optional<std::vector<LayoutRecord>> readLibrary(const std::string& path) {
    LayoutLibraryLoad load = loadLayoutLibrary(path);
    if (!load.opened) {
        fail("cannot read " + path);
        return std::nullopt;
    }
    if (!load.contents.damage.empty()) {
        fail(path + " is damaged: " + load.contents.damage);
        return std::nullopt;
    }
    return std::move(load.contents.layouts);
}

std::string layerCounts(const LayoutRecord& layout) {
    std::array<int, 256> counts{};
    for (std::uint8_t z : layout.z)
        ++counts[z];
    std::string text;
    for (std::size_t z = 0; z < counts.size(); ++z) {
        if (counts[z] == 0)
            continue;
        if (!text.empty())
            text += ' ';
        text += std::to_string(z);
        text += ':';
        text += std::to_string(counts[z]);
    }
    return text;
}

int runList(const std::vector<std::string>& args) {
    if (args.size() != 2)
        return usage();
    const auto layouts = readLibrary(args[1]);
    if (!layouts)
        return 1;
    std::printf("%zu layouts\n", layouts->size());
    for (std::size_t i = 0; i < layouts->size(); ++i) {
        const LayoutRecord& layout = (*layouts)[i];
        std::printf("%3zu  %-19s  tiles per layer %s\n", i, layout.nameText().c_str(),
                    layerCounts(layout).c_str());
    }
    return 0;
}

int runDraw(const std::vector<std::string>& args) {
    if (args.size() != 3)
        return usage();
    const auto layouts = readLibrary(args[1]);
    if (!layouts)
        return 1;
    const std::optional<std::uint64_t> index = parseCount(args[2]);
    if (!index || *index >= layouts->size())
        return fail("no layout " + args[2] + " in " + args[1]);
    std::fputs(formatLayoutText((*layouts)[*index]).c_str(), stdout);
    return 0;
}

struct DealFigures {
    int clearable = 0;
    int notClearable = 0;
    int unknown = 0;
    int noMoveAtStart = 0;
    double medianMilliseconds = 0;
    double worstMilliseconds = 0;
    double totalMilliseconds = 0;
};

struct DealAnswer {
    SolveResult result = SolveResult::Unknown;
    bool noMoveAtStart = false;
    double milliseconds = 0;
};

DealAnswer solveOneDeal(const LayoutRecord& layout, const PositionRelations& relations,
                        std::uint32_t seed, std::uint64_t budget) {
    const std::vector<std::uint8_t> order = dealOrderForSeed(seed);
    Board board;
    for (std::size_t i = 0; i < LayoutRecord::kPositions; ++i)
        board.place(order[i], layout.x[i], layout.y[i], layout.z[i]);
    for (int tile = 0; tile < kTileCount; ++tile)
        board.setOnBoard(tile, true);
    DealAnswer answer;
    answer.noMoveAtStart = !board.hasMove();
    const auto started = std::chrono::steady_clock::now();
    answer.result = solveDeal(relations, order, budget).result;
    answer.milliseconds =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started)
            .count();
    return answer;
}

DealFigures summarise(const std::vector<DealAnswer>& answers) {
    DealFigures figures;
    std::vector<double> times;
    for (const DealAnswer& answer : answers) {
        figures.noMoveAtStart += answer.noMoveAtStart;
        times.push_back(answer.milliseconds);
        figures.totalMilliseconds += answer.milliseconds;
        switch (answer.result) {
        case SolveResult::Clearable:
            ++figures.clearable;
            break;
        case SolveResult::NotClearable:
            ++figures.notClearable;
            break;
        case SolveResult::Unknown:
            ++figures.unknown;
            break;
        }
    }
    if (!times.empty()) {
        std::sort(times.begin(), times.end());
        figures.medianMilliseconds = times[times.size() / 2];
        figures.worstMilliseconds = times.back();
    }
    return figures;
}

// Deals are independent, so they are shared out among `threads` workers; the figures do not
// depend on how many there are, nor on the order the schedule hands the deals out in.
std::vector<DealFigures> solveDeals(const std::vector<const LayoutRecord*>& layouts, int deals,
                                    std::uint64_t budget, int threads) {
    std::vector<PositionRelations> relations;
    for (const LayoutRecord* layout : layouts)
        relations.emplace_back(layout->x, layout->y, layout->z);
    std::vector<std::vector<DealAnswer>> answers(layouts.size(), std::vector<DealAnswer>(deals));
    DealSchedule schedule(static_cast<int>(layouts.size()), deals);
    const auto work = [&] {
        while (const std::optional<DealSchedule::Deal> deal = schedule.next()) {
            DealAnswer& answer = answers[deal->layout][deal->seed];
            answer = solveOneDeal(*layouts[deal->layout], relations[deal->layout],
                                  static_cast<std::uint32_t>(deal->seed), budget);
            schedule.finished(*deal, answer.milliseconds);
        }
    };
    const long long jobs = static_cast<long long>(layouts.size()) * deals;
    std::vector<std::jthread> workers;
    for (long long t = 1; t < std::min<long long>(threads, jobs); ++t)
        workers.emplace_back(work);
    work();
    workers.clear();

    std::vector<DealFigures> figures;
    for (const std::vector<DealAnswer>& layoutAnswers : answers)
        figures.push_back(summarise(layoutAnswers));
    return figures;
}

std::string share(int count, int deals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f%%", deals > 0 ? 100.0 * count / deals : 0.0);
    return text;
}

int runCheck(const std::vector<std::string>& args) {
    if (args.size() < 2)
        return usage();
    int deals = kDefaultDeals;
    std::uint64_t budget = kDefaultSolveBudget;
    int threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    std::vector<KeepClear> keepClear;
    for (std::size_t i = 2; i < args.size(); i += 2) {
        const std::string option = args[i];
        const std::string text = i + 1 < args.size() ? args[i + 1] : "";
        const std::uint64_t value = parseCount(text).value_or(0);
        if (option == "--deals" && value > 0 && value <= 1000000) {
            deals = static_cast<int>(value);
        } else if (option == "--budget" && value > 0) {
            budget = value;
        } else if (option == "--threads" && value > 0 && value <= 256) {
            threads = static_cast<int>(value);
        } else if (const std::optional<KeepClear> area = parseKeepClear(text);
                   option == "--keep-clear" && area) {
            keepClear.push_back(*area);
        } else {
            return usage();
        }
    }
    const auto layouts = readLibrary(args[1]);
    if (!layouts)
        return 1;

    const auto started = std::chrono::steady_clock::now();
    bool allValid = true;
    std::map<std::string, std::size_t> firstWithName;
    // Per layout, its problems; only a layout without defects may reach a board, design problems
    // are harmless to it.
    std::vector<std::vector<std::string>> problemsOf(layouts->size());
    std::vector<const LayoutRecord*> valid;
    for (std::size_t i = 0; i < layouts->size(); ++i) {
        const LayoutRecord& layout = (*layouts)[i];
        std::vector<std::string>& problems = problemsOf[i];
        problems = layoutProblems(layout);
        for (std::string& problem : keepClearProblems(layout, keepClear))
            problems.push_back(std::move(problem));
        if (const auto [it, added] = firstWithName.emplace(layout.nameText(), i); !added)
            problems.push_back("the name is also that of layout " + std::to_string(it->second));
        if (problems.empty())
            valid.push_back(&layout);
        else
            allValid = false;
    }
    const std::vector<DealFigures> figures = solveDeals(valid, deals, budget, threads);
    double solvingMilliseconds = 0;
    std::size_t nextValid = 0;
    for (std::size_t i = 0; i < layouts->size(); ++i) {
        const std::string name = (*layouts)[i].nameText();
        const std::vector<std::string>& problems = problemsOf[i];
        if (!problems.empty()) {
            std::printf("%3zu  %-19s  invalid: %s\n", i, name.c_str(), problems.front().c_str());
            for (std::size_t p = 1; p < problems.size(); ++p)
                std::printf("     %-19s           %s\n", "", problems[p].c_str());
            continue;
        }
        const DealFigures& f = figures[nextValid++];
        solvingMilliseconds += f.totalMilliseconds;
        // Only a hostile layout should leave deals undecided, so the share is shown only then.
        const std::string unknown =
            f.unknown > 0 ? ", unknown " + share(f.unknown, deals) : std::string();
        std::printf("%3zu  %-19s  valid; %d deals: clearable %s, not clearable %s%s; "
                    "no move at start %s; per deal mean %.2f ms, median %.2f ms, worst %.1f ms\n",
                    i, name.c_str(), deals, share(f.clearable, deals).c_str(),
                    share(f.notClearable, deals).c_str(), unknown.c_str(),
                    share(f.noMoveAtStart, deals).c_str(), f.totalMilliseconds / deals,
                    f.medianMilliseconds, f.worstMilliseconds);
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - started;
    std::printf("%zu layouts checked (solver budget %llu choices a deal) in %.1f s; solving took "
                "%.1f s on %d threads\n",
                layouts->size(), static_cast<unsigned long long>(budget), elapsed.count(),
                solvingMilliseconds / 1000, threads);
    if (!allValid)
        return fail("some layouts are invalid");
    return 0;
}

} // namespace

int runLayoutsCommand(const std::vector<std::string>& args) {
    if (args.empty())
        return usage();
    if (args[0] == "build")
        return runBuild(args);
    if (args[0] == "list")
        return runList(args);
    if (args[0] == "check")
        return runCheck(args);
    if (args[0] == "draw")
        return runDraw(args);
    return usage();
}

} // namespace tessalo::tool

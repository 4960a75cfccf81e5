// tessalo-tool solve: whether a deal, or a board position, can be cleared, and how.
#include "app/layout_library.h"
#include "game/board.h"
#include "game/deal_random.h"
#include "game/solver.h"
#include "tools/tool_commands.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace tessalo::tool {

namespace {

int fail(const std::string& message) {
    std::fprintf(stderr, "tessalo-tool solve: %s\n", message.c_str());
    return 1;
}

int usage() {
    std::fprintf(stderr, "usage: tessalo-tool solve [--budget N] LIBRARY.tsl LAYOUT_INDEX SEED\n"
                         "       tessalo-tool solve [--budget N] --board FILE\n"
                         "A board FILE has one line \"TILE X Y Z\" per tile on the board, in the\n"
                         "layout's placing order; '#' starts a comment.\n");
    return 2;
}

std::optional<std::uint64_t> parseNumber(const std::string& text, std::uint64_t limit) {
    if (text.empty() || text.size() > 12 || text.find_first_not_of("0123456789") != text.npos)
        return std::nullopt;
    const std::uint64_t value = std::stoull(text);
    if (value > limit)
        return std::nullopt;
    return value;
}

// The tiles on the board and where they lie, in placing order.
struct BoardPosition {
    std::vector<std::uint8_t> tiles;
    std::vector<std::uint8_t> x, y, z;
};

std::optional<BoardPosition> dealPosition(const std::vector<std::string>& args) {
    const LayoutLibraryLoad load = loadLayoutLibrary(args[0]);
    if (!load.opened) {
        fail("cannot read " + args[0]);
        return std::nullopt;
    }
    if (!load.contents.damage.empty()) {
        fail(args[0] + " is damaged: " + load.contents.damage);
        return std::nullopt;
    }
    const auto index = parseNumber(args[1], load.contents.layouts.size());
    if (!index || *index >= load.contents.layouts.size()) {
        fail("no layout " + args[1] + " in " + args[0]);
        return std::nullopt;
    }
    // A seed is a calendar second as the game takes it: its low 32 bits.
    const auto seed = parseNumber(args[2], 0xFFFFFFFFu);
    if (!seed) {
        fail("the seed is a number from 0 to 4294967295: " + args[2]);
        return std::nullopt;
    }
    const LayoutRecord& layout = load.contents.layouts[*index];
    BoardPosition board;
    board.tiles = dealOrderForSeed(static_cast<std::uint32_t>(*seed));
    board.x.assign(layout.x.begin(), layout.x.end());
    board.y.assign(layout.y.begin(), layout.y.end());
    board.z.assign(layout.z.begin(), layout.z.end());
    return board;
}

std::optional<BoardPosition> fileBoard(const std::string& path) {
    std::ifstream in(path);
    if (!in) {
        fail("cannot read " + path);
        return std::nullopt;
    }
    BoardPosition board;
    std::array<bool, kTileCount> seen{};
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (const auto hash = line.find('#'); hash != line.npos)
            line.erase(hash);
        std::istringstream words(line);
        std::vector<std::string> fields;
        for (std::string word; words >> word;)
            fields.push_back(word);
        if (fields.empty())
            continue;
        const auto where = path + " line " + std::to_string(number);
        // Each field and the largest value it may take: a tile lies inside the grid.
        const std::array<std::uint64_t, 4> limits = {kTileCount - 1, kGridColumns - 2,
                                                     kGridRows - 2, kGridLayers - 1};
        std::array<std::uint64_t, 4> values{};
        bool whole = fields.size() == 4;
        for (std::size_t f = 0; whole && f < 4; ++f) {
            const auto value = parseNumber(fields[f], limits[f]);
            whole = value.has_value();
            values[f] = value.value_or(0);
        }
        if (!whole) {
            fail(where + ": expected \"TILE X Y Z\", a tile 0-143 lying inside the grid");
            return std::nullopt;
        }
        const auto [tile, x, y, z] = values;
        if (seen[tile]) {
            fail(where + ": tile " + fields[0] + " is on the board twice");
            return std::nullopt;
        }
        // Two tiles of one layer may not share a cell: the board could not hold them.
        for (std::size_t other = 0; other < board.tiles.size(); ++other) {
            const int dx = int(board.x[other]) - int(x), dy = int(board.y[other]) - int(y);
            if (board.z[other] == z && dx > -2 && dx < 2 && dy > -2 && dy < 2) {
                fail(where + ": tile " + fields[0] + " overlaps tile " +
                     std::to_string(board.tiles[other]));
                return std::nullopt;
            }
        }
        seen[tile] = true;
        board.tiles.push_back(static_cast<std::uint8_t>(tile));
        board.x.push_back(static_cast<std::uint8_t>(x));
        board.y.push_back(static_cast<std::uint8_t>(y));
        board.z.push_back(static_cast<std::uint8_t>(z));
    }
    return board;
}

} // namespace

int runSolveCommand(const std::vector<std::string>& args) {
    std::uint64_t budget = kDefaultSolveBudget;
    std::optional<std::string> boardFile;
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--budget" && i + 1 < args.size()) {
            const auto value = parseNumber(args[++i], 1'000'000'000'000u);
            if (!value)
                return usage();
            budget = *value;
        } else if (args[i] == "--board" && i + 1 < args.size()) {
            boardFile = args[++i];
        } else {
            rest.push_back(args[i]);
        }
    }
    if (boardFile ? !rest.empty() : rest.size() != 3)
        return usage();
    const std::optional<BoardPosition> board =
        boardFile ? fileBoard(*boardFile) : dealPosition(rest);
    if (!board)
        return 1;

    const PositionRelations relations(board->x, board->y, board->z);
    const SolveOutcome outcome = solveDeal(relations, board->tiles, budget);
    switch (outcome.result) {
    case SolveResult::Clearable:
        std::printf("clearable\n");
        break;
    case SolveResult::NotClearable:
        std::printf("not clearable\n");
        return 0;
    case SolveResult::Unknown:
        std::printf("unknown\n");
        return 0;
    }
    for (const PositionPair& pair : outcome.pairs) {
        const auto a = std::size_t(pair.first), b = std::size_t(pair.second);
        std::printf("%d %d  %d,%d,%d %d,%d,%d\n", board->tiles[a], board->tiles[b], board->x[a],
                    board->y[a], board->z[a], board->x[b], board->y[b], board->z[b]);
    }
    return 0;
}

} // namespace tessalo::tool

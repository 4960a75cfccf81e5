// Prints, for a deal of a layout of the library, the points a player clicks to clear the board:
// two lines "x y" per pair, in the order the solver takes the pairs, in screen pixels of a game
// window that fills a screen of the given size. Each point lies on what is visible of its tile
// when its turn comes, so a click there reaches that tile and no other.
// Usage: clearing_clicks LIBRARY.tsl INDEX SEED WIDTHxHEIGHT [--clearable]
// With --clearable, SEED is the calendar second and the deal the one the game deals in it with
// clearable deals on.
#include "app/layout_library.h"
#include "game/board.h"
#include "game/clearable_deal.h"
#include "game/deal_random.h"
#include "game/play_area.h"
#include "game/solver.h"
#include "game/tile_shape.h"

#include <QRegion>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

using namespace tessalo;

std::optional<long long> number(const char* text) {
    char* end = nullptr;
    const long long value = std::strtoll(text, &end, 10);
    if (end == text || *end != '\0')
        return std::nullopt;
    return value;
}

QRegion tileRegion(const PlayArea& area, const LayoutRecord& layout, int position) {
    const PixelPoint at =
        area.tilePosition(layout.x[std::size_t(position)], layout.y[std::size_t(position)],
                          layout.z[std::size_t(position)]);
    return tileOutline().translated(at.x, at.y);
}

// A point of the tile at `position` that no tile still on the board and stacked above it covers
// (an earlier position lies nearer the viewer): the one nearest the middle of the face with two
// pixels of margin all round.
std::optional<PixelPoint> clickPoint(const PlayArea& area, const LayoutRecord& layout, int position,
                                     const std::array<bool, kTileCount>& present) {
    const QRegion own = tileRegion(area, layout, position);
    QRegion visible = own;
    for (int above = 0; above < position; ++above) {
        if (present[std::size_t(above)])
            visible -= tileRegion(area, layout, above);
    }
    const QRect box = own.boundingRect();
    const QPoint middle = box.topLeft() + QPoint(29, 35);
    std::optional<PixelPoint> best;
    int bestDistance = 0;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            if (!visible.contains(QRect(x - 2, y - 2, 5, 5)))
                continue;
            const int distance =
                (x - middle.x()) * (x - middle.x()) + (y - middle.y()) * (y - middle.y());
            if (!best || distance < bestDistance) {
                best = PixelPoint{x, y};
                bestDistance = distance;
            }
        }
    }
    return best;
}

int fail(const std::string& message) {
    std::fprintf(stderr, "clearing_clicks: %s\n", message.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    const bool clearable = argc == 6 && std::string(argv[5]) == "--clearable";
    if (argc != 5 && !clearable)
        return fail("usage: clearing_clicks LIBRARY.tsl INDEX SEED WIDTHxHEIGHT [--clearable]");
    const auto index = number(argv[2]);
    const auto seed = number(argv[3]);
    int width = 0, height = 0;
    if (!index || !seed || std::sscanf(argv[4], "%dx%d", &width, &height) != 2)
        return fail("INDEX and SEED are numbers, the screen WIDTHxHEIGHT");
    const LayoutLibraryLoad load = loadLayoutLibrary(argv[1]);
    if (!load.opened || !load.contents.damage.empty())
        return fail(std::string("cannot read the layout library ") + argv[1]);
    if (*index < 0 || *index >= static_cast<long long>(load.contents.layouts.size()))
        return fail("no layout " + std::to_string(*index) + " in the library");
    const LayoutRecord& layout = load.contents.layouts[std::size_t(*index)];

    // The seed is taken as the game takes the calendar second: its low 32 bits.
    const PositionRelations relations(layout.x, layout.y, layout.z);
    SolveOutcome outcome;
    if (clearable) {
        ClearableDeal found = findClearableDeal(relations, static_cast<std::uint32_t>(*seed));
        if (!found.proven)
            return fail("no clearable deal from second " + std::to_string(*seed));
        std::fprintf(stderr, "clearing_clicks: second %lld deals seed %u\n", *seed, found.seed);
        outcome.result = SolveResult::Clearable;
        outcome.pairs = std::move(found.pairs);
    } else {
        const std::vector<std::uint8_t> deal = dealOrderForSeed(static_cast<std::uint32_t>(*seed));
        outcome = solveDeal(relations, deal, kDefaultSolveBudget);
    }
    if (outcome.result != SolveResult::Clearable)
        return fail("the deal of seed " + std::to_string(*seed) + " was not found clearable");

    const PlayArea area = PlayArea::centredOn(width, height);
    std::array<bool, kTileCount> present;
    present.fill(true);
    for (const PositionPair& pair : outcome.pairs) {
        for (int position : {pair.first, pair.second}) {
            const auto point = clickPoint(area, layout, position, present);
            if (!point)
                return fail("no visible point on position " + std::to_string(position));
            std::printf("%d %d\n", point->x, point->y);
        }
        present[std::size_t(pair.first)] = false;
        present[std::size_t(pair.second)] = false;
    }
    return 0;
}

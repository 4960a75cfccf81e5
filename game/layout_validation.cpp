#include "game/layout_validation.h"

#include "game/board.h"

#include <array>
#include <cstdlib>

namespace tessalo {

namespace {

std::string describe(const LayoutRecord& layout, std::size_t i) {
    return "position " + std::to_string(i) + " (" + std::to_string(layout.x[i]) + ", " +
           std::to_string(layout.y[i]) + ", " + std::to_string(layout.z[i]) + ")";
}

// Index of the position anchored at each cell, or -1.
using AnchorMap = std::array<int, kGridColumns * kGridRows * kGridLayers>;

AnchorMap anchorMap(const LayoutRecord& layout) {
    AnchorMap map;
    map.fill(-1);
    for (std::size_t i = 0; i < LayoutRecord::kPositions; ++i) {
        if (layout.x[i] < kGridColumns && layout.y[i] < kGridRows && layout.z[i] < kGridLayers)
            map[Board::cellIndex(layout.x[i], layout.y[i], layout.z[i])] = static_cast<int>(i);
    }
    return map;
}

int positionAt(const AnchorMap& map, int x, int y, int z) {
    if (x < 0 || x >= kGridColumns || y < 0 || y >= kGridRows || z < 0 || z >= kGridLayers)
        return -1;
    return map[Board::cellIndex(x, y, z)];
}

} // namespace

std::string layoutDefect(const LayoutRecord& layout) {
    for (std::size_t i = 0; i < LayoutRecord::kPositions; ++i) {
        if (layout.x[i] >= kGridColumns || layout.y[i] >= kGridRows || layout.z[i] >= kGridLayers)
            return describe(layout, i) + " lies outside the board";
    }
    for (std::size_t i = 0; i < LayoutRecord::kPositions; ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            if (layout.z[i] != layout.z[j])
                continue;
            const int dx = std::abs(layout.x[i] - layout.x[j]);
            const int dy = std::abs(layout.y[i] - layout.y[j]);
            if (dx == 0 && dy == 0)
                return describe(layout, j) + " and " + describe(layout, i) + " share one place";
            if (dx < 2 && dy < 2)
                return describe(layout, j) + " and " + describe(layout, i) + " overlap";
        }
    }
    return {};
}

std::vector<std::string> layoutDesignProblems(const LayoutRecord& layout) {
    std::vector<std::string> problems;
    if (layout.name[0] == 0)
        problems.push_back("the layout has no name");
    if (layout.name.back() != 0)
        problems.push_back("the name is not terminated within 20 bytes");
    const AnchorMap map = anchorMap(layout);
    for (std::size_t i = 0; i < LayoutRecord::kPositions; ++i) {
        const int x = layout.x[i];
        const int y = layout.y[i];
        const int z = layout.z[i];
        if (z >= 1) {
            bool rests = false;
            for (int dx = -1; dx <= 1 && !rests; ++dx) {
                for (int dy = -1; dy <= 1 && !rests; ++dy)
                    rests = positionAt(map, x + dx, y + dy, z - 1) >= 0;
            }
            if (!rests)
                problems.push_back(describe(layout, i) + " rests on nothing");
        }
        for (int dy = -1; dy <= 1; ++dy) {
            const int left = positionAt(map, x - 2, y + dy, z);
            if (left > static_cast<int>(i))
                problems.push_back(describe(layout, i) + " comes before its left neighbour " +
                                   describe(layout, static_cast<std::size_t>(left)));
        }
    }
    return problems;
}

} // namespace tessalo

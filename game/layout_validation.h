#pragma once

#include "game/layout_record.h"

#include <string>
#include <vector>

namespace tessalo {

// Why the layout would break the board (a position outside the grid, two positions on one anchor,
// two tiles of one layer overlapping), or an empty string when it can be played.
std::string layoutDefect(const LayoutRecord& layout);

// Rules a well-made layout also keeps, though the board survives without them: every tile above
// layer 0 rests on a tile, every position comes after its left neighbours, and the name is set.
std::vector<std::string> layoutDesignProblems(const LayoutRecord& layout);

} // namespace tessalo

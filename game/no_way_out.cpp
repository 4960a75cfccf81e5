#include "game/no_way_out.h"

namespace tessalo {

BoardPosition boardPosition(const Board& board, std::span<const std::uint8_t> dealOrder) {
    BoardPosition position;
    for (const std::uint8_t tile : dealOrder) {
        const TileState& state = board.tile(tile);
        if (!state.onBoard)
            continue;
        position.x.push_back(static_cast<std::uint8_t>(state.gridX));
        position.y.push_back(static_cast<std::uint8_t>(state.gridY));
        position.z.push_back(static_cast<std::uint8_t>(state.layer));
        position.tiles.push_back(tile);
    }
    return position;
}

SolveResult solveBoardPosition(const BoardPosition& position, std::uint64_t budget) {
    if (position.size() == 0)
        return SolveResult::Clearable;
    const PositionRelations relations(position.x, position.y, position.z);
    return solveDeal(relations, position.tiles, budget).result;
}

} // namespace tessalo

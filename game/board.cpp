#include "game/board.h"

namespace tessalo {

namespace {

struct Neighbour {
    int dx;
    int dy;
    std::uint32_t bits;
};

// A tile placed at (x, y, z) covers these quarters of the tiles anchored around it on layer z - 1.
constexpr Neighbour kCoveredBelow[] = {
    {0, 0, 0x0F},  {-1, 0, 0x0C}, {1, 0, 0x03},  {0, -1, 0x09}, {-1, -1, 0x08},
    {1, -1, 0x01}, {0, 1, 0x06},  {-1, 1, 0x04}, {1, 1, 0x02},
};

// Quarters of the tile at (x, y, z) covered by tiles anchored around it on layer z + 1.
constexpr Neighbour kCoveringAbove[] = {
    {0, 0, 0x0F},  {-1, 0, 0x03}, {1, 0, 0x0C},  {0, -1, 0x06}, {-1, -1, 0x02},
    {1, -1, 0x04}, {0, 1, 0x09},  {-1, 1, 0x01}, {1, 1, 0x08},
};

struct SideContact {
    int dy;
    std::uint32_t leftTileBits;  // given to the tile on the left
    std::uint32_t rightTileBits; // given to the tile on the right
};

constexpr SideContact kSideContacts[] = {
    {0, 0x30, 0xC0},
    {-1, 0x20, 0x40},
    {1, 0x10, 0x80},
};

bool insideGrid(int x, int y) {
    return x >= 0 && x < kGridColumns && y >= 0 && y < kGridRows;
}

} // namespace

Board::Board() {
    clear();
}

void Board::clear() {
    cells_.fill(kNoTile);
}

void Board::place(int tile, int x, int y, int z) {
    TileState& placed = tiles_[tile];
    placed.gridX = x;
    placed.gridY = y;
    placed.layer = z;
    placed.blockFlags = 0;
    cells_[cellIndex(x, y, z)] = tile;

    if (z >= 1) {
        for (const auto& n : kCoveredBelow) {
            if (!insideGrid(x + n.dx, y + n.dy))
                continue;
            const int below = cellAt(x + n.dx, y + n.dy, z - 1);
            if (below != kNoTile)
                tiles_[below].blockFlags |= n.bits;
        }
    }
    if (z + 1 < kGridLayers) {
        for (const auto& n : kCoveringAbove) {
            if (!insideGrid(x + n.dx, y + n.dy))
                continue;
            if (cellAt(x + n.dx, y + n.dy, z + 1) != kNoTile)
                placed.blockFlags |= n.bits;
        }
    }
    // Contacts are looked up only to the left: a layout lists a tile after its left neighbours,
    // and a pair placed the other way round stays unrecorded, as players of old layouts expect.
    if (x >= 2) {
        for (const auto& contact : kSideContacts) {
            if (!insideGrid(x - 2, y + contact.dy))
                continue;
            const int left = cellAt(x - 2, y + contact.dy, z);
            if (left == kNoTile)
                continue;
            tiles_[left].blockFlags |= contact.leftTileBits;
            placed.blockFlags |= contact.rightTileBits;
        }
    }
}

void Board::remove(int tile) {
    TileState& removed = tiles_[tile];
    const int x = removed.gridX;
    const int y = removed.gridY;
    const int z = removed.layer;
    removed.onBoard = false;
    cells_[cellIndex(x, y, z)] = kNoTile;

    if (z >= 1) {
        for (const auto& n : kCoveredBelow) {
            if (!insideGrid(x + n.dx, y + n.dy))
                continue;
            const int below = cellAt(x + n.dx, y + n.dy, z - 1);
            if (below != kNoTile)
                tiles_[below].blockFlags &= ~n.bits;
        }
    }
    for (const auto& contact : kSideContacts) {
        if (insideGrid(x - 2, y + contact.dy)) {
            const int left = cellAt(x - 2, y + contact.dy, z);
            if (left != kNoTile)
                tiles_[left].blockFlags &= ~contact.leftTileBits;
        }
        // Seen from the right-hand tile, the same contact lies at the mirrored half-row.
        if (insideGrid(x + 2, y - contact.dy)) {
            const int right = cellAt(x + 2, y - contact.dy, z);
            if (right != kNoTile)
                tiles_[right].blockFlags &= ~contact.rightTileBits;
        }
    }
}

int Board::isBlocked(int tile) const {
    const TileState& t = tiles_[tile];
    if (!t.onBoard)
        return 1;
    if (t.blockFlags & BlockBits::covered)
        return 1;
    if ((t.blockFlags & BlockBits::touchedLeft) && (t.blockFlags & BlockBits::touchedRight))
        return 1;
    return 0;
}

int Board::blockedCount(int group) const {
    int count = 0;
    for (int tile = 4 * group; tile < 4 * group + 4; ++tile)
        count += isBlocked(tile);
    return count;
}

bool Board::hasMove() const {
    for (int group = 0; group < kGroupCount; ++group) {
        if (blockedCount(group) < 3)
            return true;
    }
    return false;
}

} // namespace tessalo

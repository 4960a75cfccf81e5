#pragma once

#include <array>
#include <cstdint>

namespace tessalo {

inline constexpr int kTileCount = 144;
inline constexpr int kGroupCount = 36;
inline constexpr int kGridColumns = 34; // half-columns
inline constexpr int kGridRows = 18;    // half-rows
inline constexpr int kGridLayers = 6;
inline constexpr int kNoTile = -1;

constexpr int matchGroup(int tile) {
    return tile / 4;
}

// Bits of TileState::blockFlags. Quarters are those of the tile's face as seen on screen.
namespace BlockBits {
inline constexpr std::uint32_t coveredLowerLeft = 0x01;
inline constexpr std::uint32_t coveredUpperLeft = 0x02;
inline constexpr std::uint32_t coveredUpperRight = 0x04;
inline constexpr std::uint32_t coveredLowerRight = 0x08;
inline constexpr std::uint32_t touchedRightUpper = 0x10;
inline constexpr std::uint32_t touchedRightLower = 0x20;
inline constexpr std::uint32_t touchedLeftUpper = 0x40;
inline constexpr std::uint32_t touchedLeftLower = 0x80;

inline constexpr std::uint32_t covered = 0x0F;
inline constexpr std::uint32_t touchedRight = 0x30;
inline constexpr std::uint32_t touchedLeft = 0xC0;
} // namespace BlockBits

struct TileState {
    std::int32_t gridX = 0;
    std::int32_t gridY = 0;
    std::int32_t layer = 0;
    std::uint32_t blockFlags = 0;
    bool onBoard = false;
};

// Where the 144 tiles lie and which of them may be taken. Knows nothing of pictures or matching.
class Board {
  public:
    Board();

    void clear();
    // Callers pass positions inside the grid; layouts are checked before they reach a board.
    void place(int tile, int x, int y, int z);
    void remove(int tile);
    // Visibility of the tile: the game shows every tile after the 144th is placed.
    void setOnBoard(int tile, bool onBoard) { tiles_[tile].onBoard = onBoard; }

    int isBlocked(int tile) const;
    int blockedCount(int group) const;
    bool hasMove() const;
    int cellAt(int x, int y, int z) const { return cells_[cellIndex(x, y, z)]; }

    const TileState& tile(int tile) const { return tiles_[tile]; }

    static constexpr int cellIndex(int x, int y, int z) {
        return z + kGridLayers * y + kGridLayers * kGridRows * x;
    }

  private:
    std::array<std::int32_t, kGridColumns * kGridRows * kGridLayers> cells_;
    std::array<TileState, kTileCount> tiles_{};
};

} // namespace tessalo

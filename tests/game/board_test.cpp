#include "game/board.h"

#include <gtest/gtest.h>

namespace tessalo {
namespace {

// Places tiles in the given order and puts them all on the board, as a deal does.
Board boardWith(std::initializer_list<std::array<int, 4>> tiles) {
    Board board;
    for (const auto& [tile, x, y, z] : tiles)
        board.place(tile, x, y, z);
    for (const auto& t : tiles)
        board.setOnBoard(t[0], true);
    return board;
}

TEST(Board, Clear_EmptiesEveryCell) {
    Board board = boardWith({{0, 0, 0, 0}, {1, 33, 17, 5}});
    EXPECT_EQ(board.cellAt(0, 0, 0), 0);
    EXPECT_EQ(board.cellAt(33, 17, 5), 1);
    board.clear();
    EXPECT_EQ(board.cellAt(0, 0, 0), kNoTile);
    EXPECT_EQ(board.cellAt(33, 17, 5), kNoTile);
}

TEST(Board, CellIndex_FollowsTheFlatLayout) {
    EXPECT_EQ(Board::cellIndex(0, 0, 1), 1);
    EXPECT_EQ(Board::cellIndex(0, 1, 0), 6);
    EXPECT_EQ(Board::cellIndex(1, 0, 0), 108);
    EXPECT_EQ(Board::cellIndex(33, 17, 5), 3671);
}

TEST(Board, Tile_TouchedOnBothSides_IsBlockedUntilANeighbourLeaves) {
    Board board = boardWith({{0, 4, 4, 0}, {1, 6, 4, 0}, {2, 8, 4, 0}});
    EXPECT_EQ(board.tile(1).blockFlags, 0xF0u);
    EXPECT_EQ(board.isBlocked(1), 1);
    EXPECT_EQ(board.isBlocked(0), 0);
    EXPECT_EQ(board.isBlocked(2), 0);

    board.remove(2);
    EXPECT_EQ(board.isBlocked(1), 0);
    EXPECT_EQ(board.tile(1).blockFlags, 0xC0u);
    EXPECT_EQ(board.tile(0).blockFlags, 0x30u);
}

TEST(Board, Tile_TouchedInOppositeHalves_IsBlocked) {
    // Left neighbour touches the upper half only, right neighbour the lower half only.
    Board board = boardWith({{0, 4, 3, 0}, {1, 6, 4, 0}, {2, 8, 5, 0}});
    EXPECT_EQ(board.tile(1).blockFlags, 0x40u | 0x20u);
    EXPECT_EQ(board.tile(0).blockFlags, 0x20u); // touched in its lower half
    EXPECT_EQ(board.tile(2).blockFlags, 0x40u); // touched in its upper half
    EXPECT_EQ(board.isBlocked(1), 1);
}

TEST(Board, Tile_TouchedOnOneSideOnly_IsFree) {
    Board board = boardWith({{0, 4, 3, 0}, {2, 4, 5, 0}, {1, 6, 4, 0}});
    EXPECT_EQ(board.tile(1).blockFlags, 0xC0u);
    EXPECT_EQ(board.tile(0).blockFlags, 0x20u);
    EXPECT_EQ(board.tile(2).blockFlags, 0x10u);
    EXPECT_EQ(board.isBlocked(1), 0);
}

TEST(Board, SideContacts_AreRecordedOnlyWhenTheLeftTileComesFirst) {
    Board board = boardWith({{0, 12, 4, 0}, {1, 10, 4, 0}, {2, 14, 4, 0}});
    EXPECT_EQ(board.tile(1).blockFlags, 0u);
    // Tile 2 saw tile 0 on its left; tile 0 never learns about tile 1.
    EXPECT_EQ(board.tile(0).blockFlags, 0x30u);
    EXPECT_EQ(board.tile(2).blockFlags, 0xC0u);
    EXPECT_EQ(board.isBlocked(0), 0);
}

TEST(Board, HalfOffsetCover_SetsAndClearsExactlyItsQuarters) {
    // A layer-1 tile anchored between two layer-0 tiles covers the right half of one and the left
    // half of the other.
    Board board = boardWith({{0, 4, 4, 0}, {1, 6, 4, 0}, {2, 5, 4, 1}});
    EXPECT_EQ(board.tile(0).blockFlags & 0x0Fu, 0x0Cu);
    EXPECT_EQ(board.tile(1).blockFlags & 0x0Fu, 0x03u);
    EXPECT_EQ(board.isBlocked(0), 1);
    EXPECT_EQ(board.isBlocked(1), 1);
    EXPECT_EQ(board.isBlocked(2), 0);

    board.remove(2);
    EXPECT_EQ(board.tile(0).blockFlags, 0x30u);
    EXPECT_EQ(board.tile(1).blockFlags, 0xC0u);
    EXPECT_EQ(board.isBlocked(0), 0);
    EXPECT_EQ(board.isBlocked(1), 0);
}

TEST(Board, CoverFromAbove_IsRecordedWhicheverLayerComesFirst) {
    // The upper tile is placed first: the lower one picks up the cover when it is placed.
    Board board = boardWith({{0, 5, 5, 1}, {1, 4, 4, 0}, {2, 6, 6, 0}});
    EXPECT_EQ(board.tile(1).blockFlags, 0x08u); // lower-right quarter
    EXPECT_EQ(board.tile(2).blockFlags, 0x02u); // upper-left quarter
    board.remove(0);
    EXPECT_EQ(board.tile(1).blockFlags, 0u);
    EXPECT_EQ(board.tile(2).blockFlags, 0u);
}

TEST(Board, FullCover_BlocksUntilTheTileAboveLeaves) {
    Board board = boardWith({{0, 10, 8, 0}, {1, 10, 8, 1}});
    EXPECT_EQ(board.tile(0).blockFlags, 0x0Fu);
    EXPECT_EQ(board.isBlocked(0), 1);
    board.remove(1);
    EXPECT_EQ(board.isBlocked(0), 0);
}

TEST(Board, EdgesOfTheGrid_MakeNoLookupsOutside) {
    Board board = boardWith({{0, 0, 0, 0}, {1, 1, 17, 5}, {2, 32, 0, 0}, {3, 33, 16, 5}});
    for (int tile = 0; tile < 4; ++tile)
        EXPECT_EQ(board.tile(tile).blockFlags, 0u) << tile;
    board.remove(2);
    board.remove(3);
    EXPECT_EQ(board.cellAt(32, 0, 0), kNoTile);
    EXPECT_EQ(board.cellAt(33, 16, 5), kNoTile);
}

TEST(Board, Remove_TakesTheTileOffAndLeavesItsFlags) {
    Board board = boardWith({{0, 4, 4, 0}, {1, 6, 4, 0}});
    board.remove(1);
    EXPECT_FALSE(board.tile(1).onBoard);
    EXPECT_EQ(board.cellAt(6, 4, 0), kNoTile);
    EXPECT_EQ(board.tile(1).blockFlags, 0xC0u);
    EXPECT_EQ(board.isBlocked(1), 1);
}

TEST(Board, BlockedCountAndHasMove_CountRemovedTilesAsBlocked) {
    Board board;
    EXPECT_FALSE(board.hasMove()); // nothing on the board
    for (int group = 0; group < kGroupCount; ++group)
        EXPECT_EQ(board.blockedCount(group), 4);

    // Group 0: two tiles free side by side with gaps, two stacked under a third layer.
    board = boardWith({{0, 0, 0, 0}, {1, 4, 0, 0}, {2, 8, 0, 0}, {3, 8, 0, 1}, {4, 12, 0, 0}});
    EXPECT_EQ(board.blockedCount(0), 1);
    EXPECT_TRUE(board.hasMove());
    board.remove(0);
    EXPECT_EQ(board.blockedCount(0), 2); // one removed, one covered
    EXPECT_TRUE(board.hasMove());        // tiles 1 and 3 remain free
    board.remove(1);
    EXPECT_EQ(board.blockedCount(0), 3);
    EXPECT_FALSE(board.hasMove());
}

} // namespace
} // namespace tessalo

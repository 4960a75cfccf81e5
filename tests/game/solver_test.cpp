#include "game/solver.h"

#include "game/board.h"
#include "game/deal_random.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <vector>

namespace tessalo {
namespace {

struct Deal {
    std::vector<std::uint8_t> x, y, z, tiles;

    void add(int px, int py, int pz, int tile) {
        x.push_back(static_cast<std::uint8_t>(px));
        y.push_back(static_cast<std::uint8_t>(py));
        z.push_back(static_cast<std::uint8_t>(pz));
        tiles.push_back(static_cast<std::uint8_t>(tile));
    }

    SolveOutcome solve(std::uint64_t budget = 100000) const {
        return solveDeal(PositionRelations(x, y, z), tiles, budget);
    }
};

TEST(Solver, TilesApartFromEachOther_AreClearable) {
    Deal deal;
    for (int i = 0; i < 8; ++i)
        deal.add(4 * i, 0, 0, 7 - i);
    EXPECT_EQ(deal.solve().result, SolveResult::Clearable);
}

TEST(Solver, PairLyingOnEachOther_IsNotClearable) {
    Deal deal;
    deal.add(0, 0, 1, 0);
    deal.add(0, 0, 0, 1);
    EXPECT_EQ(deal.solve().result, SolveResult::NotClearable);

    // Each pair holds the other's second tile down: neither can go first.
    Deal crossed;
    crossed.add(0, 0, 1, 0);
    crossed.add(1, 1, 0, 4);
    crossed.add(8, 0, 1, 5);
    crossed.add(8, 0, 0, 1);
    EXPECT_EQ(crossed.solve().result, SolveResult::NotClearable);
}

TEST(Solver, SideContacts_CountOnlyWhereTheLeftTileComesFirst) {
    // A row of four: groups 0 1 0 1. Only the two ends are free, and they never match.
    Deal leftToRight;
    for (int i = 0; i < 4; ++i)
        leftToRight.add(2 * i, 0, 0, i % 2 == 0 ? i / 2 : 4 + i / 2);
    EXPECT_EQ(leftToRight.solve().result, SolveResult::NotClearable);

    // The same row listed from the right: the board records no contact, every tile is free.
    Deal rightToLeft;
    for (int i = 3; i >= 0; --i)
        rightToLeft.add(2 * i, 0, 0, i % 2 == 0 ? i / 2 : 4 + i / 2);
    EXPECT_EQ(rightToLeft.solve().result, SolveResult::Clearable);
}

TEST(Solver, BudgetRunningOut_GivesUnknown) {
    // 144 tiles: two full 12 x 6 layers, one exactly on the other.
    Deal deal;
    const std::vector<std::uint8_t> order = dealOrderForSeed(0);
    for (int z = 1; z >= 0; --z) {
        for (int col = 0; col < 12; ++col) {
            for (int row = 5; row >= 0; --row)
                deal.add(2 * col, 2 * row, z, order[deal.x.size()]);
        }
    }
    const SolveOutcome outcome = deal.solve(1);
    EXPECT_EQ(outcome.result, SolveResult::Unknown);
    EXPECT_EQ(outcome.nodes, 1u);
}

// The reference: every sequence of pairs, played on the real board.
bool clearableOnBoard(const Board& board, const std::vector<int>& tiles,
                      std::map<std::uint32_t, bool>& seen, std::uint32_t removed) {
    if (removed + 1 == (std::uint32_t{1} << tiles.size()))
        return true;
    if (const auto it = seen.find(removed); it != seen.end())
        return it->second;
    bool result = false;
    for (std::size_t i = 0; i < tiles.size() && !result; ++i) {
        for (std::size_t j = i + 1; j < tiles.size() && !result; ++j) {
            if ((removed >> i & 1) || (removed >> j & 1) || tiles[i] / 4 != tiles[j] / 4 ||
                board.isBlocked(tiles[i]) || board.isBlocked(tiles[j]))
                continue;
            Board next = board;
            next.remove(tiles[i]);
            next.remove(tiles[j]);
            result = clearableOnBoard(next, tiles, seen, removed | 1u << i | 1u << j);
        }
    }
    seen[removed] = result;
    return result;
}

TEST(Solver, SmallRandomDeals_AgreeWithPlayOnTheBoard) {
    std::mt19937 random(20261208);
    int clearable = 0;
    int notClearable = 0;
    for (int round = 0; round < 1000; ++round) {
        const int tileCount = round % 2 == 0 ? 12 : 16;
        Deal deal;
        std::vector<int> order(tileCount);
        for (int i = 0; i < tileCount; ++i)
            order[i] = i;
        std::shuffle(order.begin(), order.end(), random);
        // Random non-overlapping anchors, crowded on three layers, in random order so that
        // some side contacts go unrecorded.
        for (int attempt = 0; static_cast<int>(deal.x.size()) < tileCount; ++attempt) {
            if (attempt % 500 == 0)
                deal = Deal{};
            const int x = static_cast<int>(random() % 7), y = static_cast<int>(random() % 4),
                      z = static_cast<int>(random() % 3);
            bool overlaps = false;
            for (std::size_t i = 0; i < deal.x.size(); ++i)
                overlaps |=
                    deal.z[i] == z && std::abs(deal.x[i] - x) < 2 && std::abs(deal.y[i] - y) < 2;
            if (!overlaps)
                deal.add(x, y, z, order[deal.x.size()]);
        }
        Board board;
        std::vector<int> tiles;
        for (int i = 0; i < tileCount; ++i) {
            board.place(deal.tiles[i], deal.x[i], deal.y[i], deal.z[i]);
            tiles.push_back(deal.tiles[i]);
        }
        for (int tile : tiles)
            board.setOnBoard(tile, true);

        // The solver's view of freedom is the board's, position by position.
        const PositionRelations relations(deal.x, deal.y, deal.z);
        PositionSet present;
        for (int i = 0; i < tileCount; ++i)
            present.insert(i);
        for (int i = 0; i < tileCount; ++i)
            ASSERT_EQ(relations.isFree(i, present), board.isBlocked(deal.tiles[i]) == 0) << round;

        std::map<std::uint32_t, bool> seen;
        const bool expected = clearableOnBoard(board, tiles, seen, 0);
        const SolveResult result = deal.solve().result;
        ASSERT_EQ(result, expected ? SolveResult::Clearable : SolveResult::NotClearable)
            << "round " << round;
        (expected ? clearable : notClearable) += 1;
    }
    // Both answers must have been exercised for the comparison to mean something.
    EXPECT_GT(clearable, 20);
    EXPECT_GT(notClearable, 20);
}

} // namespace
} // namespace tessalo

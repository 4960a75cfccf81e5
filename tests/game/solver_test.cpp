#include "game/solver.h"

#include "game/board.h"
#include "game/deal_random.h"
#include "game/solver_walk.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// Takes the pairs in order on the real board; true when each was free and matching and the board
// ends empty.
bool certificateClears(Board board, const Deal& deal, const std::vector<PositionPair>& pairs) {
    for (const PositionPair& pair : pairs) {
        const int first = deal.tiles[pair.first], second = deal.tiles[pair.second];
        if (first == second || first / 4 != second / 4 || board.isBlocked(first) ||
            board.isBlocked(second))
            return false;
        board.remove(first);
        board.remove(second);
    }
    return 2 * pairs.size() == deal.tiles.size();
}

// A random deal of `tileCount` tiles on a small grid. `sorted` lists positions by layer and
// half-column as the layout builder does, so most side contacts are recorded; otherwise the order
// is random and many are not.
Deal randomDeal(std::mt19937& random, int tileCount, int width, int height, int layers,
                bool sorted) {
    Deal deal;
    std::vector<int> order(tileCount);
    for (int i = 0; i < tileCount; ++i)
        order[i] = i;
    std::shuffle(order.begin(), order.end(), random);
    for (int attempt = 0; static_cast<int>(deal.x.size()) < tileCount; ++attempt) {
        if (attempt % 500 == 0)
            deal = Deal{};
        const int x = static_cast<int>(random() % width), y = static_cast<int>(random() % height),
                  z = static_cast<int>(random() % layers);
        bool overlaps = false;
        for (std::size_t i = 0; i < deal.x.size(); ++i)
            overlaps |=
                deal.z[i] == z && std::abs(deal.x[i] - x) < 2 && std::abs(deal.y[i] - y) < 2;
        if (!overlaps)
            deal.add(x, y, z, order[deal.x.size()]);
    }
    if (sorted) {
        std::vector<int> index(tileCount);
        for (int i = 0; i < tileCount; ++i)
            index[i] = i;
        std::stable_sort(index.begin(), index.end(), [&deal](int l, int r) {
            return deal.z[l] != deal.z[r] ? deal.z[l] > deal.z[r] : deal.x[l] < deal.x[r];
        });
        Deal listed;
        for (int i : index)
            listed.add(deal.x[i], deal.y[i], deal.z[i], deal.tiles[i]);
        deal = listed;
    }
    return deal;
}

Board boardOf(const Deal& deal) {
    Board board;
    for (std::size_t i = 0; i < deal.tiles.size(); ++i)
        board.place(deal.tiles[i], deal.x[i], deal.y[i], deal.z[i]);
    for (int tile : deal.tiles)
        board.setOnBoard(tile, true);
    return board;
}

// Random deals of 12 to 20 tiles, compared with every sequence of pairs played on the real board.
void compareWithTheBoard(std::uint32_t seed, int rounds, int width, int height, int layers,
                         bool sorted) {
    std::mt19937 random(seed);
    int clearable = 0;
    int notClearable = 0;
    for (int round = 0; round < rounds; ++round) {
        const int tileCount = 12 + 4 * (round % 3);
        const Deal deal = randomDeal(random, tileCount, width, height, layers, sorted);
        const Board board = boardOf(deal);
        const std::vector<int> tiles(deal.tiles.begin(), deal.tiles.end());

        // The solver's view of freedom is the board's, position by position.
        const PositionRelations relations(deal.x, deal.y, deal.z);
        PositionSet present;
        for (int i = 0; i < tileCount; ++i)
            present.insert(i);
        for (int i = 0; i < tileCount; ++i)
            ASSERT_EQ(relations.isFree(i, present), board.isBlocked(deal.tiles[i]) == 0) << round;

        std::map<std::uint32_t, bool> seen;
        const bool expected = clearableOnBoard(board, tiles, seen, 0);
        const SolveOutcome outcome = deal.solve();
        ASSERT_EQ(outcome.result, expected ? SolveResult::Clearable : SolveResult::NotClearable)
            << "round " << round;
        if (expected)
            ASSERT_TRUE(certificateClears(board, deal, outcome.pairs)) << "round " << round;
        else
            ASSERT_TRUE(outcome.pairs.empty());
        (expected ? clearable : notClearable) += 1;
    }
    // Both answers must have been exercised for the comparison to mean something.
    EXPECT_GT(clearable, rounds / 20);
    EXPECT_GT(notClearable, rounds / 20);
}

TEST(Solver, SmallRandomDeals_AgreeWithPlayOnTheBoard) {
    // Crowded stacks, contacts listed in any order.
    compareWithTheBoard(20261208, 600, 7, 4, 3, false);
    // Stacks as high as they come on a narrow grid.
    compareWithTheBoard(7, 300, 7, 4, 4, true);
    // Long rows on two layers, listed as the layout builder lists them.
    compareWithTheBoard(11, 300, 15, 3, 2, true);
}

// The pairing walk only ever claims a clearing that the real board accepts, and finds the
// clearing of nearly every small deal that has one.
TEST(Solver, PairingWalk_ClearingsPlayOutOnTheBoard) {
    std::mt19937 random(99);
    int clearable = 0;
    int found = 0;
    for (int round = 0; round < 300; ++round) {
        const Deal deal = randomDeal(random, 12 + 4 * (round % 3), 7, 4, 3, round % 2 == 0);
        const Board board = boardOf(deal);
        const std::vector<int> tiles(deal.tiles.begin(), deal.tiles.end());
        std::map<std::uint32_t, bool> seen;
        const bool expected = clearableOnBoard(board, tiles, seen, 0);

        const PositionRelations relations(deal.x, deal.y, deal.z);
        solver::Groups groups;
        groups.groupOf.assign(deal.tiles.size(), -1);
        std::map<int, int> groupOfKind;
        for (std::size_t p = 0; p < deal.tiles.size(); ++p) {
            const auto [it, added] = groupOfKind.emplace(deal.tiles[p] / 4, groups.count());
            if (added) {
                groups.positions.push_back({});
                groups.sizes.push_back(0);
            }
            groups.positions[it->second][groups.sizes[it->second]++] = static_cast<int>(p);
            groups.groupOf[p] = it->second;
        }
        solver::PairingWalk walk(relations, groups);
        std::vector<PositionPair> pairs;
        const bool cleared = walk.walk(2000, pairs);
        if (cleared) {
            ASSERT_TRUE(expected && certificateClears(board, deal, pairs)) << "round " << round;
        }
        clearable += expected;
        found += cleared;
    }
    EXPECT_GT(clearable, 100);
    EXPECT_GE(found, clearable * 9 / 10) << found << " of " << clearable;
}

TEST(Solver, HostileLayout_EndsUnknownWithinItsBudget) {
    // 24 towers of six tiles, apart from each other: every tile but the top ones is covered, and
    // this deal takes thousands of choices to refute.
    Deal deal;
    const std::vector<std::uint8_t> order = dealOrderForSeed(2);
    for (int z = 5; z >= 0; --z) {
        for (int tower = 0; tower < 24; ++tower)
            deal.add(4 * (tower % 8), 4 * (tower / 8), z, order[deal.x.size()]);
    }
    for (std::uint64_t budget : {1u, 20u}) {
        const SolveOutcome outcome = deal.solve(budget);
        EXPECT_EQ(outcome.result, SolveResult::Unknown) << budget;
        EXPECT_LE(outcome.nodes, budget);
        EXPECT_TRUE(outcome.pairs.empty());
    }
}

} // namespace
} // namespace tessalo

#include "skin/asc_model.h"
#include "skin/frequency_tree.h"

#include <gtest/gtest.h>

namespace tessalo {
namespace {

TEST(FrequencyTree, FindAndInterval_AgreeOnCumulativeCounts) {
    FrequencyTree tree(16);
    tree.add(3, 5, 6000);
    tree.add(4, 2, 6000);
    tree.add(15, 1, 6000);
    EXPECT_EQ(tree.total(), 8u);
    for (std::uint32_t t = 0; t < tree.total(); ++t) {
        const auto found = tree.find(t);
        EXPECT_LE(found.low, t);
        EXPECT_LT(t, found.high);
        const auto same = tree.interval(found.symbol);
        EXPECT_EQ(same.low, found.low);
        EXPECT_EQ(same.high, found.high);
    }
    EXPECT_EQ(tree.find(0).symbol, 3);
    EXPECT_EQ(tree.find(5).symbol, 4);
    EXPECT_EQ(tree.find(7).symbol, 15);
}

TEST(FrequencyTree, ReachingTheLimit_HalvesCountsAboveOneOnly) {
    FrequencyTree tree(4);
    tree.add(0, 1, 100);
    tree.add(1, 7, 100);
    tree.add(2, 91, 100); // total 99: below the limit
    EXPECT_EQ(tree.count(2), 91);
    tree.add(3, 1, 100); // total 100: rescaled
    EXPECT_EQ(tree.count(0), 1);
    EXPECT_EQ(tree.count(1), 3);
    EXPECT_EQ(tree.count(2), 45);
    EXPECT_EQ(tree.count(3), 1);
    EXPECT_EQ(tree.total(), 50u);
    tree.remove(2);
    EXPECT_EQ(tree.count(2), 0);
    EXPECT_EQ(tree.total(), 5u);
}

TEST(EscapeModel, LengthEscape_RisesWithNewSymbolsAndDropsAtKnownCount24) {
    asc::EscapeModel lengths(asc::kLengthParameters);
    EXPECT_EQ(lengths.escape(), 8u);
    lengths.retire(6);
    lengths.learn(6);
    EXPECT_EQ(lengths.escape(), 16u);
    lengths.learn(6);
    EXPECT_EQ(lengths.escape(), 16u);
    lengths.learn(6); // known count 24
    EXPECT_EQ(lengths.escape(), 8u);
    lengths.learn(6);
    EXPECT_EQ(lengths.escape(), 8u);
}

TEST(EscapeModel, NeighbourBoost_StopsBeforeTheLastSymbol) {
    asc::EscapeModel lengths(asc::kLengthParameters);
    lengths.retire(60);
    EXPECT_EQ(lengths.newTree().count(55), 1);
    for (int i : {56, 57, 58, 59, 61, 62})
        EXPECT_EQ(lengths.newTree().count(i), 2) << i;
    EXPECT_EQ(lengths.newTree().count(60), 0);
    EXPECT_EQ(lengths.newTree().count(63), 1);
}

TEST(EscapeModel, AllLiteralsSeen_EscapeIsZeroUntilALaterDropSetsItToOne) {
    asc::EscapeModel literals(asc::kLiteralParameters);
    for (int s = 0; s < 256; ++s) {
        literals.retire(s);
        literals.learn(s);
    }
    EXPECT_EQ(literals.newTree().total(), 0u);
    EXPECT_EQ(literals.escape(), 0u);
    literals.learn(0);
    literals.learn(0); // known count 3
    EXPECT_EQ(literals.escape(), 1u);
}

TEST(DistanceSlots, FiveBytesSeen_EnablesSlotsUpToThreeWithTheHighestNarrowed) {
    asc::DistanceSlots slots;
    slots.enableFor(5);
    for (int s = 0; s <= 3; ++s)
        EXPECT_EQ(slots.tree().count(s), 24) << s;
    EXPECT_EQ(slots.tree().count(4), 0);
    EXPECT_EQ(slots.range(3, 5).base, 4u);
    EXPECT_EQ(slots.range(3, 5).width, 1u);
    EXPECT_EQ(slots.range(2, 5).width, 2u);

    asc::DistanceSlots full;
    full.enableFor(asc::kWindowSize);
    EXPECT_EQ(full.range(15, asc::kWindowSize).base + full.range(15, asc::kWindowSize).width - 1,
              asc::kWindowSize - 1);
}

TEST(LengthCode, CoversEveryLengthExactlyOnce) {
    std::vector<int> seen(asc::kMaxLength + 1, 0);
    for (int symbol = 0; symbol < 64; ++symbol) {
        const int extras = asc::lengthSymbolHasExtra(symbol) ? 16 : 1;
        for (int extra = 0; extra < extras; ++extra) {
            const std::uint32_t length =
                asc::lengthFromCode(symbol, static_cast<std::uint32_t>(extra));
            ASSERT_GE(length, asc::kMinLength);
            ASSERT_LE(length, asc::kMaxLength);
            ++seen[length];
            const auto code = asc::lengthCode(length);
            EXPECT_EQ(code.symbol, symbol);
            EXPECT_EQ(code.extra, asc::lengthSymbolHasExtra(symbol) ? extra : -1);
        }
    }
    for (std::uint32_t length = asc::kMinLength; length <= asc::kMaxLength; ++length)
        EXPECT_EQ(seen[length], 1) << length;
}

} // namespace
} // namespace tessalo

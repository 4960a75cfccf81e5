#pragma once

#include "game/solver.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <vector>

// Pieces shared by the solver's search and its proofs of dead ends.
namespace tessalo::solver {

// The three ways to split four tiles into two pairs, as indices into the group.
inline constexpr int kPairings[3][4] = {{0, 1, 2, 3}, {0, 2, 1, 3}, {0, 3, 1, 2}};
inline constexpr std::uint8_t kAllPairings = 7;
inline constexpr int kMaxGroups = PositionSet::kCapacity / 2;
// kPartnerIn[k][i]: the member of a group of four that pairing k puts with member i.
inline constexpr int kPartnerIn[3][4] = {{1, 0, 3, 2}, {2, 3, 0, 1}, {3, 2, 1, 0}};

constexpr bool partnersMatchPairings() {
    for (int k = 0; k < 3; ++k) {
        for (int half = 0; half < 4; half += 2) {
            if (kPartnerIn[k][kPairings[k][half]] != kPairings[k][half + 1] ||
                kPartnerIn[k][kPairings[k][half + 1]] != kPairings[k][half])
                return false;
        }
    }
    return true;
}
static_assert(partnersMatchPairings());

// Whether more than one pairing is open; std::popcount is a library call without -mpopcnt.
inline bool severalOpen(std::uint8_t pairings) {
    return (pairings & (pairings - 1)) != 0;
}

// The deal's match groups, each of two or four positions.
struct Groups {
    std::vector<std::array<int, 4>> positions;
    std::vector<int> sizes;
    std::vector<int> groupOf; // per position
    int count() const { return static_cast<int>(sizes.size()); }
};

// The groups of a deal of `positions` tiles, numbered as they first appear; nothing when a tile
// index appears twice.
std::optional<Groups> groupsOfDeal(std::span<const std::uint8_t> dealOrder, int positions);

using Pairings = std::array<std::uint8_t, kMaxGroups>;
static_assert(kMaxGroups % 8 == 0);

// Word by word, as memcmp is slow for so few bytes.
inline bool samePairings(const Pairings& l, const Pairings& r) {
    std::uint64_t differ = 0;
    for (std::size_t i = 0; i < l.size(); i += 8) {
        std::uint64_t a, b;
        std::memcpy(&a, l.data() + i, 8);
        std::memcpy(&b, r.data() + i, 8);
        differ |= a ^ b;
    }
    return differ == 0;
}

// A board state with the pairings still open to each group of four; a group with fewer tiles
// left keeps all three bits, so that equal boards compare equal.
struct State {
    PositionSet present;
    Pairings pairings{};
    friend bool operator==(const State& l, const State& r) {
        return l.present == r.present && samePairings(l.pairings, r.pairings);
    }
};

// The present positions of group g, in group order; returns how many.
inline int presentOf(const Groups& groups, int g, const PositionSet& present,
                     std::array<int, 4>& out) {
    int count = 0;
    for (int i = 0; i < groups.sizes[g]; ++i) {
        if (present.contains(groups.positions[g][i]))
            out[count++] = groups.positions[g][i];
    }
    return count;
}

} // namespace tessalo::solver

#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <span>
#include <vector>

namespace tessalo {

enum class SolveResult { Clearable, NotClearable, Unknown };

// A set of layout positions, one bit each.
struct PositionSet {
    static constexpr int kCapacity = 192;
    std::array<std::uint64_t, 3> words{};

    bool contains(int p) const { return (words[p >> 6] >> (p & 63)) & 1u; }
    void insert(int p) { words[p >> 6] |= std::uint64_t{1} << (p & 63); }
    void erase(int p) { words[p >> 6] &= ~(std::uint64_t{1} << (p & 63)); }
    bool intersects(const PositionSet& o) const {
        return (words[0] & o.words[0]) | (words[1] & o.words[1]) | (words[2] & o.words[2]);
    }
    bool empty() const { return (words[0] | words[1] | words[2]) == 0; }
    int count() const {
        return std::popcount(words[0]) + std::popcount(words[1]) + std::popcount(words[2]);
    }
    // Whether every member of this set is also in `o`.
    bool within(const PositionSet& o) const {
        return ((words[0] & ~o.words[0]) | (words[1] & ~o.words[1]) | (words[2] & ~o.words[2])) ==
               0;
    }
    PositionSet& operator|=(const PositionSet& o) {
        for (int w = 0; w < 3; ++w)
            words[w] |= o.words[w];
        return *this;
    }
    PositionSet& operator&=(const PositionSet& o) {
        for (int w = 0; w < 3; ++w)
            words[w] &= o.words[w];
        return *this;
    }
    friend PositionSet operator|(PositionSet l, const PositionSet& r) { return l |= r; }
    friend PositionSet operator&(PositionSet l, const PositionSet& r) { return l &= r; }
    // Calls f(p) for every member, in ascending order.
    template <typename F> void forEach(F&& f) const {
        for (int w = 0; w < 3; ++w) {
            for (std::uint64_t bits = words[w]; bits != 0; bits &= bits - 1)
                f(64 * w + std::countr_zero(bits));
        }
    }
    // Word by word: the defaulted comparison goes through memcmp, which is slow for three words.
    friend bool operator==(const PositionSet& l, const PositionSet& r) {
        return ((l.words[0] ^ r.words[0]) | (l.words[1] ^ r.words[1]) |
                (l.words[2] ^ r.words[2])) == 0;
    }
};

// Which positions hold a position back, by the board's own rules: covers from the layer above, and
// side contacts as the board records them, that is only where the left tile of a pair comes
// earlier in the layout.
class PositionRelations {
  public:
    PositionRelations(std::span<const std::uint8_t> x, std::span<const std::uint8_t> y,
                      std::span<const std::uint8_t> z);

    int size() const { return static_cast<int>(coveredBy_.size()); }
    bool isFree(int p, const PositionSet& present) const {
        if (!present.contains(p) || coveredBy_[p].intersects(present))
            return false;
        return !(leftContacts_[p].intersects(present) && rightContacts_[p].intersects(present));
    }
    const PositionSet& coveredBy(int p) const { return coveredBy_[p]; }
    // Side contacts as recorded: those on the left always come earlier in the layout.
    const PositionSet& leftContacts(int p) const { return leftContacts_[p]; }
    const PositionSet& rightContacts(int p) const { return rightContacts_[p]; }
    // The positions whose freedom this one may take away: those it lies on or touches.
    const PositionSet& held(int p) const { return held_[p]; }
    // Every position comes after all positions of the layers above it.
    const std::vector<int>& topDownOrder() const { return topDown_; }

  private:
    std::vector<PositionSet> coveredBy_;
    std::vector<PositionSet> leftContacts_;
    std::vector<PositionSet> rightContacts_;
    std::vector<PositionSet> held_;
    std::vector<int> topDown_;
};

// Two positions whose tiles are taken together.
struct PositionPair {
    int first;
    int second;
    friend bool operator==(const PositionPair&, const PositionPair&) = default;
};

struct SolveOutcome {
    SolveResult result = SolveResult::Unknown;
    std::uint64_t nodes = 0; // board states at which the search had to choose
    // For Clearable: the pairs that clear the board, in the order they are taken. Every pair is
    // free when its turn comes.
    std::vector<PositionPair> pairs;
};

// Decides whether a deal can be cleared, choosing at most `budget` times. Positions are those of
// the relations; `dealOrder[i]` is the tile at position i, its match group tile / 4. A tile index
// appears at most once; a deal that breaks this is answered Unknown.
SolveOutcome solveDeal(const PositionRelations& relations, std::span<const std::uint8_t> dealOrder,
                       std::uint64_t budget);

inline constexpr std::uint64_t kDefaultSolveBudget = 100000;

} // namespace tessalo

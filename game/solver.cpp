#include "game/solver.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>
#include <numeric>

namespace tessalo {

PositionRelations::PositionRelations(std::span<const std::uint8_t> x,
                                     std::span<const std::uint8_t> y,
                                     std::span<const std::uint8_t> z) {
    assert(x.size() == y.size() && y.size() == z.size());
    assert(x.size() <= static_cast<std::size_t>(PositionSet::kCapacity));
    const int n = static_cast<int>(x.size());
    coveredBy_.resize(n);
    leftContacts_.resize(n);
    rightContacts_.resize(n);
    covering_.resize(n);
    leftList_.resize(n);
    rightList_.resize(n);
    held_.resize(n);
    for (int p = 0; p < n; ++p) {
        for (int q = 0; q < n; ++q) {
            const int dx = x[q] - x[p];
            const int dy = y[q] - y[p];
            if (std::abs(dy) > 1)
                continue;
            if (z[q] == z[p] + 1 && std::abs(dx) <= 1) {
                coveredBy_[p].insert(q);
                covering_[p].push_back(q);
                held_[q].push_back(p);
            }
            // The board looks for side neighbours only to the left of the tile being placed, so
            // a contact exists only when the left tile of the pair was placed first.
            if (z[q] == z[p] && dx == -2 && q < p) {
                leftContacts_[p].insert(q);
                rightContacts_[q].insert(p);
                leftList_[p].push_back(q);
                rightList_[q].push_back(p);
                held_[q].push_back(p);
                held_[p].push_back(q);
            }
        }
    }
    topDown_.resize(n);
    std::iota(topDown_.begin(), topDown_.end(), 0);
    std::stable_sort(topDown_.begin(), topDown_.end(), [&z](int a, int b) { return z[a] > z[b]; });
}

namespace {

// Board states already shown to lead nowhere. Open addressing; the empty set marks a free slot,
// which is safe because an empty board is never a dead end.
class DeadStates {
  public:
    DeadStates() : slots_(1 << 12) {}

    bool contains(const PositionSet& s) const {
        for (std::size_t i = hash(s) & mask();; i = (i + 1) & mask()) {
            if (slots_[i].empty())
                return false;
            if (slots_[i] == s)
                return true;
        }
    }

    void insert(const PositionSet& s) {
        if (2 * (count_ + 1) > slots_.size())
            grow();
        place(s);
    }

  private:
    std::size_t mask() const { return slots_.size() - 1; }

    static std::size_t hash(const PositionSet& s) {
        std::uint64_t h = s.words[0] * 0x9E3779B97F4A7C15ull;
        h ^= (s.words[1] + 0x632BE59BD9B4E019ull) * 0xBF58476D1CE4E5B9ull;
        h ^= (s.words[2] + 0x85157AF5ull) * 0x94D049BB133111EBull;
        return static_cast<std::size_t>(h ^ (h >> 29));
    }

    void place(const PositionSet& s) {
        std::size_t i = hash(s) & mask();
        while (!slots_[i].empty()) {
            if (slots_[i] == s)
                return;
            i = (i + 1) & mask();
        }
        slots_[i] = s;
        ++count_;
    }

    void grow() {
        std::vector<PositionSet> old(slots_.size() * 2);
        old.swap(slots_);
        count_ = 0;
        for (const auto& s : old) {
            if (!s.empty())
                place(s);
        }
    }

    std::vector<PositionSet> slots_;
    std::size_t count_ = 0;
};

struct Move {
    int a;
    int b;
    int score;
};

PositionSet united(const PositionSet& l, const PositionSet& r) {
    PositionSet u;
    for (int w = 0; w < 3; ++w)
        u.words[w] = l.words[w] | r.words[w];
    return u;
}

// The three ways to split four tiles into two pairs, as indices into the group.
constexpr int kPairings[3][4] = {{0, 1, 2, 3}, {0, 2, 1, 3}, {0, 3, 1, 2}};

class Search {
  public:
    Search(const PositionRelations& relations, std::span<const std::uint8_t> dealOrder,
           std::uint64_t budget)
        : relations_(relations), budget_(budget), above_(relations.size()),
          leftward_(relations.size()), rightward_(relations.size()) {
        const int n = relations.size();
        for (int p = 0; p < n; ++p) {
            const std::size_t group = dealOrder[p] / 4;
            if (group >= groups_.size())
                groups_.resize(group + 1);
            groups_[group].push_back(p);
        }
        groupOf_.resize(n);
        for (std::size_t g = 0; g < groups_.size(); ++g) {
            for (int p : groups_[g])
                groupOf_[p] = static_cast<int>(g);
        }
    }

    // Searches from the start again with a growing limit and shuffled ties: a poor early choice
    // can hide an easy solution behind a huge subtree. Dead states found stay known across runs;
    // a run that ends within its limit has searched everything.
    SolveOutcome run() {
        PositionSet all;
        for (int p = 0; p < relations_.size(); ++p)
            all.insert(p);
        bool cleared = false;
        std::uint64_t limit = kFirstRunLimit;
        for (;;) {
            runLimit_ = std::min(budget_, nodes_ + limit);
            outOfBudget_ = false;
            cleared = explore(all);
            if (cleared || !outOfBudget_ || nodes_ >= budget_)
                break;
            limit *= 2;
            noise_ = kRestartNoise;
        }
        SolveOutcome outcome;
        outcome.nodes = nodes_;
        outcome.result = cleared        ? SolveResult::Clearable
                         : outOfBudget_ ? SolveResult::Unknown
                                        : SolveResult::NotClearable;
        return outcome;
    }

  private:
    PositionSet freeTiles(const PositionSet& present) const {
        PositionSet free;
        for (int p = 0; p < relations_.size(); ++p) {
            if (relations_.isFree(p, present))
                free.insert(p);
        }
        return free;
    }

    // Removing every remaining tile of a group whose remaining tiles are all free never hurts:
    // removal only ever frees tiles, and those tiles must go in pairs among themselves anyway.
    // Leaves the free tiles of the resulting board in `free`.
    void takeSafeMoves(PositionSet& present, PositionSet& free) const {
        bool changed = true;
        while (changed) {
            changed = false;
            free = freeTiles(present);
            for (const auto& group : groups_) {
                int remaining = 0;
                int freeCount = 0;
                for (int p : group) {
                    remaining += present.contains(p);
                    freeCount += free.contains(p);
                }
                if (remaining > 0 && remaining % 2 == 0 && freeCount == remaining) {
                    for (int p : group)
                        present.erase(p);
                    changed = true;
                }
            }
        }
    }

    // above_[p]: the present tiles lying on p, directly or through other present tiles.
    // leftward_[p] / rightward_[p]: the present tiles reachable from p through side contacts
    // going left / right. Each of these sets is an order that no sequence of moves can escape.
    void analyse(const PositionSet& present) {
        for (int p : relations_.topDownOrder()) {
            PositionSet above;
            if (present.contains(p)) {
                for (int q : relations_.coveringList(p)) {
                    if (present.contains(q)) {
                        above.insert(q);
                        above = united(above, above_[q]);
                    }
                }
            }
            above_[p] = above;
        }
        const int n = relations_.size();
        for (int p = 0; p < n; ++p)
            leftward_[p] = rightward_[p] = PositionSet{};
        // Left contacts come earlier in the layout, right contacts later.
        for (int p = 0; p < n; ++p) {
            if (!present.contains(p))
                continue;
            for (int q : relations_.leftList(p)) {
                if (present.contains(q)) {
                    leftward_[p].insert(q);
                    leftward_[p] = united(leftward_[p], leftward_[q]);
                }
            }
        }
        for (int p = n - 1; p >= 0; --p) {
            if (!present.contains(p))
                continue;
            for (int q : relations_.rightList(p)) {
                if (present.contains(q)) {
                    rightward_[p].insert(q);
                    rightward_[p] = united(rightward_[p], rightward_[q]);
                }
            }
        }
    }

    // The present tiles that must be gone before a and b can be taken together. Whatever lies on
    // them must go; and when one lies in the other's row, each of them can only come free from
    // its outer side, so that whole side must go.
    PositionSet neededBefore(int a, int b) const {
        PositionSet need = united(above_[a], above_[b]);
        if (rightward_[b].contains(a))
            std::swap(a, b);
        if (rightward_[a].contains(b))
            need = united(need, united(leftward_[a], rightward_[b]));
        return need;
    }

    bool pairPossible(int a, int b) const {
        const PositionSet need = neededBefore(a, b);
        return !need.contains(a) && !need.contains(b);
    }

    bool pairingPossible(const int* tiles, const int* pairing) const {
        const int a = tiles[pairing[0]], b = tiles[pairing[1]];
        const int c = tiles[pairing[2]], d = tiles[pairing[3]];
        const PositionSet first = neededBefore(a, b);
        const PositionSet second = neededBefore(c, d);
        if (first.contains(a) || first.contains(b) || second.contains(c) || second.contains(d))
            return false;
        const bool secondFirst = first.contains(c) || first.contains(d);
        const bool firstFirst = second.contains(a) || second.contains(b);
        return !(secondFirst && firstFirst);
    }

    // Proves a dead end: a pair that can never be free at once, a group that cannot be split
    // into such pairs, or pairs that would each have to go before the other.
    bool provablyStuck(const PositionSet& present) const {
        struct Pair {
            int a;
            int b;
        };
        std::array<Pair, PositionSet::kCapacity / 2> forced;
        int forcedCount = 0;
        for (const auto& group : groups_) {
            int tiles[4];
            int remaining = 0;
            for (int p : group) {
                if (present.contains(p) && remaining < 4)
                    tiles[remaining++] = p;
            }
            if (remaining == 2) {
                if (!pairPossible(tiles[0], tiles[1]))
                    return true;
                forced[forcedCount++] = {tiles[0], tiles[1]};
            } else if (remaining == 4) {
                int possible = 0;
                int only = 0;
                for (int i = 0; i < 3; ++i) {
                    if (pairingPossible(tiles, kPairings[i])) {
                        ++possible;
                        only = i;
                    }
                }
                if (possible == 0)
                    return true;
                if (possible == 1) {
                    forced[forcedCount++] = {tiles[kPairings[only][0]], tiles[kPairings[only][1]]};
                    forced[forcedCount++] = {tiles[kPairings[only][2]], tiles[kPairings[only][3]]};
                }
            }
        }
        if (forcedCount < 2 || forcedCount > 64)
            return false;
        // before[i]: the forced pairs that must go before pair i; a pair reaching itself is a
        // cycle that no order of moves can satisfy.
        std::array<std::uint64_t, 64> before{};
        for (int i = 0; i < forcedCount; ++i) {
            const PositionSet need = neededBefore(forced[i].a, forced[i].b);
            for (int j = 0; j < forcedCount; ++j) {
                if (j != i && (need.contains(forced[j].a) || need.contains(forced[j].b)))
                    before[i] |= std::uint64_t{1} << j;
            }
        }
        for (int k = 0; k < forcedCount; ++k) {
            for (int i = 0; i < forcedCount; ++i) {
                if ((before[i] >> k) & 1u)
                    before[i] |= before[k];
            }
        }
        for (int i = 0; i < forcedCount; ++i) {
            if ((before[i] >> i) & 1u)
                return true;
        }
        return false;
    }

    // Prefers pairs that free tiles, most of all tiles whose group then offers a move.
    int score(int a, int b, const PositionSet& present, const PositionSet& free) {
        PositionSet next = present;
        next.erase(a);
        next.erase(b);
        int value = 0;
        for (int p : {a, b}) {
            for (int q : relations_.heldList(p)) {
                if (!next.contains(q))
                    continue;
                ++value;
                if (free.contains(q) || !relations_.isFree(q, next))
                    continue;
                value += 4;
                for (int partner : groups_[groupOf_[q]]) {
                    if (partner != q && free.contains(partner) && partner != a && partner != b) {
                        value += 8;
                        break;
                    }
                }
            }
        }
        return 4 * value + static_cast<int>(random() % noise_);
    }

    std::uint32_t random() {
        random_ = random_ * 1664525u + 1013904223u;
        return random_ >> 8;
    }

    // Taking a and b leaves the other two of the group to be paired with each other.
    bool pairAllowedInGroup(const int* tiles, int a, int b) const {
        for (const auto& pairing : kPairings) {
            const int first = tiles[pairing[0]], second = tiles[pairing[1]];
            const int third = tiles[pairing[2]], fourth = tiles[pairing[3]];
            if ((first == a && second == b) || (first == b && second == a) ||
                (third == a && fourth == b) || (third == b && fourth == a))
                return pairingPossible(tiles, pairing);
        }
        return true;
    }

    bool explore(PositionSet present) {
        PositionSet free;
        takeSafeMoves(present, free);
        if (present.empty())
            return true;
        if (dead_.contains(present))
            return false;
        if (nodes_ >= runLimit_) {
            outOfBudget_ = true;
            return false;
        }
        ++nodes_;
        analyse(present);
        if (provablyStuck(present)) {
            dead_.insert(present);
            return false;
        }

        std::array<Move, 4 * PositionSet::kCapacity> moves;
        int moveCount = 0;
        for (const auto& group : groups_) {
            int tiles[4];
            int remaining = 0;
            int freeTiles[4];
            int freeCount = 0;
            for (int p : group) {
                if (!present.contains(p) || remaining == 4)
                    continue;
                tiles[remaining++] = p;
                if (free.contains(p))
                    freeTiles[freeCount++] = p;
            }
            for (int i = 0; i < freeCount; ++i) {
                for (int j = i + 1; j < freeCount; ++j) {
                    const int a = freeTiles[i], b = freeTiles[j];
                    if (remaining == 4 && !pairAllowedInGroup(tiles, a, b))
                        continue;
                    moves[moveCount++] = {a, b, score(a, b, present, free)};
                }
            }
        }
        std::stable_sort(moves.begin(), moves.begin() + moveCount,
                         [](const Move& l, const Move& r) { return l.score > r.score; });
        for (int m = 0; m < moveCount; ++m) {
            PositionSet next = present;
            next.erase(moves[m].a);
            next.erase(moves[m].b);
            if (explore(next))
                return true;
            if (outOfBudget_)
                return false;
        }
        dead_.insert(present);
        return false;
    }

    static constexpr std::uint64_t kFirstRunLimit = 256;
    static constexpr std::uint32_t kRestartNoise = 64;

    const PositionRelations& relations_;
    std::vector<std::vector<int>> groups_;
    std::vector<int> groupOf_;
    std::uint64_t budget_;
    std::uint64_t runLimit_ = 0;
    std::uint64_t nodes_ = 0;
    bool outOfBudget_ = false;
    std::uint32_t random_ = 1;
    std::uint32_t noise_ = 1;
    std::vector<PositionSet> above_;
    std::vector<PositionSet> leftward_;
    std::vector<PositionSet> rightward_;
    DeadStates dead_;
};

} // namespace

SolveOutcome solveDeal(const PositionRelations& relations, std::span<const std::uint8_t> dealOrder,
                       std::uint64_t budget) {
    assert(dealOrder.size() >= static_cast<std::size_t>(relations.size()));
    return Search(relations, dealOrder, budget).run();
}

} // namespace tessalo

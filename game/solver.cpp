#include "game/solver.h"

#include <algorithm>
#include <bit>
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

// A board state with the pairings still open to each group of four.
struct State {
    PositionSet present;
    std::array<std::uint64_t, 2> pairings{}; // three bits per group, a bit set when allowed

    friend bool operator==(const State&, const State&) = default;
};

// States already shown to lead nowhere. Open addressing; an empty board marks a free slot, which
// is safe because an empty board is never a dead end.
class DeadStates {
  public:
    DeadStates() : slots_(1 << 12) {}

    bool contains(const State& s) const {
        for (std::size_t i = hash(s) & mask();; i = (i + 1) & mask()) {
            if (slots_[i].present.empty())
                return false;
            if (slots_[i] == s)
                return true;
        }
    }

    void insert(const State& s) {
        if (2 * (count_ + 1) > slots_.size())
            grow();
        place(s);
    }

  private:
    std::size_t mask() const { return slots_.size() - 1; }

    static std::size_t hash(const State& s) {
        std::uint64_t h = s.present.words[0] * 0x9E3779B97F4A7C15ull;
        h ^= (s.present.words[1] + 0x632BE59BD9B4E019ull) * 0xBF58476D1CE4E5B9ull;
        h ^= (s.present.words[2] + 0x85157AF5ull) * 0x94D049BB133111EBull;
        h ^= (s.pairings[0] + 0x2545F4914F6CDD1Dull) * 0xD6E8FEB86659FD93ull;
        h ^= (s.pairings[1] + 0x9E3779B9ull) * 0xFF51AFD7ED558CCDull;
        return static_cast<std::size_t>(h ^ (h >> 29));
    }

    void place(const State& s) {
        std::size_t i = hash(s) & mask();
        while (!slots_[i].present.empty()) {
            if (slots_[i] == s)
                return;
            i = (i + 1) & mask();
        }
        slots_[i] = s;
        ++count_;
    }

    void grow() {
        std::vector<State> old(slots_.size() * 2);
        old.swap(slots_);
        count_ = 0;
        for (const auto& s : old) {
            if (!s.present.empty())
                place(s);
        }
    }

    std::vector<State> slots_;
    std::size_t count_ = 0;
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
        // Pairing choices are kept in two words of three bits per group.
        assert(groups_.size() <= 42);
        groupOf_.resize(n);
        for (std::size_t g = 0; g < groups_.size(); ++g) {
            for (int p : groups_[g])
                groupOf_[p] = static_cast<int>(g);
        }
    }

    // Searches from the start again and again, with limits on the Luby schedule (1 1 2 1 1 2 4
    // ...) and shuffled ties: a poor early choice can hide an easy solution behind a huge
    // subtree. Dead states found stay known across runs; a run that ends within its limit has
    // searched everything, so its "no" is final.
    SolveOutcome run() {
        State start;
        for (int p = 0; p < relations_.size(); ++p)
            start.present.insert(p);
        for (std::size_t g = 0; g < groups_.size(); ++g)
            setPairings(start, static_cast<int>(g), kAllPairings);
        bool cleared = false;
        for (int run = 1;; ++run) {
            runLimit_ = std::min(budget_, nodes_ + kRunLimitUnit * luby(run));
            outOfBudget_ = false;
            cleared = explore(start);
            if (cleared || !outOfBudget_ || nodes_ >= budget_)
                break;
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

    static std::uint64_t luby(int i) {
        for (int k = 1;; ++k) {
            if (i == (1 << k) - 1)
                return std::uint64_t{1} << (k - 1);
            if (i < (1 << k) - 1)
                return luby(i - (1 << (k - 1)) + 1);
        }
    }

    static unsigned pairings(const State& state, int g) {
        return static_cast<unsigned>(state.pairings[g / 21] >> (3 * (g % 21))) & kAllPairings;
    }

    static void setPairings(State& state, int g, unsigned allowed) {
        const int shift = 3 * (g % 21);
        state.pairings[g / 21] &= ~(std::uint64_t{kAllPairings} << shift);
        state.pairings[g / 21] |= std::uint64_t{allowed} << shift;
    }

    // Moves that need no choice. Removing every remaining tile of a group whose remaining tiles
    // are all free never hurts: removal only ever frees tiles, and those tiles must go in pairs
    // among themselves anyway. Nor does taking a free pair that the group's only open pairing
    // demands. Leaves the free tiles of the resulting board in `free`.
    void takeSafeMoves(State& state, PositionSet& free) const {
        bool changed = true;
        while (changed) {
            changed = false;
            free = freeTiles(state.present);
            for (std::size_t g = 0; g < groups_.size(); ++g) {
                const auto& group = groups_[g];
                int remaining = 0;
                int freeCount = 0;
                for (int p : group) {
                    remaining += state.present.contains(p);
                    freeCount += free.contains(p);
                }
                if (remaining > 0 && remaining % 2 == 0 && freeCount == remaining) {
                    for (int p : group)
                        state.present.erase(p);
                    changed = true;
                    continue;
                }
                const unsigned open = pairings(state, static_cast<int>(g));
                if (remaining != 4 || group.size() != 4 || std::popcount(open) != 1)
                    continue;
                const int* pairing = kPairings[std::countr_zero(open)];
                for (int half = 0; half < 4; half += 2) {
                    const int a = group[pairing[half]], b = group[pairing[half + 1]];
                    if (free.contains(a) && free.contains(b)) {
                        state.present.erase(a);
                        state.present.erase(b);
                        changed = true;
                        break;
                    }
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

    // The pairings of a group of four still open: allowed by the choices made so far and
    // possible in the order that covering and rows impose.
    unsigned openPairings(const State& state, int g) const {
        const auto& group = groups_[g];
        unsigned open = 0;
        for (int i = 0; i < 3; ++i) {
            if ((pairings(state, g) >> i & 1u) && pairingPossible(group.data(), kPairings[i]))
                open |= 1u << i;
        }
        return open;
    }

    // Proves a dead end: a pair that can never be free at once, a group that cannot be split
    // into such pairs, or pairs that would each have to go before the other.
    bool provablyStuck(const State& state) const {
        struct Pair {
            int a;
            int b;
        };
        std::array<Pair, PositionSet::kCapacity / 2> forced;
        int forcedCount = 0;
        for (std::size_t g = 0; g < groups_.size(); ++g) {
            const auto& group = groups_[g];
            int tiles[4];
            int remaining = 0;
            for (int p : group) {
                if (state.present.contains(p) && remaining < 4)
                    tiles[remaining++] = p;
            }
            if (remaining == 2) {
                if (!pairPossible(tiles[0], tiles[1]))
                    return true;
                forced[forcedCount++] = {tiles[0], tiles[1]};
            } else if (remaining == 4 && group.size() == 4) {
                const unsigned open = openPairings(state, static_cast<int>(g));
                if (open == 0)
                    return true;
                if (std::popcount(open) == 1) {
                    const int* pairing = kPairings[std::countr_zero(open)];
                    forced[forcedCount++] = {tiles[pairing[0]], tiles[pairing[1]]};
                    forced[forcedCount++] = {tiles[pairing[2]], tiles[pairing[3]]};
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

    // One way to go on: take a pair now, or (with `a` < 0) leave the group's free tiles to
    // pair with tiles still held down, keeping only the pairings in `pairings`.
    struct Choice {
        int a;
        int b;
        unsigned pairings;
        int score;
    };

    // Moves of different groups never spoil each other: removing tiles only frees tiles. So one
    // group's decision at a time is enough, and every pairing of that group is covered: either
    // one of its pairs is free now and may be taken at once, or the free tiles wait for partners.
    bool explore(State state) {
        PositionSet free;
        takeSafeMoves(state, free);
        if (state.present.empty())
            return true;
        // Once a group has lost a pair, its remaining two can only pair with each other.
        for (std::size_t g = 0; g < groups_.size(); ++g) {
            int remaining = 0;
            for (int p : groups_[g])
                remaining += state.present.contains(p);
            if (remaining < 4)
                setPairings(state, static_cast<int>(g), kAllPairings);
        }
        if (dead_.contains(state))
            return false;
        if (nodes_ >= runLimit_) {
            outOfBudget_ = true;
            return false;
        }
        ++nodes_;
        analyse(state.present);
        if (provablyStuck(state)) {
            dead_.insert(state);
            return false;
        }

        std::array<Choice, 4> best;
        int bestCount = 0;
        int bestGroup = -1;
        int bestTop = -1;
        for (std::size_t g = 0; g < groups_.size(); ++g) {
            const auto& group = groups_[g];
            std::array<Choice, 4> choices;
            int count = 0;
            int remaining = 0;
            for (int p : group)
                remaining += state.present.contains(p);
            if (remaining == 4 && group.size() == 4) {
                const unsigned open = openPairings(state, static_cast<int>(g));
                unsigned waiting = 0;
                for (int i = 0; i < 3; ++i) {
                    if (!(open >> i & 1u))
                        continue;
                    const int* pairing = kPairings[i];
                    bool taken = false;
                    for (int half = 0; half < 4 && !taken; half += 2) {
                        const int a = group[pairing[half]], b = group[pairing[half + 1]];
                        if (free.contains(a) && free.contains(b)) {
                            choices[count++] = {a, b, 1u << i, score(a, b, state.present, free)};
                            taken = true;
                        }
                    }
                    if (!taken)
                        waiting |= 1u << i;
                }
                if (count == 0)
                    continue;
                if (waiting != 0)
                    choices[count++] = {-1, -1, waiting, -1};
            } else {
                int freeTiles[4];
                int freeCount = 0;
                for (int p : group) {
                    if (free.contains(p) && freeCount < 4)
                        freeTiles[freeCount++] = p;
                }
                for (int i = 0; i < freeCount && count < 4; ++i) {
                    for (int j = i + 1; j < freeCount && count < 4; ++j) {
                        const int a = freeTiles[i], b = freeTiles[j];
                        choices[count++] = {a, b, kAllPairings, score(a, b, state.present, free)};
                    }
                }
                if (count == 0)
                    continue;
            }
            int top = -1;
            for (int c = 0; c < count; ++c)
                top = std::max(top, choices[c].score);
            const bool better = bestGroup < 0 || (count == 1) > (bestCount == 1) ||
                                ((count == 1) == (bestCount == 1) && top > bestTop);
            if (better) {
                bestTop = top;
                best = choices;
                bestCount = count;
                bestGroup = static_cast<int>(g);
            }
        }
        if (bestGroup >= 0) {
            std::stable_sort(best.begin(), best.begin() + bestCount,
                             [](const Choice& l, const Choice& r) { return l.score > r.score; });
            for (int c = 0; c < bestCount; ++c) {
                State next = state;
                if (best[c].a >= 0) {
                    next.present.erase(best[c].a);
                    next.present.erase(best[c].b);
                }
                setPairings(next, bestGroup, best[c].pairings);
                if (explore(next))
                    return true;
                if (outOfBudget_)
                    return false;
            }
        }
        dead_.insert(state);
        return false;
    }

    static constexpr std::uint64_t kRunLimitUnit = 32;
    static constexpr unsigned kAllPairings = 7;
    static constexpr std::uint32_t kRestartNoise = 256;

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

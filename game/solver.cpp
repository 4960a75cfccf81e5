#include "game/solver.h"

#include "game/solver_precedence.h"
#include "game/solver_state.h"
#include "game/solver_table.h"
#include "game/solver_walk.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <unordered_map>

namespace tessalo {

namespace {

using solver::Groups;
using solver::kAllPairings;
using solver::kPairings;
using solver::Precedence;
using solver::State;

// The search looks at one group's decision at a time: moves of different groups never spoil each
// other, since taking tiles away only ever frees tiles. For a group of four with free tiles the
// decision is its pairing: either one of its pairs is free now and may be taken at once, or its
// free tiles wait for partners still held down; a group all of whose tiles are held may have its
// pairing fixed outright. Everything that needs no choice is done first.
class Search {
  public:
    Search(const PositionRelations& relations, const Groups& groups, std::uint64_t budget)
        : relations_(relations), groups_(groups), precedence_(relations, groups),
          walk_(relations, groups), budget_(budget), weights_(groups.count(), 0) {}

    // Searches from the start again and again, with limits on the Luby schedule (1 1 2 1 1 2 4
    // ...) and shuffled ties: a poor early choice can hide an easy solution behind a huge
    // subtree. Dead states found stay known across runs; a run that ends within its limit has
    // searched everything, so its "no" is final.
    SolveOutcome run() {
        State start;
        for (int p = 0; p < relations_.size(); ++p)
            start.present.insert(p);
        start.pairings.fill(kAllPairings);
        bool cleared = false;
        for (int run = 1;; ++run) {
            const std::uint64_t runStart = work_;
            runLimit_ = std::min(budget_, nodes_ + kRunLimitUnit * luby(run));
            outOfBudget_ = false;
            trail_.clear();
            precedence_.forget();
            cleared = explore(start);
            if (cleared || !outOfBudget_ || nodes_ >= budget_)
                break;
            // Deals that plain search finds hard are mostly cleared by a few right pairings deep
            // down, which the walk finds sooner; it gets a share of the time of each run, a
            // smaller one once the search has gone on long enough to be proving a dead end.
            const std::uint64_t walkSteps =
                (work_ < kLongSearch ? kWalkSteps : kWalkStepsLater) * (work_ - runStart);
            if (nodes_ >= kPlainChoices && walk_.walk(walkSteps, trail_)) {
                cleared = true;
                break;
            }
            noise_ = kRestartNoise;
        }
        SolveOutcome outcome;
        outcome.nodes = nodes_;
        if (cleared) {
            outcome.result = SolveResult::Clearable;
            outcome.pairs = trail_;
        } else {
            outcome.result = outOfBudget_ ? SolveResult::Unknown : SolveResult::NotClearable;
        }
        return outcome;
    }

  private:
    enum class Progress { Dead, Open, Cleared };

    PositionSet freeTiles(const PositionSet& present) const {
        PositionSet free;
        present.forEach([&](int p) {
            if (relations_.isFree(p, present))
                free.insert(p);
        });
        return free;
    }

    void take(State& state, int a, int b) {
        state.present.erase(a);
        state.present.erase(b);
        trail_.push_back({a, b});
    }

    // Moves that need no choice: the last two of a group when both are free, a group whose four
    // tiles are all free, and a free pair that the group's only open pairing demands. Taking a
    // pair that must go anyway never hurts, since taking tiles only frees tiles.
    bool takeSafeMoves(State& state, PositionSet& free) {
        bool tookAny = false;
        for (bool took = true; took;) {
            took = false;
            for (int g = 0; g < groups_.count(); ++g) {
                std::array<int, 4> tiles{};
                const int count = solver::presentOf(groups_, g, state.present, tiles);
                if (count == 2) {
                    if (free.contains(tiles[0]) && free.contains(tiles[1])) {
                        take(state, tiles[0], tiles[1]);
                        took = true;
                    }
                    continue;
                }
                if (count != 4)
                    continue;
                const std::uint8_t open = state.pairings[g];
                const bool allFree = free.contains(tiles[0]) && free.contains(tiles[1]) &&
                                     free.contains(tiles[2]) && free.contains(tiles[3]);
                if (open == 0 || (!allFree && std::popcount(open) != 1))
                    continue;
                const int* pairing = kPairings[std::countr_zero(open)];
                for (int half = 0; half < 4; half += 2) {
                    const int a = tiles[pairing[half]], b = tiles[pairing[half + 1]];
                    if (free.contains(a) && free.contains(b)) {
                        take(state, a, b);
                        took = true;
                    }
                }
                if (solver::presentOf(groups_, g, state.present, tiles) < 4)
                    state.pairings[g] = kAllPairings;
            }
            if (took) {
                free = freeTiles(state.present);
                tookAny = true;
            }
        }
        return tookAny;
    }

    // Whether keeping p on the board until `others` go costs nothing: every tile that p lies on
    // or touches must wait for one of them anyway.
    bool idleUntil(int p, const PositionSet& others, const PositionSet& present) const {
        bool idle = true;
        (relations_.held(p) & present).forEach([&](int x) {
            idle = idle && precedence_.before(x).intersects(others);
        });
        return idle;
    }

    // Closes pairings that another open pairing does at least as well. Of two free tiles, the
    // pair is better left to wait for the other two when neither holds back anything that could
    // go before those two; it is better taken at once when each of the other two holds back only
    // what must wait for its partner. Of three free tiles, one that holds back only what waits
    // for the fourth is the one to keep for it.
    bool applyDominance(State& state, const PositionSet& free) const {
        bool narrowed = false;
        for (int g = 0; g < groups_.count(); ++g) {
            std::array<int, 4> tiles{};
            if (solver::presentOf(groups_, g, state.present, tiles) != 4 ||
                std::popcount(state.pairings[g]) < 2)
                continue;
            int freeIndex[4];
            int heldIndex[4];
            int freeCount = 0;
            int heldCount = 0;
            for (int i = 0; i < 4; ++i) {
                if (free.contains(tiles[i]))
                    freeIndex[freeCount++] = i;
                else
                    heldIndex[heldCount++] = i;
            }
            std::uint8_t keep = state.pairings[g];
            if (freeCount == 2) {
                const int a = tiles[freeIndex[0]], b = tiles[freeIndex[1]];
                const int c = tiles[heldIndex[0]], d = tiles[heldIndex[1]];
                PositionSet held;
                held.insert(c);
                held.insert(d);
                const std::uint8_t take = pairingWith(freeIndex[0], freeIndex[1]);
                if (idleUntil(a, held, state.present) && idleUntil(b, held, state.present)) {
                    keep &= static_cast<std::uint8_t>(~take);
                } else if (keep & take) {
                    PositionSet onlyC, onlyD;
                    onlyC.insert(c);
                    onlyD.insert(d);
                    if (idleUntil(c, onlyD, state.present) && idleUntil(d, onlyC, state.present))
                        keep = take;
                }
            } else if (freeCount == 3) {
                PositionSet fourth;
                fourth.insert(tiles[heldIndex[0]]);
                for (int f = 0; f < 3; ++f) {
                    const std::uint8_t kept = pairingWith(freeIndex[f], heldIndex[0]);
                    if ((keep & kept) && idleUntil(tiles[freeIndex[f]], fourth, state.present)) {
                        keep = kept;
                        break;
                    }
                }
            }
            if (keep != 0 && keep != state.pairings[g]) {
                state.pairings[g] = keep;
                narrowed = true;
            }
        }
        return narrowed;
    }

    // The pairing (as a bit) that puts group members i and j together.
    static std::uint8_t pairingWith(int i, int j) {
        for (int k = 0; k < 3; ++k) {
            const int* pairing = kPairings[k];
            if ((pairing[0] == i && pairing[1] == j) || (pairing[0] == j && pairing[1] == i) ||
                (pairing[2] == i && pairing[3] == j) || (pairing[2] == j && pairing[3] == i))
                return static_cast<std::uint8_t>(1u << k);
        }
        return 0;
    }

    // Does what needs no choice and proves what it can; leaves the free tiles in `free`.
    Progress settle(State& state, PositionSet& free) {
        free = freeTiles(state.present);
        takeSafeMoves(state, free);
        bool probed = false;
        for (;;) {
            if (state.present.empty())
                return Progress::Cleared;
            const Precedence::Verdict verdict = precedence_.analyseAfter(state);
            if (verdict == Precedence::Verdict::Dead) {
                precedence_.culprits().forEach(
                    [&](int t) { weights_[groups_.groupOf[t]] += kCulpritWeight; });
                return Progress::Dead;
            }
            // Closed pairings may have left a pair that must go; taking it changes the order.
            if (verdict == Precedence::Verdict::Narrowed && takeSafeMoves(state, free))
                continue;
            if (applyDominance(state, free)) {
                takeSafeMoves(state, free);
                continue;
            }
            // Most deals are settled by plain search within a few hundred choices; trying every
            // pairing on its own pays only for those that are not, only near the start, where a
            // wrong choice costs most, and once for a board: a second round after what the first
            // closed found little, and made the hard proofs slower.
            if (nodes_ < kPlainChoices || 6 * state.present.count() <= 5 * relations_.size() ||
                probed)
                return Progress::Open;
            probedHere_ = true;
            probed = true;
            const int closed = probe(state);
            if (closed < 0)
                return Progress::Dead;
            if (closed == 0)
                return Progress::Open;
            takeSafeMoves(state, free);
        }
    }

    // Tries each open pairing of each undecided group that has taken part in a dead end on its
    // own, and closes those that the order proves dead. Returns -1 for a dead end, else how many
    // pairings were closed.
    int probe(State& state) {
        int closed = 0;
        for (int g = 0; g < groups_.count(); ++g) {
            if (std::popcount(state.pairings[g]) < 2 || weights_[g] == 0)
                continue;
            std::array<int, 4> tiles{};
            if (solver::presentOf(groups_, g, state.present, tiles) != 4)
                continue;
            // Whatever pairing the group takes, every other group keeps only what one of the
            // tries left it.
            solver::Pairings kept{};
            State tried;
            precedence_.beginCommonOrder();
            for (int i = 0; i < 3; ++i) {
                if (!(state.pairings[g] >> i & 1u))
                    continue;
                const Precedence::Choice choice{g, i};
                ++work_;
                if (precedence_.provesDead(state, {&choice, 1}, &tried)) {
                    state.pairings[g] &= static_cast<std::uint8_t>(~(1u << i));
                    ++closed;
                } else {
                    for (int h = 0; h < groups_.count(); ++h)
                        kept[h] |= tried.pairings[h];
                }
            }
            if (state.pairings[g] == 0) {
                weights_[g] += kEmptiedWeight;
                return -1;
            }
            if (precedence_.addCommonOrder(state) == Precedence::Verdict::Dead)
                return -1;
            for (int h = 0; h < groups_.count(); ++h) {
                const std::uint8_t narrowed = state.pairings[h] & kept[h];
                if (h != g && narrowed != state.pairings[h]) {
                    state.pairings[h] = narrowed;
                    ++closed;
                    if (narrowed == 0) {
                        weights_[h] += kEmptiedWeight;
                        return -1;
                    }
                }
            }
        }
        return closed;
    }

    // Prefers pairs that free tiles, most of all tiles whose group then offers a move.
    int score(int a, int b, const PositionSet& present, const PositionSet& free) {
        PositionSet next = present;
        next.erase(a);
        next.erase(b);
        int value = 0;
        ((relations_.held(a) | relations_.held(b)) & next).forEach([&](int q) {
            ++value;
            if (free.contains(q) || !relations_.isFree(q, next))
                return;
            value += 4;
            for (int i = 0; i < groups_.sizes[groups_.groupOf[q]]; ++i) {
                const int partner = groups_.positions[groups_.groupOf[q]][i];
                if (partner != q && free.contains(partner) && partner != a && partner != b) {
                    value += 8;
                    break;
                }
            }
        });
        return 4 * value + static_cast<int>(random() % noise_);
    }

    std::uint32_t random() {
        random_ = random_ * 1664525u + 1013904223u;
        return random_ >> 8;
    }

    static std::uint64_t luby(int i) {
        for (int k = 1;; ++k) {
            if (i == (1 << k) - 1)
                return std::uint64_t{1} << (k - 1);
            if (i < (1 << k) - 1)
                return luby(i - (1 << (k - 1)) + 1);
        }
    }

    // One way to go on: take the pair a, b now, or (with a < 0) leave the group's free tiles to
    // wait, keeping only the pairings in `pairings`.
    struct Choice {
        int a;
        int b;
        std::uint8_t pairings;
        int score;
    };

    // The group whose decision is searched, its ways to go on best first: the group that took
    // part in most dead ends, then one with a pair to take, then the best pair. Once plain search
    // has had its try, a group in dead ends is decided even while all its tiles are held, so
    // that the groups that cause dead ends are settled before the free ones that do not.
    int chooseGroup(const State& state, const PositionSet& free, std::array<Choice, 4>& best) {
        int bestCount = 0;
        int bestGroup = -1;
        int bestTop = -1;
        int bestWeight = -1;
        bool bestTakes = false;
        for (int g = 0; g < groups_.count(); ++g) {
            std::array<int, 4> tiles{};
            if (solver::presentOf(groups_, g, state.present, tiles) != 4)
                continue;
            std::array<Choice, 4> choices;
            int count = 0;
            std::uint8_t waiting = 0;
            for (int i = 0; i < 3; ++i) {
                if (!(state.pairings[g] >> i & 1u))
                    continue;
                const int* pairing = kPairings[i];
                bool taken = false;
                for (int half = 0; half < 4 && !taken; half += 2) {
                    const int a = tiles[pairing[half]], b = tiles[pairing[half + 1]];
                    if (free.contains(a) && free.contains(b)) {
                        choices[count++] = {a, b, static_cast<std::uint8_t>(1u << i),
                                            score(a, b, state.present, free)};
                        taken = true;
                    }
                }
                if (!taken)
                    waiting |= static_cast<std::uint8_t>(1u << i);
            }
            const bool takes = count > 0;
            if (takes && waiting != 0) {
                choices[count++] = {-1, -1, waiting, -1};
            } else if (!takes) {
                if (std::popcount(state.pairings[g]) < 2 || weights_[g] == 0 ||
                    nodes_ < kPlainChoices)
                    continue;
                for (int i = 0; i < 3; ++i) {
                    if (state.pairings[g] >> i & 1u)
                        choices[count++] = {-1, -1, static_cast<std::uint8_t>(1u << i), -1};
                }
            }
            int top = -1;
            for (int c = 0; c < count; ++c)
                top = std::max(top, choices[c].score);
            const bool better = weights_[g] > bestWeight ||
                                (weights_[g] == bestWeight &&
                                 ((takes && !bestTakes) || (takes == bestTakes && top > bestTop)));
            if (bestGroup < 0 || better) {
                bestTop = top;
                best = choices;
                bestCount = count;
                bestGroup = g;
                bestWeight = weights_[g];
                bestTakes = takes;
            }
        }
        std::stable_sort(best.begin(), best.begin() + bestCount,
                         [](const Choice& l, const Choice& r) { return l.score > r.score; });
        return bestGroup < 0 ? -1 : bestGroup * 4 + bestCount;
    }

    bool explore(const State& reached) {
        // Dead states are known both as reached and as settled, so that a state met again costs
        // no second analysis.
        if (dead_.contains(reached))
            return false;
        const std::size_t mark = trail_.size();
        State state = reached;
        PositionSet free;
        Progress progress = Progress::Open;
        // Restarts pass the boards near the start again and again; those that took the costly
        // tries of every pairing are remembered as settled.
        if (const auto known = settled_.find(reached); known != settled_.end()) {
            state = known->second.state;
            free = known->second.free;
            trail_.insert(trail_.end(), known->second.pairs.begin(), known->second.pairs.end());
        } else {
            probedHere_ = false;
            progress = settle(state, free);
            if (probedHere_ && progress == Progress::Open)
                settled_.emplace(reached,
                                 Settled{state, free, {trail_.begin() + mark, trail_.end()}});
        }
        if (progress == Progress::Cleared)
            return true;
        if (progress == Progress::Dead || dead_.contains(state)) {
            dead_.insert(reached);
            trail_.resize(mark);
            return false;
        }
        if (nodes_ >= runLimit_) {
            outOfBudget_ = true;
            trail_.resize(mark);
            return false;
        }
        ++nodes_;
        ++work_;
        std::array<Choice, 4> choices;
        const int chosen = chooseGroup(state, free, choices);
        if (chosen >= 0) {
            const int group = chosen / 4;
            const int count = chosen % 4;
            // Each way on starts from this board's analysis.
            if (depth_ == saved_.size())
                saved_.emplace_back();
            precedence_.save(saved_[depth_]);
            ++depth_;
            bool cleared = false;
            for (int c = 0; c < count && !cleared; ++c) {
                State next = state;
                const std::size_t before = trail_.size();
                if (choices[c].a >= 0)
                    take(next, choices[c].a, choices[c].b);
                // Once a pair is gone, the other two can only go together.
                next.pairings[group] = choices[c].a >= 0 ? kAllPairings : choices[c].pairings;
                precedence_.restore(saved_[depth_ - 1]);
                cleared = explore(next);
                if (!cleared)
                    trail_.resize(before);
                if (outOfBudget_)
                    break;
            }
            --depth_;
            if (cleared)
                return true;
            if (outOfBudget_) {
                trail_.resize(mark);
                return false;
            }
        }
        dead_.insert(state);
        dead_.insert(reached);
        trail_.resize(mark);
        return false;
    }

    static constexpr std::uint64_t kPlainChoices = 500;
    // How much a dead end adds to the weight of a group that took part in it: per culprit tile
    // when the order proved it, once for a group the tries left without a pairing. Near the start
    // nearly every dead end is found by tries; counting only the order's dead ends, the choice of
    // group learned from too few of them.
    static constexpr int kCulpritWeight = 2;
    static constexpr int kEmptiedWeight = 1;
    // Steps of the pairing walk for each choice or pairing tried by search; a step costs a few
    // microseconds, about as much as either.
    static constexpr std::uint64_t kWalkSteps = 6;
    static constexpr std::uint64_t kWalkStepsLater = 1;
    static constexpr std::uint64_t kLongSearch = 30000;
    static constexpr std::uint64_t kRunLimitUnit = 32;
    static constexpr std::uint32_t kRestartNoise = 256;

    const PositionRelations& relations_;
    const Groups& groups_;
    Precedence precedence_;
    solver::PairingWalk walk_;
    std::uint64_t budget_;
    std::uint64_t runLimit_ = 0;
    std::uint64_t nodes_ = 0;
    std::uint64_t work_ = 0; // choices and pairings tried on their own
    bool outOfBudget_ = false;
    std::uint32_t random_ = 1;
    std::uint32_t noise_ = 1;
    solver::DeadStates dead_;
    std::vector<PositionPair> trail_;
    std::vector<int> weights_;
    // A board after the tries of every pairing, with the pairs taken on the way there.
    struct Settled {
        State state;
        PositionSet free;
        std::vector<PositionPair> pairs;
    };
    std::unordered_map<State, Settled, solver::StateHash> settled_;
    bool probedHere_ = false;
    // The analyses of the boards on the way to the one searched, by depth.
    std::vector<Precedence::Saved> saved_;
    std::size_t depth_ = 0;
};

} // namespace

std::optional<solver::Groups> solver::groupsOfDeal(std::span<const std::uint8_t> dealOrder,
                                                   int positions) {
    Groups groups;
    std::array<int, 256> denseGroup;
    denseGroup.fill(-1);
    std::array<bool, 256> seen{};
    groups.groupOf.resize(positions);
    for (int p = 0; p < positions; ++p) {
        const int tile = dealOrder[p];
        if (seen[tile])
            return std::nullopt;
        seen[tile] = true;
        int& g = denseGroup[tile / 4];
        if (g < 0) {
            g = groups.count();
            groups.positions.push_back({});
            groups.sizes.push_back(0);
        }
        groups.positions[g][groups.sizes[g]++] = p;
        groups.groupOf[p] = g;
    }
    return groups;
}

SolveOutcome solveDeal(const PositionRelations& relations, std::span<const std::uint8_t> dealOrder,
                       std::uint64_t budget) {
    assert(dealOrder.size() >= static_cast<std::size_t>(relations.size()));
    const std::optional<Groups> found = solver::groupsOfDeal(dealOrder, relations.size());
    if (!found)
        return {};
    const Groups& groups = *found;
    // Tiles leave in pairs of one group: a group of odd size never goes.
    for (int size : groups.sizes) {
        if (size % 2 != 0)
            return {SolveResult::NotClearable, 0, {}};
    }
    return Search(relations, groups, budget).run();
}

} // namespace tessalo

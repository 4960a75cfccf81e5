#include "game/solver_precedence.h"

#include <algorithm>
#include <bit>

namespace tessalo::solver {

Precedence::Precedence(const PositionRelations& relations, const Groups& groups)
    : relations_(relations), groups_(groups), leftward_(relations.size()),
      rightward_(relations.size()), direct_(relations.size()), before_(relations.size()),
      neededBy_(relations.size()), partner_(relations.size(), -1), fitWatch_(groups.count()) {}

// leftward_[p] / rightward_[p]: the present tiles reachable from p through side contacts going
// left / right. Left contacts come earlier in the layout, right contacts later.
void Precedence::computeRows(const PositionSet& present) {
    rowsFor_ = present;
    const int n = relations_.size();
    for (int p = 0; p < n; ++p) {
        leftward_[p] = PositionSet{};
        if (!present.contains(p))
            continue;
        (relations_.leftContacts(p) & present).forEach([&](int q) {
            leftward_[p].insert(q);
            leftward_[p] |= leftward_[q];
        });
    }
    for (int p = n - 1; p >= 0; --p) {
        rightward_[p] = PositionSet{};
        if (!present.contains(p))
            continue;
        (relations_.rightContacts(p) & present).forEach([&](int q) {
            rightward_[p].insert(q);
            rightward_[p] |= rightward_[q];
        });
    }
}

void Precedence::need(int p, const PositionSet& tiles) {
    direct_[p] |= tiles;
    touched_.insert(p);
    if (partner_[p] >= 0)
        touched_.insert(partner_[p]);
    tiles.forEach([&](int q) {
        neededBy_[q].insert(p);
        if (partner_[p] >= 0)
            neededBy_[q].insert(partner_[p]);
    });
}

// Pairs the tiles that can only go together; false when a group cannot be split into pairs.
bool Precedence::setPartners(const State& state) {
    for (int g = 0; g < groups_.count(); ++g) {
        std::array<int, 4> tiles{};
        const int count = presentOf(groups_, g, state.present, tiles);
        for (int i = 0; i < count; ++i)
            partner_[tiles[i]] = -1;
        if (count % 2 != 0)
            return false;
        if (count == 2) {
            partner_[tiles[0]] = tiles[1];
            partner_[tiles[1]] = tiles[0];
        } else if (count == 4 && std::popcount(state.pairings[g]) == 1) {
            const int* pairing = kPairings[std::countr_zero(state.pairings[g])];
            for (int half = 0; half < 4; half += 2) {
                partner_[tiles[pairing[half]]] = tiles[pairing[half + 1]];
                partner_[tiles[pairing[half + 1]]] = tiles[pairing[half]];
            }
        }
    }
    return true;
}

// While two tiles of one row are both present, nothing between them can go (the first to go
// would still be touched on both sides), so each of them comes free only from its outer side.
void Precedence::addRowPairNeeds(int a, int b) {
    if (rightward_[b].contains(a))
        std::swap(a, b);
    if (!rightward_[a].contains(b))
        return;
    need(a, leftward_[a] | rightward_[b]);
    (rightward_[a] & leftward_[b]).forEach([&](int x) {
        PositionSet single;
        single.insert(a);
        need(x, single);
    });
}

// before_[p]: the present tiles that must be gone before p goes, closed under the order. False on
// a cycle.
bool Precedence::close(const PositionSet& present) {
    // Only tiles whose needs changed, or whose needs' own needs grew, are looked at again.
    const PositionSet touched = touched_;
    touched_ = PositionSet{};
    PositionSet recent = touched;
    PositionSet grownAll;
    for (bool first = true; !recent.empty(); first = false) {
        PositionSet grown;
        const auto visit = [&](int p) {
            PositionSet needs = direct_[p];
            if (partner_[p] >= 0)
                needs |= direct_[partner_[p]];
            // A tile whose own needs changed takes them all in; any other only what grew since
            // it was last looked at.
            const bool changed = first && (touched.contains(p) ||
                                           (partner_[p] >= 0 && touched.contains(partner_[p])));
            const PositionSet sources = changed ? needs : needs & (recent | grown);
            if (sources.empty())
                return;
            PositionSet closed = before_[p] | needs;
            sources.forEach([&](int q) { closed |= before_[q]; });
            if (!(closed == before_[p])) {
                before_[p] = closed;
                grown.insert(p);
            }
        };
        // After a fresh start every tile is looked at, upper layers first; later only the tiles
        // that need what grew.
        if (first && touched.count() > kFreshStart) {
            for (int p : relations_.topDownOrder()) {
                if (present.contains(p))
                    visit(p);
            }
        } else {
            PositionSet candidates = first ? touched : PositionSet{};
            recent.forEach([&](int q) { candidates |= neededBy_[q]; });
            (candidates & present).forEach(visit);
        }
        grownAll |= grown;
        recent = grown;
    }
    grownForSides_ |= grownAll;
    grownForPartners_ |= grownAll;
    grownForFits_ |= grownAll;
    // No tile was in a cycle when the order was last closed; only one whose place grew since, or
    // that was touched (as a tile given a partner is), can be in one now.
    bool acyclic = true;
    ((touched | grownAll) & present).forEach([&](int p) {
        if (acyclic &&
            (before_[p].contains(p) || (partner_[p] >= 0 && before_[p].contains(partner_[p])))) {
            acyclic = false;
            culprits_.insert(p);
            before_[p].forEach([&](int x) {
                if (before_[x].contains(p))
                    culprits_.insert(x);
            });
        }
    });
    return acyclic;
}

PositionSet Precedence::beforeAny(const PositionSet& tiles) const {
    PositionSet needs;
    tiles.forEach([&](int x) { needs |= before_[x]; });
    return needs;
}

// A tile touched on both sides goes after one whole side. Returns -1 when neither side can go
// first, 1 when the rule settled a side, 0 when nothing changed.
int Precedence::applySideRule(const PositionSet& present) {
    int result = 0;
    // Only tiles whose place in the order grew, or that have such a tile beside them or as
    // partner, can learn anything new.
    PositionSet looked = present;
    if (grownForSides_.count() <= kFreshStart) {
        looked = grownForSides_;
        grownForSides_.forEach([&](int q) {
            looked |= leftward_[q] | rightward_[q];
            if (partner_[q] >= 0)
                looked.insert(partner_[q]);
        });
        looked &= present;
    }
    const auto look = [&](int p) {
        const PositionSet& left = leftward_[p];
        const PositionSet& right = rightward_[p];
        if (left.empty() || right.empty())
            return;
        if (!grownForSides_.contains(p) && !grownForSides_.intersects(left) &&
            !grownForSides_.intersects(right) &&
            !(partner_[p] >= 0 && grownForSides_.contains(partner_[p])))
            return;
        if (left.within(before_[p]) || right.within(before_[p]))
            return;
        // A side can go first unless it holds p's partner, or one of its tiles must come after
        // p or after p's partner, since the two go together.
        PositionSet later;
        later.insert(p);
        if (partner_[p] >= 0)
            later.insert(partner_[p]);
        const PositionSet leftBefore = beforeAny(left);
        const PositionSet rightBefore = beforeAny(right);
        const bool leftOpen =
            !(partner_[p] >= 0 && left.contains(partner_[p])) && !leftBefore.intersects(later);
        const bool rightOpen =
            !(partner_[p] >= 0 && right.contains(partner_[p])) && !rightBefore.intersects(later);
        if (!leftOpen && !rightOpen) {
            culprits_.insert(p);
            result = -1;
        } else if (leftOpen != rightOpen) {
            need(p, leftOpen ? left : right);
            result = 1;
        } else {
            // Whichever side goes first, what both sides need goes before p.
            const PositionSet common = (left | leftBefore) & (right | rightBefore);
            if (!common.within(before_[p])) {
                need(p, common);
                result = std::max(result, 1);
            }
        }
    };
    // Stops at the first tile with neither side free: that one is the culprit.
    for (int w = 0; w < 3 && result >= 0; ++w) {
        for (std::uint64_t bits = looked.words[w]; bits != 0 && result >= 0; bits &= bits - 1)
            look(64 * w + std::countr_zero(bits));
    }
    grownForSides_ = PositionSet{};
    return result;
}

// A tile of a group still to be split goes with one of its possible partners, so after whatever
// all of them need. Returns true when that taught something new.
bool Precedence::applyPartnerRule(const State& state) {
    bool changed = false;
    for (int g = 0; g < groups_.count(); ++g) {
        const std::uint8_t open = state.pairings[g];
        if (groups_.sizes[g] != 4 || !severalOpen(open))
            continue;
        const std::array<int, 4>& tiles = groups_.positions[g];
        if (!state.present.contains(tiles[0]) || !state.present.contains(tiles[1]) ||
            !state.present.contains(tiles[2]) || !state.present.contains(tiles[3]))
            continue;
        if (!grownForPartners_.contains(tiles[0]) && !grownForPartners_.contains(tiles[1]) &&
            !grownForPartners_.contains(tiles[2]) && !grownForPartners_.contains(tiles[3]))
            continue;
        for (int i = 0; i < 4; ++i) {
            PositionSet common;
            bool any = false;
            for (int k = 0; k < 3; ++k) {
                if (!(open >> k & 1u))
                    continue;
                const PositionSet& needs = before_[tiles[kPartnerIn[k][i]]];
                common = any ? (common & needs) : needs;
                any = true;
            }
            if (any && !common.within(before_[tiles[i]])) {
                need(tiles[i], common);
                changed = true;
            }
        }
    }
    grownForPartners_ = PositionSet{};
    return changed;
}

// Whether a and b could go together; fills what must go before them and what only after.
bool Precedence::pairNeeds(int a, int b, PositionSet& before, PositionSet& between) const {
    if (before_[a].contains(b) || before_[b].contains(a))
        return false;
    before = before_[a] | before_[b];
    between = PositionSet{};
    if (rightward_[b].contains(a))
        std::swap(a, b);
    if (!rightward_[a].contains(b))
        return true;
    const PositionSet outside = leftward_[a] | rightward_[b];
    before |= outside;
    outside.forEach([&](int x) { before |= before_[x]; });
    between = rightward_[a] & leftward_[b];
    return !before.contains(a) && !before.contains(b) && !before.intersects(between);
}

std::uint8_t Precedence::fittingPairings(const std::array<int, 4>& tiles, std::uint8_t open) const {
    std::uint8_t fitting = 0;
    for (int i = 0; i < 3; ++i) {
        if (!(open >> i & 1u))
            continue;
        const int* pairing = kPairings[i];
        const int a = tiles[pairing[0]], b = tiles[pairing[1]];
        const int c = tiles[pairing[2]], d = tiles[pairing[3]];
        PositionSet beforeAB, betweenAB, beforeCD, betweenCD;
        if (!pairNeeds(a, b, beforeAB, betweenAB) || !pairNeeds(c, d, beforeCD, betweenCD))
            continue;
        const bool abFirst = beforeCD.contains(a) || beforeCD.contains(b) ||
                             betweenAB.contains(c) || betweenAB.contains(d);
        const bool cdFirst = beforeAB.contains(c) || beforeAB.contains(d) ||
                             betweenCD.contains(a) || betweenCD.contains(b);
        if (!(abFirst && cdFirst))
            fitting |= static_cast<std::uint8_t>(1u << i);
    }
    return fitting;
}

Precedence::Verdict Precedence::analyse(State& state) {
    const PositionSet& present = state.present;
    computeRows(present);
    culprits_ = PositionSet{};
    if (!setPartners(state))
        return Verdict::Dead; // only for groups of odd size, which never reach a search
    present.forEach([&](int p) {
        direct_[p] = relations_.coveredBy(p) & present;
        before_[p] = PositionSet{};
    });
    for (PositionSet& tiles : neededBy_)
        tiles = PositionSet{};
    present.forEach([&](int p) {
        PositionSet needs = direct_[p];
        if (partner_[p] >= 0)
            needs |= direct_[partner_[p]];
        needs.forEach([&](int q) { neededBy_[q].insert(p); });
    });
    touched_ = present;
    grownForSides_ = present;
    grownForPartners_ = present;
    grownForFits_ = present;
    present.forEach([&](int p) {
        if (partner_[p] > p)
            addRowPairNeeds(p, partner_[p]);
    });
    const Verdict verdict = propagate(state);
    analysed_ = verdict != Verdict::Dead;
    analysedState_ = state;
    return verdict;
}

bool Precedence::pairUpAfter(const State& state, int g) {
    std::array<int, 4> tiles{};
    const int count = presentOf(groups_, g, state.present, tiles);
    if (count == 4 && std::popcount(state.pairings[g]) == 1) {
        if (partner_[tiles[0]] >= 0)
            return false;
        forceGroup(state, g);
        return true;
    }
    if (count != 2 || partner_[tiles[0]] == tiles[1])
        return false;
    const int a = tiles[0], b = tiles[1];
    partner_[a] = b;
    partner_[b] = a;
    direct_[a].forEach([&](int q) { neededBy_[q].insert(b); });
    direct_[b].forEach([&](int q) { neededBy_[q].insert(a); });
    addRowPairNeeds(a, b);
    for (int t : {a, b}) {
        touched_.insert(t);
        grownForSides_.insert(t);
        grownForPartners_.insert(t);
        grownForFits_.insert(t);
    }
    return true;
}

Precedence::Verdict Precedence::analyseAfter(State& state) {
    if (!analysed_)
        return analyse(state);
    const PositionSet& present = state.present;
    culprits_ = PositionSet{};
    if (!(rowsFor_ == present))
        computeRows(present);
    // Tiles beside or under a tile taken: their rows or covers shrank.
    PositionSet changed;
    if (!(present == analysedState_.present)) {
        present.forEach([&](int p) {
            direct_[p] &= present;
            before_[p] &= present;
        });
        analysedState_.present.forEach([&](int d) {
            if (present.contains(d))
                return;
            (relations_.held(d) & present).forEach([&](int n) {
                changed.insert(n);
                changed |= leftward_[n] | rightward_[n];
            });
        });
    }
    for (int g = 0; g < groups_.count(); ++g) {
        if (pairUpAfter(state, g) || state.pairings[g] == analysedState_.pairings[g])
            continue;
        std::array<int, 4> tiles{};
        const int count = presentOf(groups_, g, present, tiles);
        for (int i = 0; i < count; ++i)
            changed.insert(tiles[i]);
    }
    grownForSides_ |= changed;
    grownForPartners_ |= changed;
    grownForFits_ |= changed;
    const Verdict verdict = propagate(state);
    analysed_ = verdict != Verdict::Dead;
    analysedState_ = state;
    return verdict;
}

void Precedence::save(Saved& saved) const {
    saved.valid = analysed_;
    if (!analysed_)
        return;
    saved.state = analysedState_;
    saved.direct = direct_;
    saved.before = before_;
    saved.neededBy = neededBy_;
    saved.partner = partner_;
}

void Precedence::restore(const Saved& saved) {
    analysed_ = saved.valid;
    if (!saved.valid)
        return;
    analysedState_ = saved.state;
    direct_ = saved.direct;
    before_ = saved.before;
    neededBy_ = saved.neededBy;
    partner_ = saved.partner;
}

void Precedence::watchFits(const PositionSet& present) {
    if (fitWatchFor_ == present)
        return;
    fitWatchFor_ = present;
    for (int g = 0; g < groups_.count(); ++g) {
        std::array<int, 4> tiles{};
        const int count = presentOf(groups_, g, present, tiles);
        fitWatch_[g] = PositionSet{};
        for (int i = 0; i < count; ++i) {
            fitWatch_[g].insert(tiles[i]);
            fitWatch_[g] |= leftward_[tiles[i]] | rightward_[tiles[i]];
        }
    }
}

// The pairs of a group left with one pairing go together from now on.
void Precedence::forceGroup(const State& state, int g) {
    std::array<int, 4> tiles{};
    presentOf(groups_, g, state.present, tiles);
    const int* pairing = kPairings[std::countr_zero(state.pairings[g])];
    for (int half = 0; half < 4; half += 2) {
        const int a = tiles[pairing[half]], b = tiles[pairing[half + 1]];
        partner_[a] = b;
        partner_[b] = a;
        direct_[a].forEach([&](int q) { neededBy_[q].insert(b); });
        direct_[b].forEach([&](int q) { neededBy_[q].insert(a); });
        addRowPairNeeds(a, b);
    }
    for (int t : tiles) {
        touched_.insert(t);
        grownForSides_.insert(t);
        grownForPartners_.insert(t);
        grownForFits_.insert(t);
    }
}

Precedence::Verdict Precedence::propagate(State& state) {
    const PositionSet& present = state.present;
    bool narrowed = false;
    for (;;) {
        for (;;) {
            if (!close(present))
                return Verdict::Dead;
            const int side = applySideRule(present);
            if (side < 0)
                return Verdict::Dead;
            if (side == 0 && !applyPartnerRule(state))
                break;
        }
        bool narrowedAgain = false;
        // Which pairings fit can only change where the order grew; pairings only ever close.
        const PositionSet grown = grownForFits_;
        grownForFits_ = PositionSet{};
        const bool everywhere = present.within(grown);
        if (!everywhere)
            watchFits(present);
        for (int g = 0; g < groups_.count(); ++g) {
            std::array<int, 4> tiles{};
            if (!severalOpen(state.pairings[g]) ||
                (!everywhere && !fitWatch_[g].intersects(grown)) ||
                presentOf(groups_, g, present, tiles) != 4)
                continue;
            const std::uint8_t fitting = fittingPairings(tiles, state.pairings[g]);
            if (fitting == 0) {
                for (int t : tiles)
                    culprits_.insert(t);
                return Verdict::Dead;
            }
            if (fitting != state.pairings[g]) {
                state.pairings[g] = fitting;
                narrowed = true;
                // Fewer pairings give a tile fewer possible partners to wait for.
                if (std::popcount(fitting) == 1) {
                    forceGroup(state, g);
                } else {
                    for (int t : tiles)
                        grownForPartners_.insert(t);
                }
                narrowedAgain = true;
            }
        }
        if (!narrowedAgain)
            break;
    }
    return narrowed ? Verdict::Narrowed : Verdict::Unchanged;
}

bool Precedence::provesDead(const State& state, std::span<const Choice> choices, State* narrowed) {
    // neededBy_ goes back too: what the trial adds would only send later closes to tiles with
    // nothing new to take in.
    direct_.swap(savedDirect_);
    before_.swap(savedBefore_);
    neededBy_.swap(savedNeededBy_);
    savedPartner_ = partner_;
    direct_ = savedDirect_;
    before_ = savedBefore_;
    neededBy_ = savedNeededBy_;
    const PositionSet touched = touched_, sides = grownForSides_, partners = grownForPartners_,
                      fits = grownForFits_;
    State trial = state;
    for (const Choice& choice : choices) {
        trial.pairings[choice.group] = static_cast<std::uint8_t>(1u << choice.pairing);
        forceGroup(trial, choice.group);
    }
    const bool dead = propagate(trial) == Verdict::Dead;
    if (!dead && narrowed)
        *narrowed = trial;
    if (!dead && commonTrials_ >= 0) {
        if (commonTrials_++ == 0)
            commonBefore_ = before_;
        else
            state.present.forEach([&](int p) { commonBefore_[p] &= before_[p]; });
    }
    direct_.swap(savedDirect_);
    before_.swap(savedBefore_);
    neededBy_.swap(savedNeededBy_);
    partner_ = savedPartner_;
    touched_ = touched;
    grownForSides_ = sides;
    grownForPartners_ = partners;
    grownForFits_ = fits;
    return dead;
}

Precedence::Verdict Precedence::addCommonOrder(State& state) {
    const int trials = commonTrials_;
    commonTrials_ = -1;
    if (trials <= 0)
        return Verdict::Unchanged;
    bool added = false;
    state.present.forEach([&](int p) {
        if (!commonBefore_[p].within(before_[p])) {
            need(p, commonBefore_[p]);
            added = true;
        }
    });
    // The board analysed keeps the pairings it had: those the tries closed are looked at again
    // by the next analysis.
    return added ? propagate(state) : Verdict::Unchanged;
}

} // namespace tessalo::solver

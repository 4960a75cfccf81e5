#include "game/solver_walk.h"

#include <algorithm>
#include <array>

namespace tessalo::solver {

namespace {

// How long the walk goes on without a new best before it starts again from the best, and how
// many groups in eight it then changes at random.
constexpr std::uint64_t kStallSteps = 5000;
constexpr std::uint32_t kShakeEighths = 1;
// One step in this many may leave up to this many more tiles than the step before.
constexpr std::uint32_t kWorseStepOdds = 16;
constexpr int kWorseStepTiles = 4;

} // namespace

PairingWalk::PairingWalk(const PositionRelations& relations, const Groups& groups)
    : relations_(relations), groups_(groups), pairing_(groups.count(), 0) {
    for (int p = 0; p < relations.size(); ++p)
        all_.insert(p);
    all_.forEach([&](int p) {
        if (relations.isFree(p, all_))
            freeAtStart_.insert(p);
    });
    // Start by pairing tiles that lie about as deep as each other: those tend to come free
    // together.
    std::vector<int> depth(relations.size(), 0);
    for (int p : relations.topDownOrder()) {
        relations.coveredBy(p).forEach([&](int q) { depth[p] = std::max(depth[p], depth[q] + 1); });
    }
    for (int g = 0; g < groups.count(); ++g) {
        if (groups.sizes[g] != 4)
            continue;
        int spread = 1 << 30;
        for (int k = 0; k < 3; ++k) {
            const auto& at = groups.positions[g];
            const int* pairing = kPairings[k];
            const int s = std::abs(depth[at[pairing[0]]] - depth[at[pairing[1]]]) +
                          std::abs(depth[at[pairing[2]]] - depth[at[pairing[3]]]);
            if (s < spread) {
                spread = s;
                pairing_[g] = k;
            }
        }
    }
    pairUpAll();
    leftCount_ = play(left_, played_);
    best_ = pairing_;
    bestCount_ = leftCount_;
}

void PairingWalk::pairUp(int g) {
    const auto& at = groups_.positions[g];
    const int* pairing = kPairings[pairing_[g]];
    for (int half = 0; half < groups_.sizes[g]; half += 2) {
        partner_[at[pairing[half]]] = at[pairing[half + 1]];
        partner_[at[pairing[half + 1]]] = at[pairing[half]];
    }
}

void PairingWalk::pairUpAll() {
    for (int g = 0; g < groups_.count(); ++g)
        pairUp(g);
}

int PairingWalk::play(PositionSet& left, Played& played) const {
    left = all_;
    played.clear();
    ReadyPairs ready;
    freeAtStart_.forEach([&](int p) {
        if (p < partner_[p] && freeAtStart_.contains(partner_[p]))
            ready.add(p);
    });
    return takeReady(left, ready, played);
}

int PairingWalk::playOn(PositionSet& left, Played& played, int g) const {
    ReadyPairs ready;
    for (int p : groups_.positions[g]) {
        if (p < partner_[p] && relations_.isFree(p, left) && relations_.isFree(partner_[p], left))
            ready.add(p);
    }
    return takeReady(left, ready, played);
}

int PairingWalk::replayFrom(const Played& played, int g, PositionSet& left,
                            Played& replayed) const {
    const auto first =
        std::find_if(played.begin(), played.end(), [&](int p) { return groups_.groupOf[p] == g; });
    replayed.assign(played.begin(), first);
    left = all_;
    for (int p : replayed) {
        left.erase(p);
        left.erase(partner_[p]);
    }
    ReadyPairs ready;
    left.forEach([&](int p) {
        if (p < partner_[p] && relations_.isFree(p, left) && relations_.isFree(partner_[p], left))
            ready.add(p);
    });
    return takeReady(left, ready, replayed);
}

int PairingWalk::takeReady(PositionSet& left, ReadyPairs& ready, Played& played) const {
    const auto& partner = partner_;
    // Taking tiles only frees tiles, so a pair once free stays free; only the tiles that a taken
    // pair lay on or touched can come free.
    while (ready.count > 0) {
        const int a = ready.lower[--ready.count], b = partner[a];
        left.erase(a);
        left.erase(b);
        played.push_back(a);
        ((relations_.held(a) | relations_.held(b)) & left).forEach([&](int q) {
            const int r = partner[q];
            if (!ready.queued.contains(std::min(q, r)) && relations_.isFree(q, left) &&
                relations_.isFree(r, left))
                ready.add(std::min(q, r));
        });
    }
    return left.count();
}

bool PairingWalk::allLeft(int g) const {
    const auto& at = groups_.positions[g];
    return left_.contains(at[0]) && left_.contains(at[1]) && left_.contains(at[2]) &&
           left_.contains(at[3]);
}

int PairingWalk::change(const PositionSet& left, int& previous) {
    // Groups of four with tiles left on the board; best of all, those with two free tiles that
    // the present pairing keeps apart.
    std::array<int, kMaxGroups> stuck;
    std::array<int, kMaxGroups> promising;
    int stuckCount = 0;
    int promisingCount = 0;
    for (int g = 0; g < groups_.count(); ++g) {
        if (groups_.sizes[g] != 4)
            continue;
        int present = 0;
        int free = 0;
        for (int p : groups_.positions[g]) {
            present += left.contains(p);
            free += relations_.isFree(p, left);
        }
        if (present == 0)
            continue;
        stuck[stuckCount++] = g;
        if (present == 4 && free >= 2)
            promising[promisingCount++] = g;
    }
    if (stuckCount == 0)
        return -1;
    if (promisingCount > 0 && random(4) != 0) {
        const int g = promising[random(promisingCount)];
        const auto& at = groups_.positions[g];
        int options[2];
        int optionCount = 0;
        for (int k = 0; k < 3; ++k) {
            const int* pairing = kPairings[k];
            if (k == pairing_[g])
                continue;
            for (int half = 0; half < 4; half += 2) {
                if (relations_.isFree(at[pairing[half]], left) &&
                    relations_.isFree(at[pairing[half + 1]], left)) {
                    options[optionCount++] = k;
                    break;
                }
            }
        }
        if (optionCount > 0) {
            previous = pairing_[g];
            pairing_[g] = options[random(optionCount)];
            return g;
        }
    }
    const int g = stuck[random(stuckCount)];
    previous = pairing_[g];
    pairing_[g] = (pairing_[g] + 1 + static_cast<int>(random(2))) % 3;
    return g;
}

bool PairingWalk::walk(std::uint64_t steps, std::vector<PositionPair>& pairs) {
    for (std::uint64_t step = 0; step < steps && leftCount_ > 0; ++step) {
        int previous = 0;
        const int g = change(left_, previous);
        if (g < 0)
            break; // only groups of two are left, which no pairing can help
        pairUp(g);
        // A group all of whose tiles are left spoiled none of the pairs taken, so play goes on
        // from where it stood and can only take more.
        if (allLeft(g)) {
            leftCount_ = playOn(left_, played_, g);
        } else {
            PositionSet left;
            const int count = replayFrom(played_, g, left, trial_);
            if (count <= leftCount_ ||
                (count <= leftCount_ + kWorseStepTiles && random(kWorseStepOdds) == 0)) {
                left_ = left;
                leftCount_ = count;
                std::swap(played_, trial_);
            } else {
                pairing_[g] = previous;
                pairUp(g);
            }
        }
        if (leftCount_ < bestCount_) {
            bestCount_ = leftCount_;
            best_ = pairing_;
            sinceBest_ = 0;
        } else if (++sinceBest_ > kStallSteps) {
            pairing_ = best_;
            for (int h = 0; h < groups_.count(); ++h) {
                if (groups_.sizes[h] == 4 && random(8) < kShakeEighths)
                    pairing_[h] = static_cast<int>(random(3));
            }
            pairUpAll();
            leftCount_ = play(left_, played_);
            sinceBest_ = 0;
        }
    }
    if (leftCount_ > 0)
        return false;
    pairs.clear();
    for (int p : played_)
        pairs.push_back({p, partner_[p]});
    return true;
}

std::uint32_t PairingWalk::random(std::uint32_t below) {
    random_ = random_ * 1664525u + 1013904223u;
    return (random_ >> 8) % below;
}

} // namespace tessalo::solver

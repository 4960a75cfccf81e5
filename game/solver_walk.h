#pragma once

#include "game/solver.h"
#include "game/solver_state.h"

#include <array>
#include <cstdint>
#include <vector>

namespace tessalo::solver {

// A search for a clearing that fixes every group's pairing and plays greedily: with pairings
// fixed, taking any free pair never spoils another, so greedy play clears the board exactly when
// some order does. The walk changes the pairing of a group that is left on the board, keeps
// changes that leave no more tiles (and now and then one that leaves a few more), and starts
// again from the best pairings when it stops getting anywhere. It can only find clearings, never
// prove there is none; deals whose clearing hangs on a few pairings deep in the board are found
// by it far sooner than by search.
class PairingWalk {
  public:
    PairingWalk(const PositionRelations& relations, const Groups& groups);

    // Takes up to `steps` steps; true once the board is cleared, with the pairs in `pairs`.
    bool walk(std::uint64_t steps, std::vector<PositionPair>& pairs);

  private:
    // Brings partner_ in line with the pairing of group g, or of every group.
    void pairUp(int g);
    void pairUpAll();
    // The pairs a play took, in order, each by its lower position.
    using Played = std::vector<int>;
    // Pairs free to take, each by its lower position, and every pair ever put among them.
    struct ReadyPairs {
        std::array<int, PositionSet::kCapacity> lower;
        int count = 0;
        PositionSet queued;
        void add(int p) {
            queued.insert(p);
            lower[count++] = p;
        }
    };
    // Plays the current pairings greedily; returns the tiles left, in `left`.
    int play(PositionSet& left, Played& played) const;
    // Plays on from `left`, where `played` ended before group g, all of whose tiles it holds,
    // took its present pairing.
    int playOn(PositionSet& left, Played& played, int g) const;
    // Plays again the pairings after group g took its present pairing: the pairs `played` took
    // before any of g's are taken again as they were, and play goes on from there.
    int replayFrom(const Played& played, int g, PositionSet& left, Played& replayed) const;
    int takeReady(PositionSet& left, ReadyPairs& ready, Played& played) const;
    // Whether every tile of group g of four is left on the board.
    bool allLeft(int g) const;
    // Changes the pairing of a group left on the board; returns the group and its pairing
    // before, or -1 when no group of four is left.
    int change(const PositionSet& left, int& previous);
    std::uint32_t random(std::uint32_t below);

    const PositionRelations& relations_;
    const Groups& groups_;
    // Every position, and those free on the full board.
    PositionSet all_;
    PositionSet freeAtStart_;
    std::vector<int> pairing_; // per group, an index into kPairings
    std::vector<int> best_;
    std::array<int, PositionSet::kCapacity> partner_{}; // per position, under pairing_
    PositionSet left_;
    int leftCount_ = 0;
    // How the present pairings were played, and a play being tried.
    Played played_;
    Played trial_;
    int bestCount_ = 0;
    std::uint64_t sinceBest_ = 0;
    std::uint32_t random_ = 12345;
};

} // namespace tessalo::solver

#pragma once

#include "game/solver.h"
#include "game/solver_state.h"

#include <span>
#include <vector>

namespace tessalo::solver {

// Proofs that no order of moves can clear a board, from what must be taken before what.
//
// Tiles that lie on a tile go before it. Two tiles that must be taken together (the last two of a
// group, or the pairs of a group with one pairing left) go as one. A tile touched on both sides
// goes after everything on one of them, and when one side holds a tile that must come later, after
// everything on the other. A pair in one row goes after everything outside it and before
// everything between. A cycle in this order, or a group none of whose pairings fits it, proves a
// dead end; pairings that do not fit are closed.
class Precedence {
  public:
    enum class Verdict { Dead, Narrowed, Unchanged };

    Precedence(const PositionRelations& relations, const Groups& groups);

    Verdict analyse(State& state);
    // Analyses a board reached from the one analysed last by taking pairs or closing pairings.
    // What held there holds in every clearing of this board too, so it is kept, restricted to the
    // tiles left, and only what changed is looked at again. Without an analysis to start from,
    // the board is analysed afresh.
    Verdict analyseAfter(State& state);
    // An analysis kept to start from again: the board's descendants are each analysed after it.
    struct Saved {
        bool valid = false;
        State state;
        std::vector<PositionSet> direct;
        std::vector<PositionSet> before;
        std::vector<PositionSet> neededBy;
        std::vector<int> partner;
    };
    void save(Saved& saved) const;
    void restore(const Saved& saved);
    // The next analysis starts afresh.
    void forget() { analysed_ = false; }
    // A group's pairing.
    struct Choice {
        int group;
        int pairing;
    };
    // After analyse: whether fixing these groups of four to one pairing each leads to a dead
    // end. The analysis itself is left as it was.
    // Otherwise `narrowed`, when given, receives the pairings still open after the choice.
    bool provesDead(const State& state, std::span<const Choice> choices, State* narrowed = nullptr);
    // Tries that end alive between these two calls each hold in some clearing, so what all of
    // them put before a tile holds in every clearing: the end call adds it to the analysis.
    void beginCommonOrder() { commonTrials_ = 0; }
    Verdict addCommonOrder(State& state);
    // After a dead end: the tiles whose order could not be met.
    const PositionSet& culprits() const { return culprits_; }
    // After analyse: the present tiles known to go before p.
    const PositionSet& before(int p) const { return before_[p]; }

  private:
    void computeRows(const PositionSet& present);
    Verdict propagate(State& state);
    // Gives the tiles of group g the partners its tiles left and open pairings demand, when they
    // had none; true when it did.
    bool pairUpAfter(const State& state, int g);
    void forceGroup(const State& state, int g);
    // Adds to what must go before p.
    void need(int p, const PositionSet& tiles);
    bool setPartners(const State& state);
    void addRowPairNeeds(int a, int b);
    bool close(const PositionSet& present);
    int applySideRule(const PositionSet& present);
    // The tiles that must go before some one of these.
    PositionSet beforeAny(const PositionSet& tiles) const;
    bool applyPartnerRule(const State& state);
    bool pairNeeds(int a, int b, PositionSet& before, PositionSet& between) const;
    void watchFits(const PositionSet& present);
    std::uint8_t fittingPairings(const std::array<int, 4>& tiles, std::uint8_t open) const;

    const PositionRelations& relations_;
    const Groups& groups_;
    std::vector<PositionSet> leftward_;
    std::vector<PositionSet> rightward_;
    std::vector<PositionSet> direct_;
    std::vector<PositionSet> before_;
    // Per tile, the tiles whose needs may hold it: never fewer, at times more.
    std::vector<PositionSet> neededBy_;
    std::vector<int> partner_;
    std::vector<PositionSet> savedDirect_;
    std::vector<PositionSet> savedBefore_;
    std::vector<PositionSet> savedNeededBy_;
    std::vector<int> savedPartner_;
    // What every live try since beginCommonOrder put before each tile, and how many tries that
    // was (-1 while not collecting).
    std::vector<PositionSet> commonBefore_;
    int commonTrials_ = -1;
    PositionSet culprits_;
    // Tiles whose needs changed since the order was last closed, and tiles whose place in the
    // order grew since each rule last looked.
    PositionSet touched_;
    PositionSet grownForSides_;
    PositionSet grownForPartners_;
    PositionSet grownForFits_;
    // Per group, the tiles whose place in the order decides which of its pairings fit: its own
    // and those in a row with them; worked out when first needed for the tiles present, as the
    // rows depend on nothing else.
    std::vector<PositionSet> fitWatch_;
    PositionSet fitWatchFor_;
    // The board the order above was worked out for, and the tiles the rows were worked out for.
    bool analysed_ = false;
    State analysedState_;
    PositionSet rowsFor_;
    // More tiles than this touched at once: every tile is looked at again.
    static constexpr int kFreshStart = 32;
};

} // namespace tessalo::solver

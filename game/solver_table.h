#pragma once

#include "game/solver_state.h"

#include <cstring>
#include <vector>

namespace tessalo::solver {

// Mixes 64-bit words into a hash.
class HashMix {
  public:
    void add(std::uint64_t v) {
        h_ = (h_ ^ v) * 0xBF58476D1CE4E5B9ull;
        h_ ^= h_ >> 31;
    }
    void add(const PositionSet& set) {
        for (std::uint64_t w : set.words)
            add(w);
    }
    std::size_t value() const { return static_cast<std::size_t>(h_ * 0x94D049BB133111EBull >> 17); }

  private:
    std::uint64_t h_ = 0x9E3779B97F4A7C15ull;
};

// Hashes boards for the table of settled boards.
struct StateHash {
    std::size_t operator()(const State& s) const {
        HashMix mix;
        mix.add(s.present);
        for (std::size_t i = 0; i < s.pairings.size(); i += 8) {
            std::uint64_t w;
            std::memcpy(&w, s.pairings.data() + i, 8);
            mix.add(w);
        }
        return mix.value();
    }
};

// States already shown to lead nowhere. A board with the same tiles and no pairing open that a
// dead one lacks is dead too, so states are found by their tiles and then compared pairing by
// pairing. Many dead states share their tiles, so each set of tiles is kept once, in open
// addressing, with the pairings of all its dead states; an empty board marks a free slot, which
// is safe because an empty board is never a dead end.
class DeadStates {
  public:
    DeadStates() : tiles_(1 << 10), boardsAt_(1 << 10) {}

    bool contains(const State& s) const {
        const std::size_t i = slotOf(s.present);
        if (tiles_[i].empty())
            return false;
        const Boards& boards = boards_[boardsAt_[i]];
        const std::uint64_t narrowed = narrowedGroups(s.pairings);
        for (std::size_t k = 0; k < boards.narrowed.size(); ++k) {
            if ((boards.narrowed[k] & ~narrowed) == 0 && narrower(s.pairings, boards.pairings[k]))
                return true;
        }
        return false;
    }

    void insert(const State& s) {
        std::size_t i = slotOf(s.present);
        if (tiles_[i].empty()) {
            if (2 * (boards_.size() + 1) > tiles_.size()) {
                grow();
                i = slotOf(s.present);
            }
            tiles_[i] = s.present;
            boardsAt_[i] = boards_.size();
            boards_.emplace_back();
        }
        Boards& boards = boards_[boardsAt_[i]];
        const std::uint64_t narrowed = narrowedGroups(s.pairings);
        for (std::size_t k = 0; k < boards.narrowed.size(); ++k) {
            if (boards.narrowed[k] == narrowed && samePairings(boards.pairings[k], s.pairings))
                return;
        }
        boards.narrowed.push_back(narrowed);
        boards.pairings.push_back(s.pairings);
    }

  private:
    // The dead states with one set of tiles: narrowedGroups() of each, and its pairings.
    struct Boards {
        std::vector<std::uint64_t> narrowed;
        std::vector<Pairings> pairings;
    };

    std::size_t mask() const { return tiles_.size() - 1; }

    static std::size_t hash(const PositionSet& present) {
        HashMix mix;
        mix.add(present);
        return mix.value();
    }

    // The slot that holds these tiles, or the free slot where they would go.
    std::size_t slotOf(const PositionSet& present) const {
        std::size_t i = hash(present) & mask();
        while (!tiles_[i].empty() && !(tiles_[i] == present))
            i = (i + 1) & mask();
        return i;
    }

    // Whether s leaves open no pairing that the dead state closed.
    static bool narrower(const Pairings& s, const Pairings& dead) {
        std::uint8_t extra = 0;
        for (std::size_t g = 0; g < s.size(); ++g)
            extra |= static_cast<std::uint8_t>(s[g] & ~dead[g]);
        return extra == 0;
    }

    // A bit for each group, folded into one word, set when some of its pairings are closed. A
    // state is narrower than a dead one only if it has narrowed every group the dead one has, so
    // this rules most of those with the same tiles out at a glance.
    static std::uint64_t narrowedGroups(const Pairings& pairings) {
        std::uint64_t narrowed = 0;
        for (std::size_t g = 0; g < pairings.size(); ++g) {
            if (pairings[g] != kAllPairings)
                narrowed |= std::uint64_t{1} << (g % 64);
        }
        return narrowed;
    }

    void grow() {
        std::vector<PositionSet> oldTiles(tiles_.size() * 2);
        std::vector<std::size_t> oldBoardsAt(boardsAt_.size() * 2);
        oldTiles.swap(tiles_);
        oldBoardsAt.swap(boardsAt_);
        for (std::size_t k = 0; k < oldTiles.size(); ++k) {
            if (oldTiles[k].empty())
                continue;
            const std::size_t i = slotOf(oldTiles[k]);
            tiles_[i] = oldTiles[k];
            boardsAt_[i] = oldBoardsAt[k];
        }
    }

    std::vector<PositionSet> tiles_;
    std::vector<std::size_t> boardsAt_; // per slot, its entry in boards_
    std::vector<Boards> boards_;
};

} // namespace tessalo::solver

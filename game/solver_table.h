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
// pairing. Open addressing; an empty board marks a free slot, which is safe because an empty
// board is never a dead end.
class DeadStates {
  public:
    DeadStates() : presents_(1 << 10), pairings_(1 << 10), narrowed_(1 << 10) {}

    bool contains(const State& s) const {
        const std::uint64_t narrowed = narrowedGroups(s.pairings);
        for (std::size_t i = hash(s.present) & mask();; i = (i + 1) & mask()) {
            if (presents_[i].empty())
                return false;
            if (presents_[i] == s.present && (narrowed_[i] & ~narrowed) == 0 &&
                narrower(s.pairings, pairings_[i]))
                return true;
        }
    }

    void insert(const State& s) {
        if (2 * (count_ + 1) > presents_.size())
            grow();
        const std::uint64_t narrowed = narrowedGroups(s.pairings);
        std::size_t i = hash(s.present) & mask();
        while (!presents_[i].empty()) {
            if (presents_[i] == s.present && narrowed_[i] == narrowed &&
                samePairings(pairings_[i], s.pairings))
                return;
            i = (i + 1) & mask();
        }
        presents_[i] = s.present;
        pairings_[i] = s.pairings;
        narrowed_[i] = narrowed;
        ++count_;
    }

  private:
    std::size_t mask() const { return presents_.size() - 1; }

    static std::size_t hash(const PositionSet& present) {
        HashMix mix;
        mix.add(present);
        return mix.value();
    }

    // Whether s leaves open no pairing that the dead state closed.
    static bool narrower(const Pairings& s, const Pairings& dead) {
        std::uint8_t extra = 0;
        for (std::size_t g = 0; g < s.size(); ++g)
            extra |= static_cast<std::uint8_t>(s[g] & ~dead[g]);
        return extra == 0;
    }

    // A bit for each group, folded into one word, set when some of its pairings are closed.
    // Many dead states share their tiles; a state is narrower than a dead one only if it has
    // narrowed every group the dead one has, so this rules most of them out at a glance.
    static std::uint64_t narrowedGroups(const Pairings& pairings) {
        std::uint64_t narrowed = 0;
        for (std::size_t g = 0; g < pairings.size(); ++g) {
            if (pairings[g] != kAllPairings)
                narrowed |= std::uint64_t{1} << (g % 64);
        }
        return narrowed;
    }

    // The states held are all different, so they go back in without comparisons.
    void grow() {
        std::vector<PositionSet> oldPresents(presents_.size() * 2);
        std::vector<Pairings> oldPairings(pairings_.size() * 2);
        std::vector<std::uint64_t> oldNarrowed(narrowed_.size() * 2);
        oldPresents.swap(presents_);
        oldPairings.swap(pairings_);
        oldNarrowed.swap(narrowed_);
        for (std::size_t k = 0; k < oldPresents.size(); ++k) {
            if (oldPresents[k].empty())
                continue;
            std::size_t i = hash(oldPresents[k]) & mask();
            while (!presents_[i].empty())
                i = (i + 1) & mask();
            presents_[i] = oldPresents[k];
            pairings_[i] = oldPairings[k];
            narrowed_[i] = oldNarrowed[k];
        }
    }

    // Tiles and pairings apart, so that a search along a run of slots reads only the tiles.
    std::vector<PositionSet> presents_;
    std::vector<Pairings> pairings_;
    std::vector<std::uint64_t> narrowed_; // narrowedGroups() of each state held
    std::size_t count_ = 0;
};

} // namespace tessalo::solver

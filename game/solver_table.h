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
    DeadStates() : slots_(1 << 10) {}

    bool contains(const State& s) const {
        for (std::size_t i = hash(s.present) & mask();; i = (i + 1) & mask()) {
            if (slots_[i].present.empty())
                return false;
            if (slots_[i].present == s.present && narrower(s, slots_[i]))
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

    static std::size_t hash(const PositionSet& present) {
        HashMix mix;
        mix.add(present);
        return mix.value();
    }

    // Whether s leaves open no pairing that the dead state closed.
    static bool narrower(const State& s, const State& dead) {
        std::uint8_t extra = 0;
        for (std::size_t g = 0; g < s.pairings.size(); ++g)
            extra |= static_cast<std::uint8_t>(s.pairings[g] & ~dead.pairings[g]);
        return extra == 0;
    }

    void place(const State& s) {
        std::size_t i = hash(s.present) & mask();
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

} // namespace tessalo::solver

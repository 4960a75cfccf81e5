#pragma once

#include "game/solver_state.h"

#include <cstring>
#include <vector>

namespace tessalo::solver {

// States already shown to lead nowhere. Open addressing; an empty board marks a free slot, which
// is safe because an empty board is never a dead end.
class DeadStates {
  public:
    DeadStates() : slots_(1 << 10) {}

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
        std::uint64_t h = 0x9E3779B97F4A7C15ull;
        const auto mix = [&h](std::uint64_t v) {
            h = (h ^ v) * 0xBF58476D1CE4E5B9ull;
            h ^= h >> 31;
        };
        for (std::uint64_t w : s.present.words)
            mix(w);
        for (std::size_t i = 0; i < s.pairings.size(); i += 8) {
            std::uint64_t w;
            std::memcpy(&w, s.pairings.data() + i, 8);
            mix(w);
        }
        return static_cast<std::size_t>(h * 0x94D049BB133111EBull >> 17);
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

} // namespace tessalo::solver

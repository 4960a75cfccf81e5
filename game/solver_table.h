#pragma once

#include "game/solver_state.h"

#include <array>
#include <cstring>
#include <unordered_map>
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
// dead one lacks is dead too, so states are kept per set of tiles, as the pairings each group
// still had open; only the widest of those need keeping. Long proofs pile up thousands of dead
// states on the same few sets of tiles, so the pairings are packed into bit masks that are
// compared a word at a time.
class DeadStates {
  public:
    bool contains(const State& s) const {
        const auto bucket = byTiles_.find(s.present);
        if (bucket == byTiles_.end())
            return false;
        const OpenPairings open = pack(s);
        for (const OpenPairings& dead : bucket->second) {
            if (open.within(dead))
                return true;
        }
        return false;
    }

    void insert(const State& s) {
        std::vector<OpenPairings>& bucket = byTiles_[s.present];
        const OpenPairings open = pack(s);
        for (const OpenPairings& dead : bucket) {
            if (open.within(dead))
                return;
        }
        std::erase_if(bucket, [&](const OpenPairings& dead) { return dead.within(open); });
        bucket.push_back(open);
    }

  private:
    static constexpr int kWords = (kMaxGroups + 63) / 64;

    // Per pairing, the groups that still have it open.
    struct OpenPairings {
        std::array<std::uint64_t, 3 * kWords> bits{};

        bool within(const OpenPairings& o) const {
            std::uint64_t extra = 0;
            for (std::size_t w = 0; w < bits.size(); ++w)
                extra |= bits[w] & ~o.bits[w];
            return extra == 0;
        }
    };

    static OpenPairings pack(const State& s) {
        OpenPairings open;
        for (int g = 0; g < kMaxGroups; ++g) {
            for (int k = 0; k < 3; ++k) {
                if (s.pairings[g] >> k & 1u)
                    open.bits[k * kWords + g / 64] |= std::uint64_t{1} << (g % 64);
            }
        }
        return open;
    }

    struct TilesHash {
        std::size_t operator()(const PositionSet& present) const {
            HashMix mix;
            mix.add(present);
            return mix.value();
        }
    };

    std::unordered_map<PositionSet, std::vector<OpenPairings>, TilesHash> byTiles_;
};

} // namespace tessalo::solver

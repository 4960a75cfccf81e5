#pragma once

#include <cstdint>
#include <vector>

namespace tessalo {

// Adaptive symbol counts kept as an implicit binary tree: leaf n + s holds the count of symbol s
// and every inner node k the sum of nodes 2k and 2k + 1, so node 1 is the total. Both lookups
// and updates touch one root path. Counts are 16-bit on purpose: the rescaling limits of the
// compressed-bitmap format keep every total well below 65536. Lookups and updates are defined here
// so the decoder's symbol loop inlines them.
class FrequencyTree {
  public:
    struct Interval {
        int symbol;
        std::uint32_t low;  // cumulative count of the symbols before it
        std::uint32_t high; // low + its own count
    };

    explicit FrequencyTree(int leaves);

    void fill(std::uint16_t value);
    // Adds `increment` to the symbol; when the total then reaches `limit`, every count above one
    // is halved.
    void add(int symbol, std::uint16_t increment, std::uint32_t limit) {
        for (int node = leaves_ + symbol; node >= 1; node /= 2)
            counts_[node] = static_cast<std::uint16_t>(counts_[node] + increment);
        if (total() >= limit)
            halve();
    }
    // Sets the symbol's count to zero.
    void remove(int symbol);
    // The symbol whose interval holds `target`; the caller keeps `target` below total().
    Interval find(std::uint32_t target) const {
        std::uint32_t cumulative = 0;
        int node = 2;
        for (;;) {
            if (cumulative + counts_[node] <= target) {
                cumulative += counts_[node];
                ++node;
            }
            if (node >= leaves_)
                break;
            node *= 2;
        }
        return {node - leaves_, cumulative, cumulative + counts_[node]};
    }
    // The interval of `symbol`, for the encoder.
    Interval interval(int symbol) const;

    std::uint32_t total() const { return counts_[1]; }
    std::uint16_t count(int symbol) const { return counts_[leaves_ + symbol]; }
    int leaves() const { return leaves_; }

  private:
    void halve();
    void rebuild();

    int leaves_;
    std::vector<std::uint16_t> counts_;
};

} // namespace tessalo

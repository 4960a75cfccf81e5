#include "skin/frequency_tree.h"

namespace tessalo {

FrequencyTree::FrequencyTree(int leaves) : leaves_(leaves), counts_(2 * leaves, 0) {}

void FrequencyTree::fill(std::uint16_t value) {
    for (int i = leaves_; i < 2 * leaves_; ++i)
        counts_[i] = value;
    rebuild();
}

void FrequencyTree::rebuild() {
    for (int k = leaves_ - 1; k >= 1; --k)
        counts_[k] = static_cast<std::uint16_t>(counts_[2 * k] + counts_[2 * k + 1]);
}

void FrequencyTree::halve() {
    // Counts of 0 and 1 survive the halving: a symbol once seen stays codable.
    for (int i = leaves_; i < 2 * leaves_; ++i) {
        if (counts_[i] > 1)
            counts_[i] = static_cast<std::uint16_t>(counts_[i] >> 1);
    }
    rebuild();
}

void FrequencyTree::remove(int symbol) {
    const std::uint16_t value = counts_[leaves_ + symbol];
    for (int node = leaves_ + symbol; node >= 1; node /= 2)
        counts_[node] = static_cast<std::uint16_t>(counts_[node] - value);
}

FrequencyTree::Interval FrequencyTree::interval(int symbol) const {
    std::uint32_t cumulative = 0;
    for (int node = leaves_ + symbol; node > 1; node /= 2) {
        if (node & 1)
            cumulative += counts_[node - 1];
    }
    return {symbol, cumulative, cumulative + count(symbol)};
}

} // namespace tessalo

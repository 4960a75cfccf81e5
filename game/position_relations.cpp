#include "game/solver.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>
#include <numeric>

namespace tessalo {

PositionRelations::PositionRelations(std::span<const std::uint8_t> x,
                                     std::span<const std::uint8_t> y,
                                     std::span<const std::uint8_t> z) {
    assert(x.size() == y.size() && y.size() == z.size());
    assert(x.size() <= static_cast<std::size_t>(PositionSet::kCapacity));
    const int n = static_cast<int>(x.size());
    coveredBy_.resize(n);
    leftContacts_.resize(n);
    rightContacts_.resize(n);
    held_.resize(n);
    for (int p = 0; p < n; ++p) {
        for (int q = 0; q < n; ++q) {
            const int dx = x[q] - x[p];
            const int dy = y[q] - y[p];
            if (std::abs(dy) > 1)
                continue;
            if (z[q] == z[p] + 1 && std::abs(dx) <= 1) {
                coveredBy_[p].insert(q);
                held_[q].insert(p);
            }
            // The board looks for side neighbours only to the left of the tile being placed, so
            // a contact exists only when the left tile of the pair was placed first.
            if (z[q] == z[p] && dx == -2 && q < p) {
                leftContacts_[p].insert(q);
                rightContacts_[q].insert(p);
                held_[q].insert(p);
                held_[p].insert(q);
            }
        }
    }
    topDown_.resize(n);
    std::iota(topDown_.begin(), topDown_.end(), 0);
    std::stable_sort(topDown_.begin(), topDown_.end(), [&z](int a, int b) { return z[a] > z[b]; });
}

} // namespace tessalo

#include "game/deal_random.h"

#include "game/board.h"

#include <array>

namespace tessalo {

std::vector<std::uint8_t> dealOrderForSeed(std::uint32_t seed) {
    DealRandom random(seed);
    std::vector<std::uint8_t> order;
    order.reserve(kTileCount);
    // Repeated values are discarded; the membership table answers what a search of the order
    // from its first entry would.
    std::array<bool, kTileCount> taken{};
    while (order.size() < kTileCount) {
        const int tile = random.draw() % kTileCount;
        if (taken[tile])
            continue;
        taken[tile] = true;
        order.push_back(static_cast<std::uint8_t>(tile));
    }
    return order;
}

} // namespace tessalo

#pragma once

#include "game/layout_record.h"

#include <cstdint>
#include <vector>

namespace tessalo {

// Tiles 0 and 4 stand in one pile, tile 4 on top; tiles 5 and 1 in another, tile 1 on top. Every
// other tile lies free. Once tiles 2, 3, 6 and 7 are gone the piles hold each other down: tile 0
// waits for 4, whose partner 5 waits for 1, whose partner is 0.
inline LayoutRecord crossedPilesLayout(const std::vector<std::uint8_t>& dealOrder) {
    struct Place {
        int x, y, z;
    };
    std::vector<Place> loose;
    for (int layer : {2, 0}) {
        for (int y = 0; y <= 16; y += 2) {
            for (int x = 0; x <= 30; x += 3) {
                if (layer == 2 && y > 6)
                    continue;
                if (layer == 0 && y == 16 && x <= 3)
                    continue; // the piles' places
                loose.push_back({x, y, layer});
            }
        }
    }
    LayoutRecord layout;
    layout.setName("Crossed piles");
    std::size_t next = 0;
    for (std::size_t position = 0; position < dealOrder.size(); ++position) {
        Place place{};
        switch (dealOrder[position]) {
        case 0:
            place = {0, 16, 0};
            break;
        case 4:
            place = {0, 16, 1};
            break;
        case 5:
            place = {3, 16, 0};
            break;
        case 1:
            place = {3, 16, 1};
            break;
        default:
            place = loose.at(next++);
        }
        layout.x[position] = std::uint8_t(place.x);
        layout.y[position] = std::uint8_t(place.y);
        layout.z[position] = std::uint8_t(place.z);
    }
    return layout;
}

} // namespace tessalo

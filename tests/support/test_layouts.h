#pragma once

#include "game/layout_record.h"

#include <cstdint>

namespace tessalo {

// Every tile free: rows two half-rows apart never touch, and tiles three half-columns apart in a
// row leave a gap. Layers 0 and 2 share places; only a tile directly above covers.
inline LayoutRecord spreadLayout(const char* name = "Spread") {
    LayoutRecord layout;
    layout.setName(name);
    int position = 0;
    for (int layer : {2, 0}) {
        for (int y = 0; y <= 16 && position < 144; y += 2) {
            for (int x = 0; x <= 30 && position < 144; x += 3) {
                if (layer == 2 && position >= 45)
                    break;
                layout.x[std::size_t(position)] = std::uint8_t(x);
                layout.y[std::size_t(position)] = std::uint8_t(y);
                layout.z[std::size_t(position)] = std::uint8_t(layer);
                ++position;
            }
        }
    }
    return layout;
}

// Nine rows of sixteen touching tiles: only the two ends of each row are free.
inline LayoutRecord rowsLayout() {
    LayoutRecord layout;
    layout.setName("Rows");
    for (int position = 0; position < 144; ++position) {
        layout.x[std::size_t(position)] = std::uint8_t(2 * (position % 16));
        layout.y[std::size_t(position)] = std::uint8_t(2 * (position / 16));
    }
    return layout;
}

} // namespace tessalo

#pragma once

#include "game/layout_record.h"

#include <QImage>

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace tessalo::art {

// Every image of a pictures module with its name, under a whole board dealt with `seed` on
// `layout` and shown as on a 1024 × 768 screen. Also lists, in `notes`, every tile the buttons,
// clock or indicator cover.
std::variant<QImage, std::string> renderContactSheet(const std::vector<std::uint8_t>& moduleBytes,
                                                     const LayoutRecord& layout, std::uint32_t seed,
                                                     std::vector<std::string>& notes);

} // namespace tessalo::art

#pragma once

#include <QImage>
#include <QPoint>

#include <cstdint>
#include <vector>

namespace tessalo::art {

// An icon file holding `image` (with alpha) once per bit count in `bitCounts` (4 or 8): the
// palette is reduced to 16 or 256 colours, and pixels less than half opaque become transparent.
std::vector<std::uint8_t> iconFile(const QImage& image, const std::vector<int>& bitCounts);

// A monochrome cursor file: opaque dark pixels black, opaque light ones white, the rest
// transparent.
std::vector<std::uint8_t> cursorFile(const QImage& image, QPoint hotSpot);

} // namespace tessalo::art

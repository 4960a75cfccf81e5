#pragma once

#include <QByteArray>
#include <QImage>

#include <array>

namespace tessalo::art {

// The square sizes desktops ask for; 32 is the program's own icon's size.
inline constexpr std::array<int, 7> kDesktopIconSizes = {16, 24, 32, 48, 64, 128, 256};

// The program's icon drawn anew at `size` pixels square, with alpha. At 32 it is the program's own
// icon pixel for pixel; smaller, its edges and dots sit on whole pixels so they stay legible.
QImage drawDesktopIcon(int size);

// The same drawing as scalable vector graphics, 256 pixels square over the 32-unit design.
QByteArray desktopIconSvg();

} // namespace tessalo::art

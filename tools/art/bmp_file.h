#pragma once

#include <QImage>

#include <cstdint>
#include <vector>

namespace tessalo::art {

// A complete BMP file image, bottom-up, 24 bits per pixel.
std::vector<std::uint8_t> bmp24(const QImage& image);

// A complete BMP file image with 8 bits per pixel and a full 256-entry colour table (pixel bits at
// offset 1078). An image of more than 256 colours is reduced first; see `reduceColours`.
std::vector<std::uint8_t> bmp8(const QImage& image);

// At most `limit` colours: the image's own when it has that few, else the averages of the
// colours that agree in their upper bits, coarsening until few enough remain. Deterministic.
std::vector<QRgb> reduceColours(const QImage& image, std::size_t limit);

// The entry of `palette` closest to `colour`, weighting green most as the eye does.
std::uint8_t nearestIndex(QRgb colour, const std::vector<QRgb>& palette);

} // namespace tessalo::art

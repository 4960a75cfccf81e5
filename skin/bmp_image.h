#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tessalo {

// A decoded bitmap: rows top-down, each pixel 0xAARRGGBB (always opaque).
struct BmpImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// Largest image accepted, in pixels: far above any picture set, low enough that a damaged size
// cannot make us allocate a gigabyte.
inline constexpr std::uint64_t kMaxBmpPixels = std::uint64_t{1} << 24;

// A complete BMP file image: the file header, whose 32-bit value at offset 10 locates the pixel
// bits, then the info header and colour table. Uncompressed 1-, 4-, 8-, 16-, 24- and 32-bit
// images; none for compressed ones and for sizes or offsets that do not fit the bytes.
std::optional<BmpImage> parseBmp(std::span<const std::uint8_t> file);

// A bitmap resource: the same without the file header; the pixel bits follow the colour table.
std::optional<BmpImage> parseDib(std::span<const std::uint8_t> dib);

} // namespace tessalo

#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
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

// Room the caller gives for a picture once its size is known: width × height pixels, rows
// top-down with no gap between them, or null to give up.
using PixelStorage = std::function<std::uint32_t*(int width, int height)>;

// The same decodes into the caller's room, such as an image's own, sparing a copy. False for what
// parseBmp and parseDib refuse; the room is asked for only once the pixel bits are known to fit.
bool decodeBmpInto(std::span<const std::uint8_t> file, const PixelStorage& pixelsFor);
bool decodeDibInto(std::span<const std::uint8_t> dib, const PixelStorage& pixelsFor);

struct BmpSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const BmpSize&, const BmpSize&) = default;
};

// Bytes of a BMP file image that hold its size, so far as the picture's header goes.
inline constexpr std::size_t kBmpSizePrefix = 26;

// The size a BMP file image (or a bitmap resource) announces, read from its header alone: the
// pixels may be missing. None for a header that parseBmp would refuse on its face.
std::optional<BmpSize> bmpFileSize(std::span<const std::uint8_t> file);
std::optional<BmpSize> dibSize(std::span<const std::uint8_t> dib);

} // namespace tessalo

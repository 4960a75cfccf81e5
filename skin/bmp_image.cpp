#include "skin/bmp_image.h"

#include "platform/byte_reader.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstring>

namespace tessalo {
namespace {

constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kUncompressed = 0;

struct DibLayout {
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bitCount = 0;
    std::size_t tableOffset = 0; // from the start of the info header
    std::size_t tableEntries = 0;
    std::size_t tableEntrySize = 4;
    std::size_t tableEnd() const { return tableOffset + tableEntries * tableEntrySize; }
};

bool supportedBitCount(int bitCount) {
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
           bitCount == 32;
}

std::optional<DibLayout> readLayout(std::span<const std::uint8_t> dib) {
    ByteReader reader(dib);
    const std::uint32_t headerSize = reader.u32();
    DibLayout layout;
    std::uint32_t coloursUsed = 0;
    if (headerSize == kCoreHeaderSize) {
        layout.width = reader.u16();
        layout.height = reader.u16();
        reader.u16(); // planes
        layout.bitCount = reader.u16();
        layout.tableEntrySize = 3;
    } else if (headerSize >= kInfoHeaderSize) {
        const std::int32_t width = reader.i32();
        const std::int32_t height = reader.i32();
        reader.u16(); // planes
        layout.bitCount = reader.u16();
        const std::uint32_t compression = reader.u32();
        reader.bytes(12); // image size, resolution
        coloursUsed = reader.u32();
        if (compression != kUncompressed || width <= 0 || height == 0 || height < -32768 ||
            height > 32768 || width > 32768)
            return std::nullopt;
        layout.width = width;
        layout.topDown = height < 0;
        layout.height = height < 0 ? -height : height;
    } else {
        return std::nullopt;
    }
    if (!reader.ok() || headerSize > dib.size() || layout.width == 0 || layout.height == 0 ||
        !supportedBitCount(layout.bitCount))
        return std::nullopt;
    if (static_cast<std::uint64_t>(layout.width) * static_cast<std::uint64_t>(layout.height) >
        kMaxBmpPixels)
        return std::nullopt;

    layout.tableOffset = headerSize;
    if (layout.bitCount <= 8) {
        const std::uint32_t full = 1u << layout.bitCount;
        if (coloursUsed > full)
            return std::nullopt;
        layout.tableEntries = coloursUsed == 0 ? full : coloursUsed;
    } else {
        // A table beside true-colour pixels is only a hint for palette displays; it still takes
        // room before the pixel bits of a resource.
        if (coloursUsed > 256)
            return std::nullopt;
        layout.tableEntries = coloursUsed;
    }
    if (layout.tableEnd() > dib.size())
        return std::nullopt;
    return layout;
}

constexpr std::uint32_t opaque(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    return 0xFF000000u | red << 16 | green << 8 | blue;
}

// Blue, green, red per pixel. Four bytes read at once hold a pixel and the first byte of the next,
// which the alpha replaces; a row's last pixel is read byte by byte, as its padding may be missing.
void decodeRow24(const std::uint8_t* source, std::uint32_t* target, std::size_t width) {
    std::size_t x = 0;
    if constexpr (std::endian::native == std::endian::little) {
        for (; x + 1 < width; ++x, source += 3) {
            std::uint32_t bgrx;
            std::memcpy(&bgrx, source, sizeof bgrx);
            target[x] = bgrx | 0xFF000000u;
        }
    }
    for (; x < width; ++x, source += 3)
        target[x] = opaque(source[2], source[1], source[0]);
}

bool decodePixels(const DibLayout& layout, std::span<const std::uint8_t> dib,
                  std::span<const std::uint8_t> bits, const PixelStorage& pixelsFor) {
    const auto width = static_cast<std::size_t>(layout.width);
    const auto height = static_cast<std::size_t>(layout.height);
    const std::size_t rowBits = width * static_cast<std::size_t>(layout.bitCount);
    const std::size_t stride = (rowBits + 31) / 32 * 4;
    // The last row's padding may be missing; its pixels may not.
    if (bits.size() < stride * (height - 1) + (rowBits + 7) / 8)
        return false;

    // Indices beyond the table show black, as the system's own drawing does.
    std::array<std::uint32_t, 256> palette;
    palette.fill(opaque(0, 0, 0));
    if (layout.bitCount <= 8) {
        for (std::size_t i = 0; i < layout.tableEntries; ++i) {
            const std::uint8_t* entry = dib.data() + layout.tableOffset + i * layout.tableEntrySize;
            palette[i] = opaque(entry[2], entry[1], entry[0]);
        }
    }

    std::uint32_t* const pixels = pixelsFor(layout.width, layout.height);
    if (pixels == nullptr)
        return false;
    const unsigned bitCount = static_cast<unsigned>(layout.bitCount);
    for (std::size_t row = 0; row < height; ++row) {
        const std::uint8_t* source = bits.data() + row * stride;
        std::uint32_t* target = pixels + (layout.topDown ? row : height - 1 - row) * width;
        // The shipped sets are 24-bit: their rows take the short way.
        if (bitCount == 24) {
            decodeRow24(source, target, width);
            continue;
        }
        for (std::size_t x = 0; x < width; ++x) {
            switch (bitCount) {
            case 1:
            case 4:
            case 8: {
                const std::size_t bit = x * bitCount;
                const unsigned shift = 8 - bitCount - static_cast<unsigned>(bit & 7);
                const unsigned index = (source[bit / 8] >> shift) & ((1u << bitCount) - 1);
                target[x] = palette[index];
                break;
            }
            case 16: {
                // Five bits per channel, spread to eight so white stays white.
                const unsigned value = source[2 * x] | source[2 * x + 1] << 8;
                const auto expand = [](unsigned five) { return (five << 3) | (five >> 2); };
                target[x] = opaque(expand((value >> 10) & 31), expand((value >> 5) & 31),
                                   expand(value & 31));
                break;
            }
            case 24:
                target[x] = opaque(source[3 * x + 2], source[3 * x + 1], source[3 * x]);
                break;
            default:
                target[x] = opaque(source[4 * x + 2], source[4 * x + 1], source[4 * x]);
                break;
            }
        }
    }
    return true;
}

} // namespace

std::optional<BmpSize> dibSize(std::span<const std::uint8_t> dib) {
    ByteReader reader(dib);
    const std::uint32_t headerSize = reader.u32();
    BmpSize size;
    if (headerSize == kCoreHeaderSize) {
        size.width = reader.u16();
        size.height = reader.u16();
    } else if (headerSize >= kInfoHeaderSize) {
        const std::int32_t width = reader.i32();
        const std::int32_t height = reader.i32();
        if (width <= 0 || width > 32768 || height == 0 || height < -32768 || height > 32768)
            return std::nullopt;
        size.width = width;
        size.height = height < 0 ? -height : height;
    } else {
        return std::nullopt;
    }
    if (!reader.ok() || size.width == 0 || size.height == 0)
        return std::nullopt;
    return size;
}

std::optional<BmpSize> bmpFileSize(std::span<const std::uint8_t> file) {
    constexpr std::size_t kFileHeaderSize = 14;
    if (file.size() < kFileHeaderSize)
        return std::nullopt;
    return dibSize(file.subspan(kFileHeaderSize));
}

bool decodeBmpInto(std::span<const std::uint8_t> file, const PixelStorage& pixelsFor) {
    constexpr std::size_t kFileHeaderSize = 14;
    ByteReader reader(file);
    reader.bytes(10); // signature, file size, reserved: the pixel offset is all that is needed
    const std::uint32_t bitsOffset = reader.u32();
    if (!reader.ok() || bitsOffset > file.size())
        return false;
    const auto dib = file.subspan(kFileHeaderSize);
    const auto layout = readLayout(dib);
    return layout && decodePixels(*layout, dib, file.subspan(bitsOffset), pixelsFor);
}

bool decodeDibInto(std::span<const std::uint8_t> dib, const PixelStorage& pixelsFor) {
    const auto layout = readLayout(dib);
    return layout && decodePixels(*layout, dib, dib.subspan(layout->tableEnd()), pixelsFor);
}

namespace {

PixelStorage into(BmpImage& image) {
    return [&image](int width, int height) {
        image.width = width;
        image.height = height;
        image.pixels.resize(std::size_t(width) * std::size_t(height));
        return image.pixels.data();
    };
}

} // namespace

std::optional<BmpImage> parseBmp(std::span<const std::uint8_t> file) {
    BmpImage image;
    if (!decodeBmpInto(file, into(image)))
        return std::nullopt;
    return image;
}

std::optional<BmpImage> parseDib(std::span<const std::uint8_t> dib) {
    BmpImage image;
    if (!decodeDibInto(dib, into(image)))
        return std::nullopt;
    return image;
}

} // namespace tessalo

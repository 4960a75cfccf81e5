#pragma once

#include <cstdint>
#include <vector>

namespace tessalo {

// Builds BMP images byte by byte for the tests, including ones that lie about themselves.
struct TestBmp {
    std::uint32_t headerSize = 40;
    std::int32_t width = 0;
    std::int32_t height = 0; // negative: rows stored top-down
    std::uint16_t bitCount = 8;
    std::uint32_t compression = 0;
    std::uint32_t coloursUsed = 0;
    std::vector<std::uint8_t> palette; // stored entries, 4 bytes each (3 in a core header)
    std::vector<std::uint8_t> bits;    // rows as stored, padding included

    std::vector<std::uint8_t> dib() const {
        std::vector<std::uint8_t> out;
        put32(out, headerSize);
        if (headerSize == 12) {
            put16(out, static_cast<std::uint16_t>(width));
            put16(out, static_cast<std::uint16_t>(height));
            put16(out, 1);
            put16(out, bitCount);
        } else {
            put32(out, static_cast<std::uint32_t>(width));
            put32(out, static_cast<std::uint32_t>(height));
            put16(out, 1);
            put16(out, bitCount);
            put32(out, compression);
            put32(out, static_cast<std::uint32_t>(bits.size()));
            put32(out, 2835);
            put32(out, 2835);
            put32(out, coloursUsed);
            put32(out, 0);
            out.resize(headerSize, 0);
        }
        out.insert(out.end(), palette.begin(), palette.end());
        out.insert(out.end(), bits.begin(), bits.end());
        return out;
    }

    std::uint32_t bitsOffset() const {
        return static_cast<std::uint32_t>(14 + headerSize + palette.size());
    }

    std::vector<std::uint8_t> file() const {
        const auto body = dib();
        std::vector<std::uint8_t> out = {'B', 'M'};
        put32(out, static_cast<std::uint32_t>(14 + body.size()));
        put32(out, 0);
        put32(out, bitsOffset());
        out.insert(out.end(), body.begin(), body.end());
        return out;
    }

    static void put16(std::vector<std::uint8_t>& out, std::uint16_t value) {
        out.push_back(static_cast<std::uint8_t>(value));
        out.push_back(static_cast<std::uint8_t>(value >> 8));
    }
    static void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
        put16(out, static_cast<std::uint16_t>(value));
        put16(out, static_cast<std::uint16_t>(value >> 16));
    }
};

// An 8-bit picture of the kind picture sets hold: a gradient, a disc, a frame and a little noise.
inline TestBmp makeBmp8(int width, int height, std::uint32_t seed) {
    TestBmp bmp;
    bmp.width = width;
    bmp.height = height;
    for (int i = 0; i < 256; ++i) {
        bmp.palette.insert(bmp.palette.end(),
                           {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                            static_cast<std::uint8_t>(i * 7), 0});
    }
    const int stride = (width + 3) / 4 * 4;
    std::uint32_t noise = seed;
    for (int row = 0; row < height; ++row) {
        for (int x = 0; x < stride; ++x) {
            const int y = height - 1 - row;
            const int dx = x - width / 2;
            const int dy = y - height / 2;
            int value = (x * 64 / width + y * 128 / height) % 200;
            if (dx * dx + dy * dy < width * height / 8)
                value = 220 + (dx & 7);
            if (x < 2 || y < 2 || x >= width - 2 || y >= height - 2)
                value = 255;
            noise = noise * 1103515245u + 12345u;
            if ((noise >> 24) < 16)
                value = (value + static_cast<int>(noise >> 29)) % 256;
            bmp.bits.push_back(x < width ? static_cast<std::uint8_t>(value) : 0);
        }
    }
    return bmp;
}

} // namespace tessalo

// Decoding speed of compressed bitmaps beside zlib's inflate of the same images, encoding time,
// and the compressed sizes of both (reported as counters).
#include "skin/asc_decoder.h"
#include "skin/asc_encoder.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void put32(Bytes& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// An 8-bit BMP file of the kind picture sets hold: a diagonal gradient, a few discs and frames in
// flat colours with shading, and sensor-like noise on part of the picture.
Bytes syntheticPicture(int width, int height, std::uint32_t seed) {
    const int stride = (width + 3) / 4 * 4;
    Bytes file = {'B', 'M'};
    put32(file, static_cast<std::uint32_t>(14 + 40 + 1024 + stride * height));
    put32(file, 0);
    put32(file, 14 + 40 + 1024);
    for (const std::uint32_t value :
         {40u, static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height), 0x00080001u,
          0u, static_cast<std::uint32_t>(stride * height), 2835u, 2835u, 0u, 0u})
        put32(file, value);
    for (int i = 0; i < 256; ++i) {
        const double t = i / 255.0;
        file.insert(file.end(), {static_cast<std::uint8_t>(255 * t),
                                 static_cast<std::uint8_t>(128 + 127 * std::sin(6 * t)),
                                 static_cast<std::uint8_t>(255 * (1 - t) * (1 - t)), 0});
    }
    std::uint32_t random = seed * 2654435761u + 1;
    const auto next = [&random] {
        random = random * 1103515245u + 12345u;
        return random >> 16;
    };
    struct Disc {
        int x, y, r, colour;
    };
    std::vector<Disc> discs;
    for (int i = 0; i < 6; ++i)
        discs.push_back({static_cast<int>(next() % width), static_cast<int>(next() % height),
                         4 + static_cast<int>(next() % (width / 4 + 1)),
                         128 + static_cast<int>(next() % 100)});
    for (int row = 0; row < height; ++row) {
        const int y = height - 1 - row;
        for (int x = 0; x < stride; ++x) {
            int value = (x * 96 / width + y * 32 / height) & 0x7F;
            for (const Disc& disc : discs) {
                const int dx = x - disc.x;
                const int dy = y - disc.y;
                if (dx * dx + dy * dy < disc.r * disc.r)
                    value = disc.colour + (dx + dy) / 8 % 4;
            }
            if (x % (width / 3 + 1) == 5 || y % (height / 3 + 1) == 5)
                value = 250;
            if (y > height / 2 && next() % 8 == 0)
                value = (value + static_cast<int>(next() % 5)) & 0xFF;
            file.push_back(x < width ? static_cast<std::uint8_t>(value) : 0);
        }
    }
    return file;
}

struct ImageSet {
    std::vector<Bytes> images;
    std::vector<Bytes> asc;
    std::vector<Bytes> deflated;
    std::size_t rawBytes = 0, ascBytes = 0, deflatedBytes = 0;
};

Bytes deflate9(const Bytes& data) {
    uLongf size = compressBound(data.size());
    Bytes out(size);
    if (compress2(out.data(), &size, data.data(), data.size(), 9) != Z_OK)
        std::abort();
    out.resize(size);
    return out;
}

ImageSet makeSet(std::vector<Bytes> images) {
    ImageSet set;
    set.images = std::move(images);
    for (const Bytes& image : set.images) {
        set.asc.push_back(tessalo::encodeAsc(image));
        set.deflated.push_back(deflate9(image));
        set.rawBytes += image.size();
        set.ascBytes += set.asc.back().size();
        set.deflatedBytes += set.deflated.back().size();
    }
    return set;
}

const ImageSet& background() {
    static const ImageSet set = makeSet({syntheticPicture(800, 600, 1)});
    return set;
}

const ImageSet& tiles() {
    static const ImageSet set = [] {
        std::vector<Bytes> images;
        for (std::uint32_t i = 0; i < 42; ++i)
            images.push_back(syntheticPicture(45, 70, 100 + i));
        return makeSet(std::move(images));
    }();
    return set;
}

void reportSizes(benchmark::State& state, const ImageSet& set) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * set.rawBytes));
    state.counters["raw"] = static_cast<double>(set.rawBytes);
    state.counters["asc"] = static_cast<double>(set.ascBytes);
    state.counters["deflate9"] = static_cast<double>(set.deflatedBytes);
}

void decodeAsc(benchmark::State& state, const ImageSet& set) {
    for (auto _ : state) {
        for (const Bytes& container : set.asc) {
            auto image = tessalo::decodeAsc(container);
            benchmark::DoNotOptimize(image);
        }
    }
    reportSizes(state, set);
}

void inflate(benchmark::State& state, const ImageSet& set) {
    Bytes out;
    for (auto _ : state) {
        for (std::size_t i = 0; i < set.images.size(); ++i) {
            out.resize(set.images[i].size());
            uLongf size = out.size();
            if (uncompress(out.data(), &size, set.deflated[i].data(), set.deflated[i].size()) !=
                Z_OK)
                std::abort();
            benchmark::DoNotOptimize(out.data());
        }
    }
    reportSizes(state, set);
}

void encodeAsc(benchmark::State& state, const ImageSet& set) {
    for (auto _ : state) {
        for (const Bytes& image : set.images) {
            auto container = tessalo::encodeAsc(image);
            benchmark::DoNotOptimize(container);
        }
    }
    reportSizes(state, set);
}

void deflate(benchmark::State& state, const ImageSet& set) {
    for (auto _ : state) {
        for (const Bytes& image : set.images) {
            auto compressed = deflate9(image);
            benchmark::DoNotOptimize(compressed);
        }
    }
    reportSizes(state, set);
}

void BM_AscDecodeBackground(benchmark::State& state) {
    decodeAsc(state, background());
}
void BM_InflateBackground(benchmark::State& state) {
    inflate(state, background());
}
void BM_AscDecodeTiles(benchmark::State& state) {
    decodeAsc(state, tiles());
}
void BM_InflateTiles(benchmark::State& state) {
    inflate(state, tiles());
}
void BM_AscEncodeBackground(benchmark::State& state) {
    encodeAsc(state, background());
}
void BM_Deflate9Background(benchmark::State& state) {
    deflate(state, background());
}
void BM_AscEncodeTiles(benchmark::State& state) {
    encodeAsc(state, tiles());
}
void BM_Deflate9Tiles(benchmark::State& state) {
    deflate(state, tiles());
}

BENCHMARK(BM_AscDecodeBackground)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InflateBackground)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AscDecodeTiles)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InflateTiles)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AscEncodeBackground)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Deflate9Background)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AscEncodeTiles)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Deflate9Tiles)->Unit(benchmark::kMillisecond);

} // namespace

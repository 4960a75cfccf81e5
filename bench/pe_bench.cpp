#include "platform/pe_module.h"
#include "platform/pe_writer.h"
#include "skin/pictures_module.h"
#include "skin/pictures_module_builder.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

using namespace tessalo;

// A set of the usual shape: 42 pictures of a few kilobytes and a large background. The image bytes
// are noise; the catalogue never looks inside them.
std::vector<std::uint8_t> typicalPicturesModule() {
    std::mt19937 random(7);
    auto noise = [&](std::size_t size) {
        std::vector<std::uint8_t> bytes(size);
        for (auto& byte : bytes)
            byte = static_cast<std::uint8_t>(random());
        return bytes;
    };
    PicturesModuleContent content;
    content.displayName = "Benchmark set";
    for (int i = 0; i < 42; ++i)
        content.pictures.push_back({"IDB_TILE_" + std::to_string(i), noise(3000)});
    for (std::size_t tile = 0; tile < kMapTileCount; ++tile)
        content.pictureOfTile[tile] = static_cast<std::uint8_t>(tile / 4 % 42);
    content.background = noise(150000);
    content.clock = noise(4000);
    content.indicator = noise(3000);
    for (auto& digit : content.digits)
        digit = noise(300);
    content.base = noise(2000);
    content.sound = noise(20000);
    for (auto& button : content.buttonBitmaps)
        button = {noise(5000), noise(5000)};
    const auto resources = std::get<std::vector<ModuleResource>>(picturesModuleResources(content));
    return std::get<std::vector<std::uint8_t>>(writeResourceModule(resources));
}

void BM_ParseModule(benchmark::State& state) {
    const auto bytes = typicalPicturesModule();
    for (auto _ : state) {
        auto module = PeModule::parse(bytes);
        benchmark::DoNotOptimize(module);
    }
    state.SetBytesProcessed(std::int64_t(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ParseModule);

void BM_ReadPicturesCatalogue(benchmark::State& state) {
    const auto module = std::get<PeModule>(PeModule::parse(typicalPicturesModule()));
    for (auto _ : state) {
        auto catalogue = readPicturesCatalogue(module);
        benchmark::DoNotOptimize(catalogue);
    }
}
BENCHMARK(BM_ReadPicturesCatalogue);

// What adding a set does: open, check, read the name.
void BM_ParseAndReadCatalogue(benchmark::State& state) {
    const auto bytes = typicalPicturesModule();
    for (auto _ : state) {
        auto module = PeModule::parse(bytes);
        auto catalogue = readPicturesCatalogue(std::get<PeModule>(module));
        benchmark::DoNotOptimize(catalogue);
    }
}
BENCHMARK(BM_ParseAndReadCatalogue);

} // namespace

#include "platform/wave_image.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <variant>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> image(data, size);
    const auto parsed = tessalo::parseWaveImage(image);
    const auto* wave = std::get_if<tessalo::WaveImage>(&parsed);
    if (!wave)
        return 0;
    if (wave->dataOffset > size || wave->dataSize > size - wave->dataOffset)
        std::abort();
    const auto samples = tessalo::playbackSamples(image, *wave);
    if (samples.size() % wave->format.blockAlign != 0 && wave->format.bitsPerSample != 24)
        std::abort();
    if (samples.size() > wave->dataSize / 3 * 4 + 4)
        std::abort();
    return 0;
}

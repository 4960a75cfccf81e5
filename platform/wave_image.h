#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace tessalo {

inline constexpr std::uint16_t kWaveFormatPcm = 1;

// The "fmt " chunk of a PCM sound, as far as playing it needs.
struct WaveFormat {
    std::uint16_t formatTag = 0;
    std::uint16_t channels = 0;
    std::uint32_t sampleRate = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;
};

// A parsed RIFF WAVE file image: its format and where the samples lie in the image.
struct WaveImage {
    WaveFormat format;
    std::size_t dataOffset = 0; // first byte of the "data" chunk's body
    std::size_t dataSize = 0;
};

// Parses a complete WAVE file image. The first "fmt " and the first "data" chunk count, in either
// order; other chunks are skipped. Every chunk must lie inside the image, only the padding byte
// after an odd-sized last chunk may be missing. Only integer PCM of 8, 16, 24 or 32 bits is
// accepted; anything else gives the reason.
std::variant<WaveImage, std::string> parseWaveImage(std::span<const std::uint8_t> image);

// The samples of a parsed `image` as an audio output takes them: whole frames only (a ragged end
// is dropped), and 24-bit samples widened to 32 bits, since outputs offer no 24-bit format.
std::vector<std::uint8_t> playbackSamples(std::span<const std::uint8_t> image,
                                          const WaveImage& wave);

} // namespace tessalo

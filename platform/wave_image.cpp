#include "platform/wave_image.h"

#include "platform/byte_reader.h"

#include <algorithm>
#include <optional>

namespace tessalo {

namespace {

constexpr std::size_t kChunkHeaderSize = 8;
constexpr std::size_t kRiffHeaderSize = 12;
constexpr std::size_t kPcmFormatSize = 16;

bool hasId(std::span<const std::uint8_t> id, const char (&expected)[5]) {
    return std::equal(id.begin(), id.end(), expected, expected + 4);
}

// A chunk id for a reason shown to a person; bytes that are not printable become '?'.
std::string printableId(std::span<const std::uint8_t> id) {
    std::string text;
    for (const std::uint8_t byte : id)
        text += (byte >= 0x20 && byte < 0x7F) ? static_cast<char>(byte) : '?';
    return text;
}

std::variant<WaveFormat, std::string> parseFormat(std::span<const std::uint8_t> body) {
    if (body.size() < kPcmFormatSize)
        return "\"fmt \" chunk of " + std::to_string(body.size()) + " bytes is too short";
    ByteReader reader(body);
    WaveFormat format;
    format.formatTag = reader.u16();
    format.channels = reader.u16();
    format.sampleRate = reader.u32();
    reader.u32(); // bytes per second: derived, not needed to play
    format.blockAlign = reader.u16();
    format.bitsPerSample = reader.u16();

    if (format.formatTag != kWaveFormatPcm)
        return "not PCM: format tag " + std::to_string(format.formatTag);
    if (format.channels == 0)
        return std::string("no channels");
    if (format.sampleRate == 0)
        return std::string("sample rate 0");
    const auto bits = format.bitsPerSample;
    if (bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return std::to_string(bits) + " bits per sample";
    if (format.blockAlign != format.channels * (bits / 8))
        return "block align " + std::to_string(format.blockAlign) + " does not fit " +
               std::to_string(format.channels) + " channels of " + std::to_string(bits) + " bits";
    return format;
}

} // namespace

std::variant<WaveImage, std::string> parseWaveImage(std::span<const std::uint8_t> image) {
    ByteReader header(image);
    const auto riff = header.bytes(4);
    const std::uint32_t riffSize = header.u32();
    const auto wave = header.bytes(4);
    if (!header.ok())
        return std::string("too short for a RIFF header");
    if (!hasId(riff, "RIFF") || !hasId(wave, "WAVE"))
        return std::string("not a RIFF WAVE image");

    // A RIFF size beyond the image does not matter as long as every chunk is whole.
    const std::size_t end = std::min<std::size_t>(image.size(), kChunkHeaderSize + riffSize);
    std::optional<WaveFormat> format;
    std::optional<WaveImage> found;
    std::size_t position = kRiffHeaderSize;
    while (position + kChunkHeaderSize <= end && !(format && found)) {
        ByteReader chunk(image.subspan(position, kChunkHeaderSize));
        const auto id = chunk.bytes(4);
        const std::size_t size = chunk.u32();
        const std::size_t body = position + kChunkHeaderSize;
        if (size > end - body)
            return "chunk \"" + printableId(id) + "\" runs past the end of the image";

        if (hasId(id, "fmt ") && !format) {
            auto parsed = parseFormat(image.subspan(body, size));
            if (auto* reason = std::get_if<std::string>(&parsed))
                return std::move(*reason);
            format = std::get<WaveFormat>(parsed);
        } else if (hasId(id, "data") && !found) {
            found = WaveImage{{}, body, size};
        }
        // Odd-sized chunks are followed by a padding byte, which a last chunk may lack.
        position = body + size + (size % 2);
        if (position > end)
            position = end;
    }
    if (!format)
        return std::string("no \"fmt \" chunk");
    if (!found)
        return std::string("no \"data\" chunk");
    found->format = *format;
    return *found;
}

std::vector<std::uint8_t> playbackSamples(std::span<const std::uint8_t> image,
                                          const WaveImage& wave) {
    const std::size_t frameSize = wave.format.blockAlign;
    if (frameSize == 0 || wave.dataOffset > image.size() ||
        wave.dataSize > image.size() - wave.dataOffset)
        return {};
    const auto data = image.subspan(wave.dataOffset, wave.dataSize - wave.dataSize % frameSize);
    if (wave.format.bitsPerSample != 24)
        return {data.begin(), data.end()};

    std::vector<std::uint8_t> widened;
    widened.reserve(data.size() / 3 * 4);
    for (std::size_t i = 0; i + 3 <= data.size(); i += 3) {
        widened.push_back(0);
        widened.insert(widened.end(), data.begin() + i, data.begin() + i + 3);
    }
    return widened;
}

} // namespace tessalo

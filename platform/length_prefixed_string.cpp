#include "platform/length_prefixed_string.h"

#include "platform/code_page_1251.h"

#include <cstdint>
#include <optional>

namespace tessalo {

namespace {

constexpr std::uint8_t kLongPrefix = 0xFF;
constexpr std::uint16_t kThirtyTwoBitLength = 0xFFFF;
constexpr std::uint16_t kUtf16Marker = 0xFFFE;

// The length that follows the 0xFF byte; none marks the UTF-16 form.
std::optional<std::uint32_t> readLength(ByteReader& reader) {
    const std::uint8_t first = reader.u8();
    if (first != kLongPrefix)
        return first;
    const std::uint16_t middle = reader.u16();
    if (middle == kThirtyTwoBitLength)
        return reader.u32();
    if (middle == kUtf16Marker)
        return std::nullopt;
    return middle;
}

std::string readUtf16Text(ByteReader& reader) {
    const auto units = readLength(reader);
    if (!units) {
        // A second marker has no meaning; treat it as damage rather than recursing.
        reader.bytes(reader.remaining() + 1);
        return {};
    }
    const std::uint64_t byteCount = std::uint64_t{*units} * 2;
    if (byteCount > reader.remaining()) {
        reader.bytes(reader.remaining() + 1);
        return {};
    }
    const auto bytes = reader.bytes(static_cast<std::size_t>(byteCount));
    std::u16string text;
    text.reserve(*units);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        text.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
    return utf16ToCp1251(text);
}

} // namespace

std::string readLengthPrefixedString(ByteReader& reader) {
    const auto length = readLength(reader);
    if (!reader.ok())
        return {};
    if (!length)
        return readUtf16Text(reader);
    // ByteReader checks the count against what is left before anything is copied.
    const auto bytes = reader.bytes(*length);
    if (!reader.ok())
        return {};
    return std::string(bytes.begin(), bytes.end());
}

void writeLengthPrefixedString(ByteWriter& writer, std::string_view text) {
    const std::size_t length = text.size();
    if (length < kLongPrefix) {
        writer.u8(static_cast<std::uint8_t>(length));
    } else if (length < kUtf16Marker) {
        writer.u8(kLongPrefix);
        writer.u16(static_cast<std::uint16_t>(length));
    } else {
        writer.u8(kLongPrefix);
        writer.u16(kThirtyTwoBitLength);
        writer.u32(static_cast<std::uint32_t>(length));
    }
    const auto* data = reinterpret_cast<const std::uint8_t*>(text.data());
    writer.bytes({data, length});
}

} // namespace tessalo

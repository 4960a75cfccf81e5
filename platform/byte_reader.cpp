#include "platform/byte_reader.h"

namespace tessalo {

std::uint8_t ByteReader::u8() {
    const auto b = bytes(1);
    return b.empty() ? 0 : b[0];
}

std::uint16_t ByteReader::u16() {
    const auto b = bytes(2);
    return b.empty() ? 0 : static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

std::uint32_t ByteReader::u32() {
    const auto b = bytes(4);
    if (b.empty())
        return 0;
    return static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
           (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}

std::span<const std::uint8_t> ByteReader::bytes(std::size_t count) {
    if (failed_ || count > remaining()) {
        failed_ = true;
        position_ = bytes_.size();
        return {};
    }
    const auto result = bytes_.subspan(position_, count);
    position_ += count;
    return result;
}

std::uint32_t ByteReader::countPrefix() {
    const std::uint16_t shortCount = u16();
    return shortCount == 0xFFFF ? u32() : shortCount;
}

} // namespace tessalo

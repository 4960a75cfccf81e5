#include "platform/byte_writer.h"

namespace tessalo {

void appendU16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void appendU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void ByteWriter::bytes(std::span<const std::uint8_t> values) {
    bytes_.insert(bytes_.end(), values.begin(), values.end());
}

void ByteWriter::countPrefix(std::uint32_t count) {
    if (count < 0xFFFF) {
        u16(static_cast<std::uint16_t>(count));
    } else {
        u16(0xFFFF);
        u32(count);
    }
}

} // namespace tessalo

#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tessalo {

// Little-endian appends, for code that builds a byte vector of its own.
void appendU16(std::vector<std::uint8_t>& out, std::uint16_t value);
void appendU32(std::vector<std::uint8_t>& out, std::uint32_t value);

// Little-endian writer, the mirror of ByteReader.
class ByteWriter {
  public:
    void u8(std::uint8_t value) { bytes_.push_back(value); }
    void u16(std::uint16_t value) { appendU16(bytes_, value); }
    void u32(std::uint32_t value) { appendU32(bytes_, value); }
    void i32(std::int32_t value) { u32(static_cast<std::uint32_t>(value)); }
    void bytes(std::span<const std::uint8_t> values);
    // 16-bit below 0xFFFF, else 0xFFFF and the 32-bit count.
    void countPrefix(std::uint32_t count);

    const std::vector<std::uint8_t>& data() const { return bytes_; }
    std::vector<std::uint8_t> take() { return std::move(bytes_); }

  private:
    std::vector<std::uint8_t> bytes_;
};

} // namespace tessalo

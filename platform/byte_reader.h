#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace tessalo {

// Little-endian reader over bytes from outside. A read past the end sets a sticky failure flag and
// yields zeros, so a caller reads a whole structure and checks `ok()` once.
class ByteReader {
  public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint8_t u8();
    std::uint16_t u16();
    std::uint32_t u32();
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    // An empty span (and failure) when fewer than `count` bytes remain.
    std::span<const std::uint8_t> bytes(std::size_t count);
    // The element count of the layout library: 16-bit, or 0xFFFF and then 32-bit.
    std::uint32_t countPrefix();

    bool ok() const { return !failed_; }
    bool atEnd() const { return position_ == bytes_.size(); }
    std::size_t position() const { return position_; }
    std::size_t remaining() const { return bytes_.size() - position_; }

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
    bool failed_ = false;
};

} // namespace tessalo

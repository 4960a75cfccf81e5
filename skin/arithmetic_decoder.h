#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace tessalo {

// Range decoder on 16-bit registers. Past the end of the stream every bit reads as 1, which is
// what lets an encoder drop trailing one-bits from its output.
class ArithmeticDecoder {
  public:
    explicit ArithmeticDecoder(std::span<const std::uint8_t> stream);

    // The position of the code value within [0, total); below total whenever total > 0.
    std::uint32_t count(std::uint32_t total) const;
    // Narrows the interval to [low, high) of total and shifts out the settled bits.
    void consume(std::uint32_t low, std::uint32_t high, std::uint32_t total);

  private:
    // The next `count` (1 to 16) stream bits, most significant first.
    std::uint32_t nextBits(unsigned count);

    std::span<const std::uint8_t> stream_;
    std::size_t nextByte_ = 0;
    std::uint64_t buffer_ = 0; // unread bits, aligned to the top
    unsigned buffered_ = 0;
    std::uint32_t low_ = 0;
    std::uint32_t high_ = 0xFFFF;
    std::uint32_t code_ = 0;
};

} // namespace tessalo

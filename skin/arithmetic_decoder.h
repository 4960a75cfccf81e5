#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>

namespace tessalo {

// Range decoder on 16-bit registers. Past the end of the stream every bit reads as 1, which is
// what lets an encoder drop trailing one-bits from its output.
//
// Defined here so the symbol loops of the decoder inline it: the calls were a fifth of decoding.
class ArithmeticDecoder {
  public:
    explicit ArithmeticDecoder(std::span<const std::uint8_t> stream) : stream_(stream) {
        // Missing first bytes read as 0xFF like every byte past the end.
        code_ = nextBits(16);
    }

    // The position of the code value within [0, total); below total whenever total > 0.
    std::uint32_t count(std::uint32_t total) const {
        // low <= code <= high holds after every consume of an interval that count() chose, so
        // neither side of the division wraps.
        return ((code_ - low_ + 1) * total - 1) / (high_ - low_ + 1);
    }

    // Narrows the interval to [low, high) of total and shifts out the settled bits.
    void consume(std::uint32_t low, std::uint32_t high, std::uint32_t total) {
        const std::uint32_t range = high_ - low_ + 1;
        high_ = low_ + range * high / total - 1;
        low_ = low_ + range * low / total;
        // All the leading bits on which low and high agree are settled at once.
        const unsigned settled = std::countl_zero(static_cast<std::uint16_t>(low_ ^ high_));
        if (settled != 0) {
            low_ = (low_ << settled) & 0xFFFF;
            high_ = ((high_ << settled) | ((1u << settled) - 1)) & 0xFFFF;
            code_ = ((code_ << settled) | nextBits(settled)) & 0xFFFF;
        }
        // Low just below the middle and high just above it: widen around the middle, once for
        // every such bit below the top, as a bit-by-bit loop would.
        const unsigned straddling =
            std::countl_one(static_cast<std::uint16_t>((low_ & ~high_) << 1));
        if (straddling != 0) {
            const std::uint32_t flipped = ((1u << straddling) - 1) << (15 - straddling);
            low_ = (low_ << straddling) & 0x7FFF;
            high_ = ((high_ << straddling) | 0x8000 | ((1u << straddling) - 1)) & 0xFFFF;
            code_ = (((code_ ^ flipped) << straddling) | nextBits(straddling)) & 0xFFFF;
        }
    }

  private:
    // The next `count` (1 to 16) stream bits, most significant first.
    std::uint32_t nextBits(unsigned count) {
        if (buffered_ < count)
            refill();
        const auto bits = static_cast<std::uint32_t>(buffer_ >> (64 - count));
        buffer_ <<= count;
        buffered_ -= count;
        return bits;
    }

    // Tops the buffer up to at least 57 bits.
    void refill();

    std::span<const std::uint8_t> stream_;
    std::size_t nextByte_ = 0;
    std::uint64_t buffer_ = 0; // unread bits, aligned to the top
    unsigned buffered_ = 0;
    std::uint32_t low_ = 0;
    std::uint32_t high_ = 0xFFFF;
    std::uint32_t code_ = 0;
};

} // namespace tessalo

#include "skin/arithmetic_decoder.h"

#include <bit>

namespace tessalo {

ArithmeticDecoder::ArithmeticDecoder(std::span<const std::uint8_t> stream) : stream_(stream) {
    // Missing first bytes read as 0xFF like every byte past the end.
    code_ = nextBits(16);
}

std::uint32_t ArithmeticDecoder::nextBits(unsigned count) {
    while (buffered_ <= 56) {
        const std::uint64_t byte = nextByte_ < stream_.size() ? stream_[nextByte_] : 0xFF;
        ++nextByte_;
        buffer_ |= byte << (56 - buffered_);
        buffered_ += 8;
    }
    const auto bits = static_cast<std::uint32_t>(buffer_ >> (64 - count));
    buffer_ <<= count;
    buffered_ -= count;
    return bits;
}

std::uint32_t ArithmeticDecoder::count(std::uint32_t total) const {
    // low <= code <= high holds after every consume of an interval that count() chose, so
    // neither side of the division wraps.
    return ((code_ - low_ + 1) * total - 1) / (high_ - low_ + 1);
}

void ArithmeticDecoder::consume(std::uint32_t low, std::uint32_t high, std::uint32_t total) {
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
    // Low just below the middle and high just above it: widen around the middle.
    while ((low_ & 0x4000) != 0 && (high_ & 0x4000) == 0) {
        low_ = (low_ & 0x3FFF) << 1;
        high_ = ((high_ << 1) | 0x8001) & 0xFFFF;
        code_ = (((code_ ^ 0x4000) << 1) | nextBits(1)) & 0xFFFF;
    }
}

} // namespace tessalo

#include "skin/arithmetic_decoder.h"

namespace tessalo {

ArithmeticDecoder::ArithmeticDecoder(std::span<const std::uint8_t> stream) : stream_(stream) {
    const std::uint32_t first = stream.size() > 0 ? stream[0] : 0xFF;
    const std::uint32_t second = stream.size() > 1 ? stream[1] : 0xFF;
    code_ = (first << 8) | second;
}

std::uint32_t ArithmeticDecoder::nextBit() {
    const std::size_t byte = bitPosition_ >> 3;
    const unsigned shift = 7 - static_cast<unsigned>(bitPosition_ & 7);
    ++bitPosition_;
    return byte < stream_.size() ? (stream_[byte] >> shift) & 1u : 1u;
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
    while (((low_ ^ high_) & 0x8000) == 0) {
        low_ = (low_ << 1) & 0xFFFF;
        high_ = ((high_ << 1) | 1) & 0xFFFF;
        code_ = ((code_ << 1) | nextBit()) & 0xFFFF;
    }
    while ((low_ & 0x4000) != 0 && (high_ & 0x4000) == 0) {
        low_ = (low_ & 0x3FFF) << 1;
        high_ = ((high_ << 1) | 0x8001) & 0xFFFF;
        code_ = (((code_ ^ 0x4000) << 1) | nextBit()) & 0xFFFF;
    }
}

} // namespace tessalo

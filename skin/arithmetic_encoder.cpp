#include "skin/arithmetic_encoder.h"

namespace tessalo {

void ArithmeticEncoder::put(std::uint32_t bit) {
    if ((bitCount_ & 7) == 0)
        bytes_.push_back(0);
    if (bit)
        bytes_.back() = static_cast<std::uint8_t>(bytes_.back() | (0x80u >> (bitCount_ & 7)));
    ++bitCount_;
    if (!bit)
        bitsUpToLastZero_ = bitCount_;
}

void ArithmeticEncoder::putWithPending(std::uint32_t bit) {
    put(bit);
    for (; pending_ > 0; --pending_)
        put(bit ^ 1);
}

void ArithmeticEncoder::encode(std::uint32_t low, std::uint32_t high, std::uint32_t total) {
    const std::uint32_t range = high_ - low_ + 1;
    high_ = low_ + range * high / total - 1;
    low_ = low_ + range * low / total;
    while (((low_ ^ high_) & 0x8000) == 0) {
        putWithPending(high_ >> 15);
        low_ = (low_ << 1) & 0xFFFF;
        high_ = ((high_ << 1) | 1) & 0xFFFF;
    }
    while ((low_ & 0x4000) != 0 && (high_ & 0x4000) == 0) {
        ++pending_;
        low_ = (low_ & 0x3FFF) << 1;
        high_ = ((high_ << 1) | 0x8001) & 0xFFFF;
    }
}

std::vector<std::uint8_t> ArithmeticEncoder::finish(Flush flush) {
    if (flush == Flush::Textbook) {
        ++pending_;
        putWithPending(low_ < 0x4000 ? 0 : 1);
        while ((bitCount_ & 7) != 0)
            put(1);
        return bytes_;
    }
    // Low is below the middle and high above it, so the value 0x7FFF always lies inside: a single
    // 0 followed by the decoder's 1-bits. Nothing at all is needed when the all-ones value fits.
    if (!(high_ == 0xFFFF && pending_ == 0))
        put(0);
    std::vector<std::uint8_t> bytes = bytes_;
    bytes.resize((bitsUpToLastZero_ + 7) / 8);
    if (bitsUpToLastZero_ & 7)
        bytes.back() = static_cast<std::uint8_t>(bytes.back() | (0xFFu >> (bitsUpToLastZero_ & 7)));
    return bytes;
}

} // namespace tessalo

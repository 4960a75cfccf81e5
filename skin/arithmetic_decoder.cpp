#include "skin/arithmetic_decoder.h"

namespace tessalo {

void ArithmeticDecoder::refill() {
    while (buffered_ <= 56) {
        const std::uint64_t byte = nextByte_ < stream_.size() ? stream_[nextByte_] : 0xFF;
        ++nextByte_;
        buffer_ |= byte << (56 - buffered_);
        buffered_ += 8;
    }
}

} // namespace tessalo

#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tessalo {

// The encoding side of ArithmeticDecoder: the same 16-bit registers and renormalisation, with
// the bits of an interval straddling the middle held back until they are settled.
class ArithmeticEncoder {
  public:
    enum class Flush {
        // Only what the decoder needs, relying on it reading 1-bits past the end.
        Shortest,
        // The classic two bits plus the pending ones, padded with 1-bits to a byte.
        Textbook,
    };

    void encode(std::uint32_t low, std::uint32_t high, std::uint32_t total);
    std::vector<std::uint8_t> finish(Flush flush);

  private:
    void put(std::uint32_t bit);
    void putWithPending(std::uint32_t bit);

    std::uint32_t low_ = 0;
    std::uint32_t high_ = 0xFFFF;
    std::size_t pending_ = 0;
    std::vector<std::uint8_t> bytes_;
    std::size_t bitCount_ = 0;
    std::size_t bitsUpToLastZero_ = 0;
};

} // namespace tessalo

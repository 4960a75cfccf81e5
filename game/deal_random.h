#pragma once

#include <cstdint>
#include <vector>

namespace tessalo {

// The deal's generator: a 32-bit linear congruential generator yielding 15-bit draws.
class DealRandom {
  public:
    explicit DealRandom(std::uint32_t seed) : state_(seed) {}

    int draw() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFF);
    }

  private:
    std::uint32_t state_;
};

// The order in which tiles are placed on the layout positions for a deal seeded with `seed`.
std::vector<std::uint8_t> dealOrderForSeed(std::uint32_t seed);

} // namespace tessalo

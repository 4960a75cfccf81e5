#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tessalo {

// Hash chains over three-byte prefixes, limited to the compressed-bitmap window.
class MatchFinder {
  public:
    struct Match {
        std::uint32_t distance; // d: the source is d + 1 bytes back
        std::uint32_t length;
    };

    MatchFinder(std::span<const std::uint8_t> data, int chainDepth);

    // Candidates at `position` with strictly rising lengths (each the nearest of its length),
    // longest last; empty when nothing of minimum length is found. Positions are inserted up
    // to `position` first, so calls must not go backwards.
    const std::vector<Match>& find(std::size_t position);

  private:
    std::uint32_t hashAt(std::size_t position) const;
    void insertUpTo(std::size_t position);

    std::span<const std::uint8_t> data_;
    int chainDepth_;
    std::vector<std::int32_t> head_;
    std::vector<std::int32_t> previous_;
    std::size_t inserted_ = 0;
    std::vector<Match> matches_;
};

} // namespace tessalo

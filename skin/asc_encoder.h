#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tessalo {

struct AscEncodeOptions {
    // Longest match at every position instead of the cheapest parse under the models.
    bool greedyParse = false;
    // The classic arithmetic-coder flush instead of the shortest one the decoder accepts.
    bool textbookFlush = false;
};

// An "ASCBITMAP" container (decoded size, then the stream) that decodeAsc turns back into `data`.
// For our tools only: the game itself never encodes.
std::vector<std::uint8_t> encodeAsc(std::span<const std::uint8_t> data,
                                    const AscEncodeOptions& options = {});

} // namespace tessalo

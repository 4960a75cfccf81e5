#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tessalo {

// Decodes an "ASCBITMAP" container: the decoded size D (32-bit little-endian) and then the
// compressed stream. Yields exactly D bytes, or none when the stream does not produce exactly D
// bytes before its end symbol, would exceed D, codes an impossible symbol, or D is absurd.
std::optional<std::vector<std::uint8_t>> decodeAsc(std::span<const std::uint8_t> container);

// The first `count` decoded bytes (fewer when D is smaller), decoding no further than needed: a
// picture's header without its pixels. None when the stream fails before it got that far.
std::optional<std::vector<std::uint8_t>> decodeAscPrefix(std::span<const std::uint8_t> container,
                                                         std::size_t count);

} // namespace tessalo

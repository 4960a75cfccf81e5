#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tessalo {

// Decodes an "ASCBITMAP" container: the decoded size D (32-bit little-endian) and then the
// compressed stream. Yields exactly D bytes, or none when the stream does not produce exactly D
// bytes before its end symbol, would exceed D, codes an impossible symbol, or D is absurd.
std::optional<std::vector<std::uint8_t>> decodeAsc(std::span<const std::uint8_t> container);

} // namespace tessalo

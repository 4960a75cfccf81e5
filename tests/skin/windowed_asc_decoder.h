#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tessalo::test {

// The compressed-bitmap decoder that kept a ring window beside its output, kept to check that
// the faster one decodes every stream, sound or damaged, to the same result.
std::optional<std::vector<std::uint8_t>> decodeAscWindowed(std::span<const std::uint8_t> container);

} // namespace tessalo::test

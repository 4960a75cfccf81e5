#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tessalo {

// One layout as stored in the library file: the same 452 bytes in memory and on disk.
struct LayoutRecord {
    static constexpr std::size_t kNameSize = 20;
    static constexpr std::size_t kMaxNameLength = kNameSize - 1;
    static constexpr std::size_t kPositions = 144;
    static constexpr std::size_t kByteSize = kNameSize + 3 * kPositions;

    std::array<std::uint8_t, kNameSize> name{};
    std::array<std::uint8_t, kPositions> x{};
    std::array<std::uint8_t, kPositions> y{};
    std::array<std::uint8_t, kPositions> z{};

    // The name up to its terminator (or all 20 bytes of a record that lacks one).
    std::string nameText() const;
    // Cuts after the 19th byte and zeroes the rest of the field.
    void setName(std::string_view text);

    friend bool operator==(const LayoutRecord&, const LayoutRecord&) = default;
};

} // namespace tessalo

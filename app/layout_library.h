#pragma once

#include "game/layout_record.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace tessalo {

inline constexpr const char* kLayoutLibraryFileName = "ts220.tsl";

struct LayoutLibraryContents {
    std::vector<LayoutRecord> layouts;
    // Empty when the file was whole. Otherwise says what was wrong; `layouts` then holds the
    // records that were complete before the damage.
    std::string damage;
};

LayoutLibraryContents parseLayoutLibrary(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> serializeLayoutLibrary(std::span<const LayoutRecord> layouts);

struct LayoutLibraryLoad {
    bool opened = false;
    LayoutLibraryContents contents;
};

// Reads the whole library file; `opened` is false when the file cannot be read at all.
LayoutLibraryLoad loadLayoutLibrary(const std::filesystem::path& path);
// Creates the file anew with every record. Returns an empty string on success, else the reason.
std::string saveLayoutLibrary(const std::filesystem::path& path,
                              std::span<const LayoutRecord> layouts);

} // namespace tessalo

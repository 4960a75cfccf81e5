#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace tessalo {

inline constexpr const char* kConfigFileName = "ts220.cfg";

// The installed picture sets: display names and module file names, entry i of both together.
struct ConfigContents {
    std::vector<std::string> pictureSetNames;
    std::vector<std::string> pictureModuleFiles;
    // Empty when the file was whole; otherwise what was wrong, and the lists hold the entries
    // that were complete before the damage.
    std::string damage;
};

ConfigContents parseConfig(std::span<const std::uint8_t> bytes);
// Writes one entry per name; a missing module file name is written as "".
std::vector<std::uint8_t> serializeConfig(std::span<const std::string> pictureSetNames,
                                          std::span<const std::string> pictureModuleFiles);

struct ConfigRead {
    bool ok = false;
    std::string reason; // when not ok: cannot be opened, or damaged
};

// Appends the entries to the two lists in file order. A damaged file still appends its complete
// entries, so that the rewrite at exit keeps them, but reads as a failure.
ConfigRead readConfig(const std::filesystem::path& path, std::vector<std::string>& pictureSetNames,
                      std::vector<std::string>& pictureModuleFiles);
// Replaces the file as a whole. Returns an empty string on success, else the reason.
std::string writeConfig(const std::filesystem::path& path,
                        std::span<const std::string> pictureSetNames,
                        std::span<const std::string> pictureModuleFiles);

} // namespace tessalo

#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace tessalo {

// A file that is replaced as a whole: the new contents go to a temporary file beside it, reach the
// disk, and only then take the old file's name, so a crash leaves the old or the new contents.
struct TemporaryFile {
    int descriptor = -1;
    std::filesystem::path path;
};

// Where the contents of `path` really live: a symbolic link is followed so that replacing the
// file keeps the link.
std::filesystem::path replacementTarget(const std::filesystem::path& path);

// Creates an empty temporary file in `target`'s folder with the permissions `target` has (or those
// of a new file when it has none). Returns an empty string on success, else the reason.
std::string createTemporaryBeside(const std::filesystem::path& target, TemporaryFile& temporary);
// Writes everything and forces it to the disk.
std::string writeAllAndSync(int descriptor, std::span<const std::uint8_t> bytes);
// Renames the temporary file over `target` and makes the rename itself durable.
std::string moveOver(const TemporaryFile& temporary, const std::filesystem::path& target);
// Closes the descriptor (if open) and removes the temporary file: the path of every failure.
void discard(TemporaryFile& temporary);

// All four steps for a file nobody else locks (the configuration and registry files).
std::string writeFileAtomically(const std::filesystem::path& path,
                                std::span<const std::uint8_t> bytes);

// The system's text for an errno value, for reasons shown to the user.
std::string systemReason(int errorNumber);

} // namespace tessalo

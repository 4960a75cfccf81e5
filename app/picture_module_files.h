#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tessalo {

inline constexpr const char* kPicturesModuleExtension = ".tsp";

// The names, without the folder, of the files in `folder` that end in ".tsp" in any letter case,
// in the order the system lists a folder on its own file systems: by name, letters compared
// without case. An unreadable folder lists nothing.
std::vector<std::string> pictureModuleFileNames(const std::filesystem::path& folder);

} // namespace tessalo

#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tessalo {

inline constexpr const char* kPerUserFolderName = "tessalo2";

// Where the game keeps its files. When the executable's folder cannot be written a folder of the
// player's own stands in for it, and `installed` names the executable's folder, whose shipped
// picture sets are used from there; otherwise `installed` is empty and all stays in `current`.
// An empty `current` is the current directory.
struct ProgramFolders {
    std::filesystem::path current;
    std::filesystem::path installed;

    bool perUser() const { return !installed.empty(); }
};

// True when a file can be made in `folder`: the system grants the write, and its file system is
// not mounted read-only (which the grant does not tell a privileged user).
bool isWritableFolder(const std::filesystem::path& folder);

// `$XDG_DATA_HOME/tessalo2`, else `$HOME/.local/share/tessalo2`; a relative XDG_DATA_HOME counts
// as unset. None without a usable home.
std::optional<std::filesystem::path> perUserFolderFromEnvironment(const char* dataHome,
                                                                  const char* home);

// The executable's folder stays the program folder while `isWritable` says it can be written,
// or when there is no per-user folder to go to.
ProgramFolders
chooseProgramFolders(const std::filesystem::path& executableFolder,
                     const std::function<bool(const std::filesystem::path&)>& isWritable,
                     const std::optional<std::filesystem::path>& perUserFolder);

// Makes the per-user folder and copies into it the configuration and the layout library it
// lacks, each whole or not at all. False when the folder cannot be made.
bool seedPerUserFolder(const ProgramFolders& folders);

// Where the module named `fileName` is opened: a name with a folder as it stands, else the
// program folder's file, else the installed one. The name is returned bare when it is found in
// the program folder or nowhere, so a missing set is reported by its name.
std::filesystem::path locateModuleFile(const ProgramFolders& folders, const std::string& fileName);

// The file name under which Add... lists the module chosen at `chosen`. In a per-user folder a
// set from elsewhere that the folder does not yet hold is copied in first.
std::string bringModuleIntoProgramFolder(const ProgramFolders& folders,
                                         const std::filesystem::path& chosen);

// The pictures modules the scan lists: those of the program folder, then those of the installed
// one not named already.
std::vector<std::string> scannedPictureModules(const ProgramFolders& folders);

} // namespace tessalo

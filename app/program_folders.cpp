#include "app/program_folders.h"

#include "app/config_file.h"
#include "app/layout_library.h"
#include "app/picture_module_files.h"

#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <system_error>

namespace tessalo {

namespace {

std::filesystem::path folderOrHere(const std::filesystem::path& folder) {
    return folder.empty() ? std::filesystem::path(".") : folder;
}

bool isFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

// Copied under a passing name and renamed, so an interrupted copy leaves no half file behind.
bool copyWhole(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::filesystem::path passing = to;
    passing += ".part";
    std::error_code error;
    std::filesystem::copy_file(from, passing, std::filesystem::copy_options::overwrite_existing,
                               error);
    if (!error)
        std::filesystem::rename(passing, to, error);
    if (error)
        std::filesystem::remove(passing, error);
    return !error;
}

} // namespace

bool isWritableFolder(const std::filesystem::path& folder) {
    if (access(folder.c_str(), W_OK) != 0)
        return false;
    struct statvfs system {};
    return statvfs(folder.c_str(), &system) != 0 || (system.f_flag & ST_RDONLY) == 0;
}

std::optional<std::filesystem::path> perUserFolderFromEnvironment(const char* dataHome,
                                                                  const char* home) {
    if (dataHome != nullptr && std::filesystem::path(dataHome).is_absolute())
        return std::filesystem::path(dataHome) / kPerUserFolderName;
    if (home != nullptr && std::filesystem::path(home).is_absolute())
        return std::filesystem::path(home) / ".local" / "share" / kPerUserFolderName;
    return std::nullopt;
}

ProgramFolders
chooseProgramFolders(const std::filesystem::path& executableFolder,
                     const std::function<bool(const std::filesystem::path&)>& isWritable,
                     const std::optional<std::filesystem::path>& perUserFolder) {
    if (isWritable(executableFolder) || !perUserFolder)
        return {executableFolder, {}};
    return {*perUserFolder, executableFolder};
}

bool seedPerUserFolder(const ProgramFolders& folders) {
    std::error_code error;
    std::filesystem::create_directories(folders.current, error);
    if (error || !std::filesystem::is_directory(folders.current, error))
        return false;
    for (const char* name : {kConfigFileName, kLayoutLibraryFileName}) {
        const auto own = folders.current / name;
        const auto shipped = folders.installed / name;
        if (!std::filesystem::exists(own, error) && isFile(shipped))
            copyWhole(shipped, own);
    }
    return true;
}

std::filesystem::path locateModuleFile(const ProgramFolders& folders, const std::string& fileName) {
    const std::filesystem::path name(fileName);
    if (!folders.perUser() || name.has_parent_path() || isFile(folders.current / name))
        return name;
    const auto installed = folders.installed / name;
    return isFile(installed) ? installed : name;
}

std::string bringModuleIntoProgramFolder(const ProgramFolders& folders,
                                         const std::filesystem::path& chosen) {
    const std::string fileName = chosen.filename().string();
    if (!folders.perUser() || fileName.empty() || isFile(folders.current / fileName))
        return fileName;
    std::error_code error;
    const auto installed = folders.installed / fileName;
    if (!std::filesystem::equivalent(chosen, installed, error))
        copyWhole(chosen, folders.current / fileName);
    return fileName;
}

std::vector<std::string> scannedPictureModules(const ProgramFolders& folders) {
    std::vector<std::string> names = pictureModuleFileNames(folderOrHere(folders.current));
    if (!folders.perUser())
        return names;
    const std::size_t own = names.size();
    for (std::string& name : pictureModuleFileNames(folders.installed)) {
        if (std::find(names.begin(), names.begin() + std::ptrdiff_t(own), name) ==
            names.begin() + std::ptrdiff_t(own))
            names.push_back(std::move(name));
    }
    return names;
}

} // namespace tessalo

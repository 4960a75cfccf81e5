#pragma once

#include "app/program_folders.h"
#include "game/layout_record.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tessalo {

// What the whole run shares: the lists the settings page changes and the indices of the layout
// and picture set the next game uses. Texts are code page 1251.
struct AppState {
    std::vector<LayoutRecord> layouts;
    std::int32_t layoutIndex = 0;
    // Entry i of both lists together: a set's display name and its module's file name.
    std::vector<std::string> pictureSetNames;
    std::vector<std::string> pictureModuleFiles;
    std::int32_t picturesIndex = 0;
    // Whether the game says when its board can no longer be cleared.
    bool warnNoWayOut = false;
    // Off by default: the play area keeps its own size between black bands.
    bool fillScreen = false;
    // Deal only what the solver proves clearable; their records are kept in a file of their own.
    bool clearableDeals = false;
    // The last name entered for a record in this run; never stored.
    std::string lastPlayerName;
    // Where the files of the program folder are read and written, and the shipped sets found.
    ProgramFolders folders;

    // None when the index lies outside its list.
    const LayoutRecord* currentLayout() const {
        return layoutIndex >= 0 && std::size_t(layoutIndex) < layouts.size()
                   ? &layouts[std::size_t(layoutIndex)]
                   : nullptr;
    }
    const std::string* currentPictureSetName() const {
        return picturesIndex >= 0 && std::size_t(picturesIndex) < pictureSetNames.size()
                   ? &pictureSetNames[std::size_t(picturesIndex)]
                   : nullptr;
    }
    const std::string* currentPictureModuleFile() const {
        return picturesIndex >= 0 && std::size_t(picturesIndex) < pictureModuleFiles.size()
                   ? &pictureModuleFiles[std::size_t(picturesIndex)]
                   : nullptr;
    }
};

} // namespace tessalo

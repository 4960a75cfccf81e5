#pragma once

#include "game/loaded_pictures.h"
#include "skin/picture_scale.h"

#include <QString>

#include <filesystem>
#include <functional>
#include <optional>

namespace tessalo {

struct LoadProgress {
    // Called once with N, the number of pictures, before the first one is decoded.
    std::function<void(int)> setRange;
    // Called with i after picture i.
    std::function<void(int)> setPosition;
};

// Decodes the set's pictures into `pictures` and copies its pair sound when `soundOn`. A module
// that cannot be read or lacks what a game needs leaves `pictures` empty and returns the message
// for the player; nothing half-loaded ever reaches a game. The pictures are resampled to `scale`,
// the scale of the play area they are drawn on.
std::optional<QString> loadPictureSet(const std::filesystem::path& module, bool soundOn,
                                      LoadedPictures& pictures, const LoadProgress& progress,
                                      PictureScale scale = {});

} // namespace tessalo

#pragma once

#include "tools/art/set_params.h"

#include <QString>

#include <string>

namespace tessalo::art {

// Draws every image of a picture set into `folder` as BMP files, the pair sound as a WAVE file,
// and "manifest.txt" for `tessalo-tool pack-pictures`. Returns an error, or empty.
std::string writePictureSet(const SetParams& params, const QString& folder);

} // namespace tessalo::art

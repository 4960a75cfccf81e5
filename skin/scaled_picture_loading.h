#pragma once

#include "platform/pe_module.h"
#include "platform/resource_source.h"
#include "skin/picture_scale.h"

#include <QImage>

#include <optional>
#include <string>

namespace tessalo {

// An image of a set at the size it is drawn at `scale`: exactly scale.of() of its plain image's
// width and height, so it fits the scaled play area, shapes and regions. Of the image's larger
// versions (see pictureVariantName) only the one that serves best is decoded: the smallest at or
// above the scale, else the largest; one that is damaged or not exactly its factor times the
// plain image's size is passed over for the next. None when no version can be used.
std::optional<QImage> loadScaledAscBitmap(const PeModule& module, const std::string& name,
                                          PictureScale scale);
// The same for a plain bitmap resource (the buttons).
std::optional<QImage> loadScaledBitmap(const PeModule& module, const std::string& name,
                                       PictureScale scale);
// A plain bitmap resource from the resource source, which only a pictures module has.
std::optional<QImage> loadScaledSourceBitmap(const ResourceSource& source, const std::string& name,
                                             PictureScale scale);

} // namespace tessalo

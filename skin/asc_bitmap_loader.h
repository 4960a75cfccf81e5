#pragma once

#include "platform/pe_module.h"
#include "platform/resource_source.h"

#include <QImage>

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace tessalo {

// A compressed bitmap (the container of an "ASCBITMAP" resource) as an image. None when the
// container or the BMP image inside it is damaged: never a partial picture.
std::optional<QImage> imageFromAscBitmap(std::span<const std::uint8_t> container);

// A plain bitmap resource's bytes (a device-independent bitmap without file header) as an image.
std::optional<QImage> imageFromDib(std::span<const std::uint8_t> dib);

// Finds the "ASCBITMAP" resource `name` in `module` and decodes it. None when it is missing or
// damaged.
std::optional<QImage> loadAscBitmap(const PeModule& module, const std::string& name);

// A plain bitmap resource (a device-independent bitmap without file header) as an image.
std::optional<QImage> loadBitmap(const PeModule& module, const std::string& name);

// A plain bitmap resource by name from the resource source. The program's own resources hold no
// bitmaps, so only a pictures module as the source yields one.
std::optional<QImage> loadSourceBitmap(const ResourceSource& source, const std::string& name);

} // namespace tessalo

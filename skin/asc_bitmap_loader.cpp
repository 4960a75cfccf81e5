#include "skin/asc_bitmap_loader.h"

#include "skin/asc_decoder.h"
#include "skin/bmp_image.h"

#include <cstring>

namespace tessalo {

namespace {

QImage toImage(const BmpImage& bitmap) {
    QImage image(bitmap.width, bitmap.height, QImage::Format_RGB32);
    const std::size_t rowBytes = static_cast<std::size_t>(bitmap.width) * sizeof(std::uint32_t);
    for (int row = 0; row < bitmap.height; ++row) {
        std::memcpy(image.scanLine(row),
                    bitmap.pixels.data() + static_cast<std::size_t>(row) * bitmap.width, rowBytes);
    }
    return image;
}

} // namespace

std::optional<QImage> imageFromAscBitmap(std::span<const std::uint8_t> container) {
    const auto decoded = decodeAsc(container);
    if (!decoded)
        return std::nullopt;
    const auto bitmap = parseBmp(*decoded);
    if (!bitmap)
        return std::nullopt;
    return toImage(*bitmap);
}

std::optional<QImage> imageFromDib(std::span<const std::uint8_t> dib) {
    const auto bitmap = parseDib(dib);
    if (!bitmap)
        return std::nullopt;
    return toImage(*bitmap);
}

std::optional<QImage> loadAscBitmap(const PeModule& module, const std::string& name) {
    const auto resource = module.findResource(ResourceId("ASCBITMAP"), ResourceId(name));
    if (!resource)
        return std::nullopt;
    return imageFromAscBitmap(*resource);
}

std::optional<QImage> loadBitmap(const PeModule& module, const std::string& name) {
    const auto resource = module.loadBitmap(ResourceId(name));
    if (!resource)
        return std::nullopt;
    return imageFromDib(*resource);
}

std::optional<QImage> loadSourceBitmap(const ResourceSource& source, const std::string& name) {
    if (source.isProgramOwn())
        return std::nullopt;
    return loadBitmap(*source.current(), name);
}

} // namespace tessalo

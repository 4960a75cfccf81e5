#include "skin/asc_bitmap_loader.h"

#include "platform/fresh_pages.h"
#include "skin/asc_decoder.h"
#include "skin/bmp_image.h"

namespace tessalo {

namespace {

// Pixels go straight into the image: 0xAARRGGBB words are RGB32's own, and its rows of 32-bit
// pixels follow each other with no gap.
PixelStorage into(QImage& image) {
    return [&image](int width, int height) -> std::uint32_t* {
        image = QImage(width, height, QImage::Format_RGB32);
        if (image.isNull() || image.bytesPerLine() != qsizetype(width) * 4)
            return nullptr;
        mapFreshPages(image.bits(), std::size_t(image.sizeInBytes()));
        return reinterpret_cast<std::uint32_t*>(image.bits());
    };
}

} // namespace

std::optional<QImage> imageFromAscBitmap(std::span<const std::uint8_t> container) {
    const auto decoded = decodeAsc(container);
    if (!decoded)
        return std::nullopt;
    QImage image;
    if (!decodeBmpInto(*decoded, into(image)))
        return std::nullopt;
    return image;
}

std::optional<QImage> imageFromDib(std::span<const std::uint8_t> dib) {
    QImage image;
    if (!decodeDibInto(dib, into(image)))
        return std::nullopt;
    return image;
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

#include "skin/scaled_picture_loading.h"

#include "skin/asc_bitmap_loader.h"
#include "skin/asc_decoder.h"
#include "skin/bmp_image.h"
#include "skin/picture_resampling.h"
#include "skin/pictures_module.h"

#include <algorithm>
#include <vector>

namespace tessalo {

namespace {

struct ImageKind {
    ResourceId type;
    // Read from the header alone: knowing the plain size must not cost a whole decode.
    std::optional<BmpSize> (*plainSize)(std::span<const std::uint8_t>);
    std::optional<QImage> (*decode)(std::span<const std::uint8_t>);
};

std::optional<BmpSize> ascBitmapSize(std::span<const std::uint8_t> container) {
    const auto header = decodeAscPrefix(container, kBmpSizePrefix);
    return header ? bmpFileSize(*header) : std::nullopt;
}

// Factors in the order they are tried: the smallest at or above the scale first, as it loses
// nothing and costs least, then the larger ones, then the smaller ones from the largest down.
std::vector<int> factorsToTry(PictureScale scale) {
    std::vector<int> above;
    std::vector<int> below;
    for (int factor : {1, kPictureVariantFactors[0], kPictureVariantFactors[1]}) {
        if (std::int64_t(factor) * scale.denominator >= scale.numerator)
            above.push_back(factor);
        else
            below.insert(below.begin(), factor);
    }
    above.insert(above.end(), below.begin(), below.end());
    return above;
}

std::optional<QImage> loadScaled(const PeModule& module, const ImageKind& kind,
                                 const std::string& name, PictureScale scale) {
    const auto plain = module.findResource(kind.type, ResourceId(name));
    if (!plain)
        return std::nullopt;
    std::optional<BmpSize> plainSize;
    for (const int factor : factorsToTry(scale)) {
        if (factor == 1) {
            auto image = kind.decode(*plain);
            if (image)
                return resampled(*image, scale);
            continue;
        }
        const auto bytes =
            module.findResource(kind.type, ResourceId(pictureVariantName(name, factor)));
        if (!bytes)
            continue;
        if (!plainSize) {
            plainSize = kind.plainSize(*plain);
            if (!plainSize)
                return std::nullopt;
        }
        auto image = kind.decode(*bytes);
        if (!image || image->width() != factor * plainSize->width ||
            image->height() != factor * plainSize->height)
            continue;
        // scale / factor takes the version to exactly scale.of() of the plain size.
        return resampled(*image, PictureScale{scale.numerator, scale.denominator * factor});
    }
    return std::nullopt;
}

} // namespace

std::optional<QImage> loadScaledAscBitmap(const PeModule& module, const std::string& name,
                                          PictureScale scale) {
    static const ImageKind kind{ResourceId(kAscBitmapType), ascBitmapSize, imageFromAscBitmap};
    return loadScaled(module, kind, name, scale);
}

std::optional<QImage> loadScaledBitmap(const PeModule& module, const std::string& name,
                                       PictureScale scale) {
    static const ImageKind kind{kRtBitmap, dibSize, imageFromDib};
    return loadScaled(module, kind, name, scale);
}

std::optional<QImage> loadScaledSourceBitmap(const ResourceSource& source, const std::string& name,
                                             PictureScale scale) {
    if (source.isProgramOwn())
        return std::nullopt;
    return loadScaledBitmap(*source.current(), name, scale);
}

} // namespace tessalo

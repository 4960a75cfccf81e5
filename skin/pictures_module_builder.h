#pragma once

#include "platform/pe_writer.h"
#include "skin/pictures_module.h"

#include <array>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace tessalo {

// The parts of a picture set, images already in the form the module stores them.
struct PicturesModuleContent {
    struct Picture {
        std::string name;
        // An "ASCBITMAP" resource.
        std::vector<std::uint8_t> image;
    };

    std::string displayName;
    std::vector<Picture> pictures;
    std::array<std::uint8_t, kMapTileCount> pictureOfTile{};
    ClockPlace clockPlace;
    IndicatorPlace indicatorPlace;
    ButtonsPlace buttonsPlace;
    // "ASCBITMAP" resources.
    std::vector<std::uint8_t> background;
    std::vector<std::uint8_t> clock;
    std::vector<std::uint8_t> indicator;
    std::array<std::vector<std::uint8_t>, 10> digits;
    std::optional<std::vector<std::uint8_t>> base;
    // A complete RIFF WAVE file.
    std::optional<std::vector<std::uint8_t>> sound;
    // Bitmap resources (a BMP file without its 14-byte file header), indexed by button in the
    // order of kPictureButtons, then up (0) and down (1).
    std::array<std::array<std::vector<std::uint8_t>, 2>, 4> buttonBitmaps;

    // Larger versions of any of the images above, stored in the same form as the image.
    struct Variant {
        // The image's resource name, e.g. "IDB_BACKGROUND" or a picture's name.
        std::string image;
        // One of kPictureVariantFactors.
        int factor = 2;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<Variant> variants;
};

// Every resource of the set, names upper-cased as the platform finds them. Fails on more than 255
// pictures, on a picture name that is empty, holds a zero byte, repeats another or ends as a
// variant's name does, on a map entry without its picture, and on a variant of an image the set
// lacks, of another factor, or given twice.
std::variant<std::vector<ModuleResource>, std::string>
picturesModuleResources(const PicturesModuleContent& content);

} // namespace tessalo

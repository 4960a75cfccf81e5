#include "skin/pictures_module_builder.h"

#include "platform/code_page_1251.h"

#include <algorithm>
#include <set>

namespace tessalo {

namespace {

std::string upperName(const std::string& name) {
    return utf16ToCp1251(resourceNameUpper(cp1251ToUtf16(name)));
}

// Each variant beside its image, in the image's own resource type.
std::string addVariants(const PicturesModuleContent& content,
                        std::vector<ModuleResource>& resources) {
    std::set<std::string> added;
    for (const auto& variant : content.variants) {
        const std::string image = upperName(variant.image);
        const auto same =
            std::find_if(resources.begin(), resources.end(), [&](const ModuleResource& resource) {
                return !resource.name.isId() && resource.name.name() == image &&
                       (resource.type == ResourceId(kAscBitmapType) ||
                        resource.type == ResourceId(kRtBitmap));
            });
        if (same == resources.end())
            return "a larger version of \"" + variant.image + "\", an image the set lacks";
        if (std::find(kPictureVariantFactors.begin(), kPictureVariantFactors.end(),
                      variant.factor) == kPictureVariantFactors.end())
            return "a larger version of \"" + variant.image + "\" at " +
                   std::to_string(variant.factor) + " times, where 2 and 3 are known";
        const std::string name = pictureVariantName(image, variant.factor);
        if (!added.insert(name).second)
            return "the larger version " + name + " is given twice";
        const ResourceId type = same->type;
        resources.push_back({type, name, kLanguageNeutral, variant.bytes});
    }
    return {};
}

} // namespace

std::variant<std::vector<ModuleResource>, std::string>
picturesModuleResources(const PicturesModuleContent& content) {
    if (content.pictures.size() > 255)
        return "a set holds at most 255 pictures, not " + std::to_string(content.pictures.size());
    std::vector<ModuleResource> resources;
    std::vector<std::uint8_t> names;
    std::set<std::string> seen;
    for (const auto& picture : content.pictures) {
        const std::string name = upperName(picture.name);
        if (name.empty() || name.find('\0') != std::string::npos)
            return "picture name \"" + picture.name + "\" is empty or holds a zero byte";
        if (!seen.insert(name).second)
            return "picture name \"" + picture.name + "\" is given twice";
        if (isPictureVariantName(name))
            return "picture name \"" + picture.name +
                   "\" ends in \"@2X\" or \"@3X\", which names a larger version of a picture";
        names.insert(names.end(), name.begin(), name.end());
        names.push_back(0);
        resources.push_back({kAscBitmapType, name, kLanguageNeutral, picture.image});
    }
    std::vector<std::uint8_t> map = {static_cast<std::uint8_t>(content.pictures.size())};
    for (std::size_t tile = 0; tile < kMapTileCount; ++tile) {
        if (content.pictureOfTile[tile] >= content.pictures.size())
            return "tile " + std::to_string(tile) + " shows picture " +
                   std::to_string(content.pictureOfTile[tile]) + ", but the set has " +
                   std::to_string(content.pictures.size());
        map.push_back(content.pictureOfTile[tile]);
    }
    resources.push_back({kPicturesType, kPictureNamesName, kLanguageNeutral, std::move(names)});
    resources.push_back({kPicturesType, kPicturesMapName, kLanguageNeutral, std::move(map)});
    resources.push_back(
        {kPlaceType, kClockPlaceName, kLanguageNeutral, serializeClockPlace(content.clockPlace)});
    resources.push_back({kPlaceType, kIndicatorPlaceName, kLanguageNeutral,
                         serializeIndicatorPlace(content.indicatorPlace)});
    resources.push_back({kPlaceType, kButtonsPlaceName, kLanguageNeutral,
                         serializeButtonsPlace(content.buttonsPlace)});
    resources.push_back({kAscBitmapType, kBackgroundName, kLanguageNeutral, content.background});
    resources.push_back({kAscBitmapType, kClockName, kLanguageNeutral, content.clock});
    resources.push_back({kAscBitmapType, kIndicatorName, kLanguageNeutral, content.indicator});
    for (int digit = 0; digit <= 9; ++digit)
        resources.push_back(
            {kAscBitmapType, digitBitmapName(digit), kLanguageNeutral, content.digits[digit]});
    if (content.base)
        resources.push_back({kAscBitmapType, kBaseName, kLanguageNeutral, *content.base});
    if (content.sound)
        resources.push_back({kWaveType, kSoundName, kLanguageNeutral, *content.sound});
    for (std::size_t button = 0; button < kPictureButtons.size(); ++button) {
        for (int down = 0; down < 2; ++down)
            resources.push_back({kRtBitmap, buttonBitmapName(kPictureButtons[button], down != 0),
                                 kLanguageNeutral, content.buttonBitmaps[button][down]});
    }
    if (auto error = addVariants(content, resources); !error.empty())
        return error;
    const std::vector<std::pair<std::uint16_t, std::string>> strings = {
        {static_cast<std::uint16_t>(kDisplayNameStringId), content.displayName}};
    for (auto& table : buildStringTables(strings))
        resources.push_back(std::move(table));
    return resources;
}

} // namespace tessalo

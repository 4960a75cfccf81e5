#include "skin/pictures_module.h"

#include "platform/byte_reader.h"
#include "platform/byte_writer.h"

namespace tessalo {

namespace {

std::string quoted(std::string_view text) {
    // Appended, not "\"" + string: GCC 12 at -O3 takes that for an overlapping copy.
    std::string result = "\"";
    result += text;
    result += '"';
    return result;
}

std::string missing(std::string_view type, std::string_view name) {
    return "the module has no " + std::string(type) + " resource " + quoted(name);
}

std::string tooShort(std::string_view name, std::size_t size, std::size_t needed) {
    return quoted(name) + " has " + std::to_string(size) + " bytes where " +
           std::to_string(needed) + " are needed";
}

// The names, or none when the resource ends before the `count`-th terminator.
std::optional<std::vector<std::string>> readNames(std::span<const std::uint8_t> bytes,
                                                  std::size_t count) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (names.size() < count) {
        std::size_t end = start;
        while (end < bytes.size() && bytes[end] != 0)
            ++end;
        if (end == bytes.size())
            return std::nullopt;
        names.emplace_back(bytes.begin() + std::ptrdiff_t(start),
                           bytes.begin() + std::ptrdiff_t(end));
        start = end + 1;
    }
    return names;
}

template <typename Place>
std::variant<Place, std::string>
readPlace(const PeModule& module, const char* name,
          std::optional<Place> (*parse)(std::span<const std::uint8_t>)) {
    const auto bytes = module.findResource(kPlaceType, name);
    if (!bytes)
        return missing(kPlaceType, name);
    auto place = parse(*bytes);
    if (!place)
        return tooShort(name, bytes->size(), Place::kByteSize);
    return *place;
}

} // namespace

std::string digitBitmapName(int digit) {
    return "IDB_" + std::to_string(digit);
}

std::string pictureVariantName(std::string_view image, int factor) {
    return std::string(image) + "@" + std::to_string(factor) + "X";
}

bool isPictureVariantName(std::string_view name) {
    if (name.size() < 3 || name[name.size() - 3] != '@')
        return false;
    const char factor = name[name.size() - 2];
    const char times = name.back();
    return (factor == '2' || factor == '3') && (times == 'X' || times == 'x');
}

const char* buttonBitmapName(PictureButton button, bool down) {
    switch (button) {
    case PictureButton::Start:
        return down ? "IDB_START_BUTTON_D" : "IDB_START_BUTTON_U";
    case PictureButton::Pause:
        return down ? "IDB_PAUSE_BUTTON_D" : "IDB_PAUSE_BUTTON_U";
    case PictureButton::Help:
        return down ? "IDB_HELP_BUTTON_D" : "IDB_HELP_BUTTON_U";
    case PictureButton::Exit:
        break;
    }
    return down ? "IDB_EXIT_BUTTON_D" : "IDB_EXIT_BUTTON_U";
}

namespace {

// The clock and indicator records share one shape: window position, digit columns, digit row.
template <typename Place>
std::optional<Place> parseDigitPlace(std::span<const std::uint8_t> bytes) {
    ByteReader reader(bytes);
    Place place;
    place.x = static_cast<std::int16_t>(reader.u16());
    place.y = static_cast<std::int16_t>(reader.u16());
    for (auto& x : place.digitX)
        x = static_cast<std::int16_t>(reader.u16());
    place.digitY = static_cast<std::int16_t>(reader.u16());
    return reader.ok() ? std::optional(place) : std::nullopt;
}

template <typename Place> std::vector<std::uint8_t> serializeDigitPlace(const Place& place) {
    ByteWriter out;
    out.u16(static_cast<std::uint16_t>(place.x));
    out.u16(static_cast<std::uint16_t>(place.y));
    for (auto x : place.digitX)
        out.u16(static_cast<std::uint16_t>(x));
    out.u16(static_cast<std::uint16_t>(place.digitY));
    return out.take();
}

} // namespace

std::optional<ClockPlace> parseClockPlace(std::span<const std::uint8_t> bytes) {
    return parseDigitPlace<ClockPlace>(bytes);
}

std::optional<IndicatorPlace> parseIndicatorPlace(std::span<const std::uint8_t> bytes) {
    return parseDigitPlace<IndicatorPlace>(bytes);
}

std::optional<ButtonsPlace> parseButtonsPlace(std::span<const std::uint8_t> bytes) {
    ByteReader reader(bytes);
    ButtonsPlace place;
    for (auto& button : place.buttons) {
        button.x = static_cast<std::int16_t>(reader.u16());
        button.y = static_cast<std::int16_t>(reader.u16());
    }
    return reader.ok() ? std::optional(place) : std::nullopt;
}

std::vector<std::uint8_t> serializeClockPlace(const ClockPlace& place) {
    return serializeDigitPlace(place);
}

std::vector<std::uint8_t> serializeIndicatorPlace(const IndicatorPlace& place) {
    return serializeDigitPlace(place);
}

std::vector<std::uint8_t> serializeButtonsPlace(const ButtonsPlace& place) {
    ByteWriter out;
    for (const auto& button : place.buttons) {
        out.u16(static_cast<std::uint16_t>(button.x));
        out.u16(static_cast<std::uint16_t>(button.y));
    }
    return out.take();
}

bool isPicturesModule(const PeModule& module) {
    return module.findResource(kPicturesType, kPictureNamesName).has_value();
}

std::variant<PicturesCatalogue, std::string> readPicturesCatalogue(const PeModule& module) {
    const auto namesBytes = module.findResource(kPicturesType, kPictureNamesName);
    if (!namesBytes)
        return missing(kPicturesType, kPictureNamesName) + ": not a pictures module";
    PicturesCatalogue catalogue;

    // An empty name reads as no name at all, as the platform's string loading reports it.
    catalogue.displayName =
        module.loadString(kDisplayNameStringId, kDisplayNameBufferSize).value_or(std::string());
    if (catalogue.displayName.empty())
        return std::string("the module has no display name (string 1)");

    const auto map = module.findResource(kPicturesType, kPicturesMapName);
    if (!map)
        return missing(kPicturesType, kPicturesMapName);
    if (map->size() < 1 + kMapTileCount)
        return tooShort(kPicturesMapName, map->size(), 1 + kMapTileCount);
    const std::size_t count = (*map)[0];
    auto names = readNames(*namesBytes, count);
    if (!names)
        return quoted(kPictureNamesName) + " holds fewer than the " + std::to_string(count) +
               " names its map announces";
    catalogue.pictureNames = std::move(*names);
    for (std::size_t tile = 0; tile < kMapTileCount; ++tile) {
        catalogue.pictureOfTile[tile] = (*map)[1 + tile];
        if (catalogue.pictureOfTile[tile] >= count)
            return "tile " + std::to_string(tile) + " shows picture " +
                   std::to_string(catalogue.pictureOfTile[tile]) + ", but the set has " +
                   std::to_string(count);
    }

    auto clock = readPlace<ClockPlace>(module, kClockPlaceName, parseClockPlace);
    if (auto* error = std::get_if<std::string>(&clock))
        return *error;
    catalogue.clockPlace = std::get<ClockPlace>(clock);
    auto indicator = readPlace<IndicatorPlace>(module, kIndicatorPlaceName, parseIndicatorPlace);
    if (auto* error = std::get_if<std::string>(&indicator))
        return *error;
    catalogue.indicatorPlace = std::get<IndicatorPlace>(indicator);
    auto buttons = readPlace<ButtonsPlace>(module, kButtonsPlaceName, parseButtonsPlace);
    if (auto* error = std::get_if<std::string>(&buttons))
        return *error;
    catalogue.buttonsPlace = std::get<ButtonsPlace>(buttons);

    std::vector<std::string> images = {kBackgroundName, kClockName, kIndicatorName};
    for (int digit = 0; digit <= 9; ++digit)
        images.push_back(digitBitmapName(digit));
    images.insert(images.end(), catalogue.pictureNames.begin(), catalogue.pictureNames.end());
    for (const auto& image : images) {
        if (!module.findResource(kAscBitmapType, image))
            return missing(kAscBitmapType, image);
    }
    for (auto button : kPictureButtons) {
        for (bool down : {false, true}) {
            if (!module.loadBitmap(buttonBitmapName(button, down)))
                return missing("bitmap", buttonBitmapName(button, down));
        }
    }
    catalogue.hasBase = module.findResource(kAscBitmapType, kBaseName).has_value();
    catalogue.hasSound = module.findResource(kWaveType, kSoundName).has_value();
    return catalogue;
}

} // namespace tessalo

#pragma once

#include "platform/pe_module.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tessalo {

// Resource types and names of a pictures module, as the modules carry them.
inline constexpr const char* kPicturesType = "PICTURES";
inline constexpr const char* kPlaceType = "PLACE";
inline constexpr const char* kAscBitmapType = "ASCBITMAP";
inline constexpr const char* kWaveType = "WAVE";
inline constexpr const char* kPictureNamesName = "IDR_PICTURES";
inline constexpr const char* kPicturesMapName = "IDR_PICTURES_MAP";
inline constexpr const char* kClockPlaceName = "IDR_PLACE_CLOCK";
inline constexpr const char* kIndicatorPlaceName = "IDR_PLACE_INDICATOR";
inline constexpr const char* kButtonsPlaceName = "IDR_PLACE_BUTTONS";
inline constexpr const char* kBackgroundName = "IDB_BACKGROUND";
inline constexpr const char* kBaseName = "IDB_BASE";
inline constexpr const char* kClockName = "IDB_CLOCK";
inline constexpr const char* kIndicatorName = "IDB_INDICATOR";
inline constexpr const char* kSoundName = "WAVE_OK";
inline constexpr unsigned kDisplayNameStringId = 1;
inline constexpr std::size_t kDisplayNameBufferSize = 20;
// Tiles the map gives a picture to.
inline constexpr std::size_t kMapTileCount = 144;

// "IDB_0" ... "IDB_9".
std::string digitBitmapName(int digit);

// Larger versions of any image of a set, for big screens: a resource of the image's own type
// named after it with "@2X" or "@3X" appended, exactly 2 or 3 times its width and height. Readers
// that do not know them never ask for such a name, so a set with them works everywhere.
inline constexpr std::array<int, 2> kPictureVariantFactors = {2, 3};
std::string pictureVariantName(std::string_view image, int factor);
// Names ending as a variant's do, "@2X" or "@3X" in any case: no picture may be called so, or it
// would be taken for another's variant.
bool isPictureVariantName(std::string_view name);

enum class PictureButton { Start, Pause, Help, Exit };
inline constexpr std::array<PictureButton, 4> kPictureButtons = {
    PictureButton::Start, PictureButton::Pause, PictureButton::Help, PictureButton::Exit};
// Plain bitmap resources: "IDB_START_BUTTON_U", "IDB_START_BUTTON_D" and so on.
const char* buttonBitmapName(PictureButton button, bool down);

struct ClockPlace {
    static constexpr std::size_t kByteSize = 14;
    std::int16_t x = 0;
    std::int16_t y = 0;
    // Tens of minutes, minutes, tens of seconds, seconds.
    std::array<std::int16_t, 4> digitX{};
    std::int16_t digitY = 0;
    friend bool operator==(const ClockPlace&, const ClockPlace&) = default;
};

struct IndicatorPlace {
    static constexpr std::size_t kByteSize = 12;
    std::int16_t x = 0;
    std::int16_t y = 0;
    // Hundreds, tens, units.
    std::array<std::int16_t, 3> digitX{};
    std::int16_t digitY = 0;
    friend bool operator==(const IndicatorPlace&, const IndicatorPlace&) = default;
};

struct ButtonPosition {
    std::int16_t x = 0;
    std::int16_t y = 0;
    friend bool operator==(const ButtonPosition&, const ButtonPosition&) = default;
};

struct ButtonsPlace {
    static constexpr std::size_t kByteSize = 16;
    // In the order of kPictureButtons.
    std::array<ButtonPosition, 4> buttons{};
    friend bool operator==(const ButtonsPlace&, const ButtonsPlace&) = default;
};

// None when the record is shorter than its size; bytes beyond it are ignored.
std::optional<ClockPlace> parseClockPlace(std::span<const std::uint8_t> bytes);
std::optional<IndicatorPlace> parseIndicatorPlace(std::span<const std::uint8_t> bytes);
std::optional<ButtonsPlace> parseButtonsPlace(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> serializeClockPlace(const ClockPlace& place);
std::vector<std::uint8_t> serializeIndicatorPlace(const IndicatorPlace& place);
std::vector<std::uint8_t> serializeButtonsPlace(const ButtonsPlace& place);

// Everything a pictures module announces, read and checked without decoding any image.
struct PicturesCatalogue {
    // At most 19 characters, code page 1251.
    std::string displayName;
    // Picture index order; the map's N is their count.
    std::vector<std::string> pictureNames;
    // The picture of each tile, every entry below pictureNames.size().
    std::array<std::uint8_t, kMapTileCount> pictureOfTile{};
    ClockPlace clockPlace;
    IndicatorPlace indicatorPlace;
    ButtonsPlace buttonsPlace;
    bool hasBase = false;
    bool hasSound = false;
};

// What makes a file a pictures module: "IDR_PICTURES" of type "PICTURES".
bool isPicturesModule(const PeModule& module);

// The whole catalogue, or the first way the module breaks it, in words.
std::variant<PicturesCatalogue, std::string> readPicturesCatalogue(const PeModule& module);

} // namespace tessalo

#pragma once

#include "skin/pictures_module.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessalo {

// The text an author writes to describe a picture set (UTF-8; file names are relative to the
// manifest's folder and hold no blanks):
//
//   tessalo-pictures 1
//   name: Autumn
//   background: background.bmp
//   base: base.bmp                        (optional)
//   sound: ok.wav                         (optional)
//   clock: clock.bmp
//   indicator: indicator.bmp
//   digits: d0.bmp d1.bmp ... d9.bmp
//   button start: start_u.bmp start_d.bmp (also pause, help, exit: up image, then down image)
//   picture LEAF: leaf.bmp                (one line per picture, in picture-index order)
//   map: by-group                         (group g = tiles 4g..4g+3 shows picture g mod N)
//   map: 0 1 2 LEAF                       (or pictures for tiles 0, 1, 2, ..., repeated to 144)
//   tile 7: LEAF                          (overrides, by picture index or name)
//   tiles 0-3: 2
//   place clock: X Y D1 D2 D3 D4 DY
//   place indicator: X Y D1 D2 D3 DY
//   place buttons: SX SY PX PY HX HY EX EY
//   variants 2: x2                        (optional; also "variants 3:")
//
// Blank lines and lines starting with '#' are ignored.
//
// "variants 2: FOLDER" gives every image above a larger version for big screens: FOLDER (relative
// to the manifest's folder) holds a file of the same name for each image file, faces, background,
// base, clock, indicator, digits and buttons alike, at exactly twice its width and height; at 3
// three times. A set may have either, both or none; the game takes the one that suits the screen.
inline constexpr std::string_view kPicturesManifestVersionLine = "tessalo-pictures 1";

struct PicturesManifest {
    struct Picture {
        std::string name;
        std::string file;
    };

    // Code page 1251, at most 19 characters.
    std::string displayName;
    std::vector<Picture> pictures;
    std::array<std::uint8_t, kMapTileCount> pictureOfTile{};
    ClockPlace clockPlace;
    IndicatorPlace indicatorPlace;
    ButtonsPlace buttonsPlace;
    std::string background;
    std::string clock;
    std::string indicator;
    std::array<std::string, 10> digits;
    std::optional<std::string> base;
    std::optional<std::string> sound;
    // In the order of kPictureButtons, then up and down.
    std::array<std::array<std::string, 2>, 4> buttons;
    // Factor (2 or 3) and folder of each "variants" line, in factor order.
    std::vector<std::pair<int, std::string>> variantFolders;
};

struct PicturesManifestParse {
    PicturesManifest manifest;
    // Empty when the manifest is whole; else the reason, led by "line N: " where one line is at
    // fault.
    std::string error;
};

PicturesManifestParse parsePicturesManifest(std::string_view text);

// None when the text is not UTF-8 or holds a character code page 1251 cannot.
std::optional<std::string> utf8ToCp1251(std::string_view text);

} // namespace tessalo

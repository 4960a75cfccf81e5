#pragma once

#include "skin/pictures_module_builder.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tessalo {

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
};

// A complete picture set of solid-coloured images, so a test can tell by a pixel's colour what
// was drawn there.
struct TestPictureSet {
    static constexpr Rgb kBackground{0, 64, 0};
    static constexpr Rgb kBase{100, 100, 100};
    static constexpr Rgb kClockFace{50, 50, 50};
    static constexpr Rgb kIndicatorFace{60, 60, 70};
    static constexpr int kDigitWidth = 20;
    static constexpr int kDigitHeight = 40;

    // Picture i is coloured faceColour(i); tile t shows picture (t / 4) % pictureCount.
    static Rgb faceColour(int picture) {
        return {10 + 5 * picture, 200 - 3 * picture, 40 + picture};
    }
    static Rgb digitColour(int digit) { return {250 - 20 * digit, 20 * digit, 128}; }
    // Up and down image of button slot 0..3 (Start, Pause, Help, Exit).
    static Rgb buttonColour(int slot, bool down) { return {200, 40 * slot, down ? 200 : 0}; }

    // The colour of an image's larger version at `factor`, so a pixel tells which was drawn.
    static Rgb variantColour(Rgb plain, int factor) {
        return factor == 1 ? plain : Rgb{255 - plain.red, 255 - plain.green, 40 * factor};
    }

    int pictureCount = 36;
    bool withBase = true;
    bool withSound = true;
    // Every image also at these factors (2, 3), in variantColour.
    std::vector<int> variantFactors;

    PicturesModuleContent content() const;
};

// A 24-bit BMP file of one colour.
std::vector<std::uint8_t> solidBmpFile(int width, int height, Rgb colour);
// A 24-bit BMP file whose pixel (x, y), counted from the top, is `colourAt(x, y)`.
std::vector<std::uint8_t> bmpFile(int width, int height,
                                  const std::function<Rgb(int x, int y)>& colourAt);
// A short RIFF WAVE image: 8-bit mono PCM.
std::vector<std::uint8_t> testWaveImage();
std::vector<std::uint8_t> moduleBytes(const PicturesModuleContent& content);
// The module bytes after `change` has altered its resources (to damage them).
std::vector<std::uint8_t>
moduleBytesWith(const PicturesModuleContent& content,
                const std::function<void(std::vector<ModuleResource>&)>& change);
void writeModuleFile(const std::filesystem::path& path, const PicturesModuleContent& content);

} // namespace tessalo

namespace tessalo {

// The same set compiled by the GNU toolchain (windres and ld of MinGW), leaving out the resources
// named in `omit`. None when the toolchain is missing or fails.
std::optional<std::vector<std::uint8_t>>
windresModuleBytes(const std::filesystem::path& folder, const PicturesModuleContent& content,
                   const std::vector<std::string>& omit = {});

} // namespace tessalo

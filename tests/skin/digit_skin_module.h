#pragma once

#include "platform/pe_module.h"
#include "platform/pe_writer.h"
#include "skin/asc_encoder.h"
#include "skin/pictures_module_builder.h"
#include "tests/skin/bmp_builder.h"

#include <QImage>
#include <QRgb>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tessalo {

// A picture set for the clock and the indicator whose every image is one solid colour, so a pixel
// of a drawn window tells which image lies there.
namespace digit_skin {

inline constexpr QRgb kClockFace = 0x405060;
inline constexpr QRgb kIndicatorFace = 0x604050;
inline constexpr std::array<QRgb, 10> kDigitColours = {
    0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF,
    0xFF00FF, 0x800000, 0x008000, 0x000080, 0x808000,
};
inline constexpr int kDigitWidth = 12;
inline constexpr int kDigitHeight = 6;

// A 24-bit BMP file of one colour, compressed as an "ASCBITMAP" resource.
inline std::vector<std::uint8_t> solidAscBitmap(int width, int height, QRgb colour) {
    TestBmp bmp;
    bmp.width = width;
    bmp.height = height;
    bmp.bitCount = 24;
    const int stride = (width * 3 + 3) / 4 * 4;
    for (int row = 0; row < height; ++row) {
        for (int x = 0; x < width; ++x) {
            bmp.bits.insert(bmp.bits.end(), {static_cast<std::uint8_t>(qBlue(colour)),
                                             static_cast<std::uint8_t>(qGreen(colour)),
                                             static_cast<std::uint8_t>(qRed(colour))});
        }
        bmp.bits.resize(bmp.bits.size() + static_cast<std::size_t>(stride - width * 3), 0);
    }
    return encodeAsc(bmp.file());
}

// Clock 112 × 48 at (100, 50) of the play area, digits at x = 5, 31, 65, 91 and y = 1; indicator
// 78 × 48 at (-20, -7), digits at x = 5, 31, 57 and y = 1.
inline std::vector<ModuleResource> resources() {
    PicturesModuleContent content;
    content.pictures = {{"IDB_TILE", solidAscBitmap(2, 2, 0)}};
    content.clockPlace = {100, 50, {5, 31, 65, 91}, 1};
    content.indicatorPlace = {-20, -7, {5, 31, 57}, 1};
    content.clock = solidAscBitmap(112, 48, kClockFace);
    content.indicator = solidAscBitmap(78, 48, kIndicatorFace);
    for (int digit = 0; digit <= 9; ++digit)
        content.digits[digit] = solidAscBitmap(kDigitWidth, kDigitHeight, kDigitColours[digit]);
    auto built = picturesModuleResources(content);
    if (auto* error = std::get_if<std::string>(&built))
        ADD_FAILURE() << *error;
    return std::get<std::vector<ModuleResource>>(std::move(built));
}

inline PeModule moduleOf(std::span<const ModuleResource> resources) {
    auto bytes = std::get<std::vector<std::uint8_t>>(writeResourceModule(resources));
    return std::get<PeModule>(PeModule::parse(std::move(bytes)));
}

inline void remove(std::vector<ModuleResource>& resources, std::string_view name) {
    std::erase_if(resources, [&](const ModuleResource& r) { return r.name.name() == name; });
}

inline void replace(std::vector<ModuleResource>& resources, std::string_view name,
                    std::vector<std::uint8_t> bytes) {
    for (auto& resource : resources) {
        if (resource.name.name() == name)
            resource.bytes = std::move(bytes);
    }
}

// The digit whose colour lies at `point` of `image`, '?' for anything else.
inline char digitAt(const QImage& image, QPoint point) {
    const QRgb colour = image.pixel(point) & 0xFFFFFF;
    const auto found = std::find(kDigitColours.begin(), kDigitColours.end(), colour);
    return found == kDigitColours.end() ? '?'
                                        : static_cast<char>('0' + (found - kDigitColours.begin()));
}

} // namespace digit_skin
} // namespace tessalo

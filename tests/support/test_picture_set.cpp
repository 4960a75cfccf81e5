#include "tests/support/test_picture_set.h"

#include "platform/byte_writer.h"
#include "platform/pe_writer.h"
#include "skin/asc_encoder.h"
#include "tests/platform/pe_test_support.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>
#include <string>
#include <variant>

namespace tessalo {

namespace {

std::vector<std::uint8_t> solidAsc(int width, int height, Rgb colour) {
    return encodeAsc(solidBmpFile(width, height, colour), {.greedyParse = true});
}

std::vector<std::uint8_t> withoutFileHeader(std::vector<std::uint8_t> file) {
    file.erase(file.begin(), file.begin() + 14);
    return file;
}

} // namespace

std::vector<std::uint8_t> solidBmpFile(int width, int height, Rgb colour) {
    return bmpFile(width, height, [colour](int, int) { return colour; });
}

std::vector<std::uint8_t> bmpFile(int width, int height,
                                  const std::function<Rgb(int x, int y)>& colourAt) {
    const std::uint32_t stride = std::uint32_t(width * 3 + 3) / 4 * 4;
    const std::uint32_t bitsSize = stride * std::uint32_t(height);
    ByteWriter bmp;
    bmp.u8('B');
    bmp.u8('M');
    bmp.u32(54 + bitsSize);
    bmp.u32(0);
    bmp.u32(54);
    bmp.u32(40);
    bmp.i32(width);
    bmp.i32(height);
    bmp.u16(1);
    bmp.u16(24);
    bmp.u32(0);
    bmp.u32(bitsSize);
    bmp.u32(2835);
    bmp.u32(2835);
    bmp.u32(0);
    bmp.u32(0);
    for (int row = 0; row < height; ++row) {
        for (int x = 0; x < width; ++x) {
            // Rows are stored bottom-up.
            const Rgb colour = colourAt(x, height - 1 - row);
            bmp.u8(std::uint8_t(colour.blue));
            bmp.u8(std::uint8_t(colour.green));
            bmp.u8(std::uint8_t(colour.red));
        }
        for (std::uint32_t pad = std::uint32_t(width * 3); pad < stride; ++pad)
            bmp.u8(0);
    }
    return bmp.take();
}

std::vector<std::uint8_t> testWaveImage() {
    ByteWriter wave;
    const std::uint32_t samples = 64;
    for (char c : std::string("RIFF"))
        wave.u8(std::uint8_t(c));
    wave.u32(36 + samples);
    for (char c : std::string("WAVEfmt "))
        wave.u8(std::uint8_t(c));
    wave.u32(16);
    wave.u16(1);
    wave.u16(1);
    wave.u32(8000);
    wave.u32(8000);
    wave.u16(1);
    wave.u16(8);
    for (char c : std::string("data"))
        wave.u8(std::uint8_t(c));
    wave.u32(samples);
    for (std::uint32_t i = 0; i < samples; ++i)
        wave.u8(std::uint8_t(128 + (i % 8) * 8));
    return wave.take();
}

PicturesModuleContent TestPictureSet::content() const {
    PicturesModuleContent content;
    content.displayName = "Test colours";
    const int faceWidth = withBase ? 45 : 52;
    const int faceHeight = withBase ? 70 : 77;
    for (int i = 0; i < pictureCount; ++i)
        content.pictures.push_back(
            {"PIC_" + std::to_string(i), solidAsc(faceWidth, faceHeight, faceColour(i))});
    for (std::size_t tile = 0; tile < kMapTileCount; ++tile)
        content.pictureOfTile[tile] =
            std::uint8_t(pictureCount == 0 ? 0 : int(tile / 4) % pictureCount);
    content.clockPlace = {688, 0, {{2, 28, 62, 88}}, 4};
    content.indicatorPlace = {722, 552, {{2, 28, 54}}, 4};
    content.buttonsPlace = {{{{10, 560}, {80, 560}, {150, 560}, {220, 560}}}};
    content.background = solidAsc(800, 600, kBackground);
    content.clock = solidAsc(112, 48, kClockFace);
    content.indicator = solidAsc(78, 48, kIndicatorFace);
    for (int digit = 0; digit <= 9; ++digit)
        content.digits[std::size_t(digit)] =
            solidAsc(kDigitWidth, kDigitHeight, digitColour(digit));
    if (withBase)
        content.base = solidAsc(52, 77, kBase);
    if (withSound)
        content.sound = testWaveImage();
    for (int slot = 0; slot < 4; ++slot) {
        for (int down = 0; down < 2; ++down)
            content.buttonBitmaps[std::size_t(slot)][std::size_t(down)] =
                withoutFileHeader(solidBmpFile(60, 30, buttonColour(slot, down != 0)));
    }
    for (const int factor : variantFactors) {
        auto add = [&](const std::string& name, int width, int height, Rgb colour) {
            content.variants.push_back(
                {name, factor,
                 solidAsc(factor * width, factor * height, variantColour(colour, factor))});
        };
        for (int i = 0; i < pictureCount; ++i)
            add("PIC_" + std::to_string(i), faceWidth, faceHeight, faceColour(i));
        add(kBackgroundName, 800, 600, kBackground);
        add(kClockName, 112, 48, kClockFace);
        add(kIndicatorName, 78, 48, kIndicatorFace);
        for (int digit = 0; digit <= 9; ++digit)
            add(digitBitmapName(digit), kDigitWidth, kDigitHeight, digitColour(digit));
        if (withBase)
            add(kBaseName, 52, 77, kBase);
        for (std::size_t slot = 0; slot < kPictureButtons.size(); ++slot) {
            for (int down = 0; down < 2; ++down)
                content.variants.push_back(
                    {buttonBitmapName(kPictureButtons[slot], down != 0), factor,
                     withoutFileHeader(
                         solidBmpFile(factor * 60, factor * 30,
                                      variantColour(buttonColour(int(slot), down != 0), factor)))});
        }
    }
    return content;
}

std::vector<std::uint8_t> moduleBytes(const PicturesModuleContent& content) {
    return moduleBytesWith(content, [](std::vector<ModuleResource>&) {});
}

std::vector<std::uint8_t>
moduleBytesWith(const PicturesModuleContent& content,
                const std::function<void(std::vector<ModuleResource>&)>& change) {
    auto resources = picturesModuleResources(content);
    if (auto* error = std::get_if<std::string>(&resources))
        throw std::runtime_error(*error);
    change(std::get<std::vector<ModuleResource>>(resources));
    auto bytes = writeResourceModule(std::get<std::vector<ModuleResource>>(resources));
    if (auto* error = std::get_if<std::string>(&bytes))
        throw std::runtime_error(*error);
    return std::get<std::vector<std::uint8_t>>(std::move(bytes));
}

void writeModuleFile(const std::filesystem::path& path, const PicturesModuleContent& content) {
    const auto bytes = moduleBytes(content);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

} // namespace tessalo

namespace tessalo {

std::optional<std::vector<std::uint8_t>> windresModuleBytes(const std::filesystem::path& folder,
                                                            const PicturesModuleContent& content,
                                                            const std::vector<std::string>& omit) {
    if (!test::haveProgram("i686-w64-mingw32-windres"))
        return std::nullopt;
    auto listed = picturesModuleResources(content);
    if (std::holds_alternative<std::string>(listed))
        return std::nullopt;
    std::string rc = "STRINGTABLE\n{\n 1, \"" + content.displayName + "\"\n}\n";
    int fileNumber = 0;
    for (const auto& resource : std::get<std::vector<ModuleResource>>(listed)) {
        if (resource.type == ResourceId(kRtString))
            continue;
        const std::string name = resource.name.text();
        if (std::find(omit.begin(), omit.end(), name) != omit.end())
            continue;
        const std::string file = "r" + std::to_string(fileNumber++) + ".bin";
        std::vector<std::uint8_t> bytes = resource.bytes;
        std::string type = resource.type.text();
        if (resource.type == ResourceId(kRtBitmap)) {
            // The compiler takes a whole BMP file and stores it without its file header.
            std::vector<std::uint8_t> header = {'B', 'M'};
            const std::uint32_t size = std::uint32_t(14 + bytes.size());
            const std::uint32_t bitsAt = 14 + 40;
            for (int shift = 0; shift < 32; shift += 8)
                header.push_back(std::uint8_t(size >> shift));
            header.insert(header.end(), {0, 0, 0, 0});
            for (int shift = 0; shift < 32; shift += 8)
                header.push_back(std::uint8_t(bitsAt >> shift));
            bytes.insert(bytes.begin(), header.begin(), header.end());
            type = "BITMAP";
        }
        test::writeFile(folder / file, bytes);
        rc += name + " " + type + " \"" + file + "\"\n";
    }
    return test::buildWithWindres("i686", folder, rc);
}

} // namespace tessalo

#include "platform/pe_module.h"
#include "skin/asc_decoder.h"
#include "skin/bmp_image.h"
#include "skin/pictures_module.h"

#include <gtest/gtest.h>

#include <string>

namespace tessalo {
namespace {

struct Size {
    int width, height;
    friend bool operator==(const Size&, const Size&) = default;
};

Size sizeOf(const std::optional<BmpImage>& image) {
    return image ? Size{image->width, image->height} : Size{0, 0};
}

Size ascSize(const PeModule& module, const std::string& name) {
    const auto bytes = module.findResource(kAscBitmapType, name);
    if (!bytes)
        return {0, 0};
    const auto decoded = decodeAsc(*bytes);
    return decoded ? sizeOf(parseBmp(*decoded)) : Size{0, 0};
}

// The modules the build put into the program folder, read back as the game reads them.
class BuiltSet : public testing::TestWithParam<const char*> {};

TEST_P(BuiltSet, EveryImageDecodesToTheSizeItsWindowNeeds) {
    auto opened = PeModule::open(std::string(TESSALO_PROGRAM_DIR "/") + GetParam());
    ASSERT_TRUE(std::holds_alternative<PeModule>(opened)) << std::get<std::string>(opened);
    const PeModule& module = std::get<PeModule>(opened);
    auto read = readPicturesCatalogue(module);
    ASSERT_TRUE(std::holds_alternative<PicturesCatalogue>(read)) << std::get<std::string>(read);
    const PicturesCatalogue& catalogue = std::get<PicturesCatalogue>(read);

    EXPECT_EQ(catalogue.pictureNames.size(), 42u);
    EXPECT_TRUE(catalogue.hasSound);
    const Size face = catalogue.hasBase ? Size{45, 70} : Size{52, 77};
    for (const std::string& name : catalogue.pictureNames) {
        EXPECT_EQ(ascSize(module, name), face) << name;
    }
    if (catalogue.hasBase) {
        EXPECT_EQ(ascSize(module, kBaseName), (Size{52, 77}));
    }
    EXPECT_EQ(ascSize(module, kBackgroundName), (Size{800, 600}));
    EXPECT_EQ(ascSize(module, kClockName), (Size{112, 48}));
    EXPECT_EQ(ascSize(module, kIndicatorName), (Size{78, 48}));
    for (int digit = 0; digit <= 9; ++digit) {
        EXPECT_EQ(ascSize(module, digitBitmapName(digit)), (Size{26, 48})) << digit;
    }
    for (PictureButton button : kPictureButtons) {
        const auto up = module.loadBitmap(buttonBitmapName(button, false));
        const auto down = module.loadBitmap(buttonBitmapName(button, true));
        ASSERT_TRUE(up && down) << buttonBitmapName(button, false);
        EXPECT_EQ(sizeOf(parseDib(*up)), sizeOf(parseDib(*down)));
        EXPECT_GT(sizeOf(parseDib(*up)).width, 0);
    }
}

// Both shipped sets are sharp on big screens: each image at 2 and 3 times its size, drawn at that
// size rather than enlarged from the plain picture.
TEST_P(BuiltSet, EveryImageHasItsLargerVersionsDrawnAtTheirSize) {
    auto opened = PeModule::open(std::string(TESSALO_PROGRAM_DIR "/") + GetParam());
    ASSERT_TRUE(std::holds_alternative<PeModule>(opened)) << std::get<std::string>(opened);
    const PeModule& module = std::get<PeModule>(opened);
    auto read = readPicturesCatalogue(module);
    ASSERT_TRUE(std::holds_alternative<PicturesCatalogue>(read));
    const PicturesCatalogue& catalogue = std::get<PicturesCatalogue>(read);

    std::vector<std::string> compressed = {kBackgroundName, kClockName, kIndicatorName};
    if (catalogue.hasBase)
        compressed.push_back(kBaseName);
    for (int digit = 0; digit <= 9; ++digit)
        compressed.push_back(digitBitmapName(digit));
    compressed.insert(compressed.end(), catalogue.pictureNames.begin(),
                      catalogue.pictureNames.end());
    for (int factor : {2, 3}) {
        for (const std::string& name : compressed) {
            const Size plain = ascSize(module, name);
            EXPECT_EQ(ascSize(module, pictureVariantName(name, factor)),
                      (Size{factor * plain.width, factor * plain.height}))
                << name << " at " << factor;
        }
        for (PictureButton button : kPictureButtons) {
            for (bool down : {false, true}) {
                const std::string name = buttonBitmapName(button, down);
                const auto plain = module.loadBitmap(name);
                const auto larger = module.loadBitmap(pictureVariantName(name, factor));
                ASSERT_TRUE(plain && larger) << name << " at " << factor;
                const Size size = sizeOf(parseDib(*plain));
                EXPECT_EQ(sizeOf(parseDib(*larger)),
                          (Size{factor * size.width, factor * size.height}))
                    << name << " at " << factor;
            }
        }
    }

    // Enlarging would give blocks of equal pixels; a drawing at twice the size has detail inside
    // them along every edge of the symbol.
    const std::string& picture = catalogue.pictureNames.front();
    const auto plain = parseBmp(*decodeAsc(*module.findResource(kAscBitmapType, picture)));
    const auto doubled =
        parseBmp(*decodeAsc(*module.findResource(kAscBitmapType, pictureVariantName(picture, 2))));
    ASSERT_TRUE(plain && doubled);
    int blocksWithDetail = 0;
    for (int y = 0; y < plain->height; ++y) {
        for (int x = 0; x < plain->width; ++x) {
            const auto pixel = [&](int dx, int dy) {
                return doubled->pixels[std::size_t((2 * y + dy) * doubled->width + 2 * x + dx)];
            };
            blocksWithDetail += pixel(0, 0) != pixel(1, 0) || pixel(0, 0) != pixel(0, 1) ||
                                pixel(0, 0) != pixel(1, 1);
        }
    }
    EXPECT_GT(blocksWithDetail, plain->width * plain->height / 20) << picture;
}

INSTANTIATE_TEST_SUITE_P(Program, BuiltSet, testing::Values("classic.tsp", "clear_view.tsp"));

} // namespace
} // namespace tessalo

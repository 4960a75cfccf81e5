#include "skin/pictures_module.h"
#include "skin/pictures_module_builder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tessalo {
namespace {

PicturesModuleContent validContent() {
    PicturesModuleContent content;
    content.displayName = "Autumn leaves";
    content.pictures = {{"leaf", {1}}, {"acorn", {2}}, {"Cone", {3}}};
    for (std::size_t tile = 0; tile < kMapTileCount; ++tile)
        content.pictureOfTile[tile] = static_cast<std::uint8_t>(tile / 4 % 3);
    content.clockPlace = {10, -20, {1, 2, 3, 4}, 5};
    content.indicatorPlace = {-300, 40, {6, 7, 8}, 9};
    content.buttonsPlace = {{{{1, 2}, {3, 4}, {-5, 6}, {7, -32768}}}};
    content.background = {4};
    content.clock = {5};
    content.indicator = {6};
    for (auto& digit : content.digits)
        digit = {7};
    content.sound = std::vector<std::uint8_t>{'R', 'I', 'F', 'F'};
    for (auto& button : content.buttonBitmaps)
        button = {{{8}, {9}}};
    return content;
}

std::vector<ModuleResource> resourcesOf(const PicturesModuleContent& content) {
    auto resources = picturesModuleResources(content);
    if (auto* error = std::get_if<std::string>(&resources))
        ADD_FAILURE() << *error;
    return std::get<std::vector<ModuleResource>>(std::move(resources));
}

PeModule moduleOf(std::span<const ModuleResource> resources) {
    auto bytes = std::get<std::vector<std::uint8_t>>(writeResourceModule(resources));
    return std::get<PeModule>(PeModule::parse(std::move(bytes)));
}

std::string errorOf(std::span<const ModuleResource> resources) {
    auto catalogue = readPicturesCatalogue(moduleOf(resources));
    return std::holds_alternative<std::string>(catalogue) ? std::get<std::string>(catalogue)
                                                          : "no error";
}

void replaceBytes(std::vector<ModuleResource>& resources, std::string_view name,
                  std::vector<std::uint8_t> bytes) {
    for (auto& resource : resources) {
        if (resource.name.name() == name)
            resource.bytes = std::move(bytes);
    }
}

void remove(std::vector<ModuleResource>& resources, std::string_view name) {
    std::erase_if(resources, [&](const ModuleResource& r) { return r.name.name() == name; });
}

TEST(PicturesModule, BuiltSet_ReadsBackWhole) {
    const auto content = validContent();
    auto read = readPicturesCatalogue(moduleOf(resourcesOf(content)));
    ASSERT_TRUE(std::holds_alternative<PicturesCatalogue>(read)) << std::get<std::string>(read);
    const auto& catalogue = std::get<PicturesCatalogue>(read);
    EXPECT_EQ(catalogue.displayName, "Autumn leaves");
    EXPECT_EQ(catalogue.pictureNames, (std::vector<std::string>{"LEAF", "ACORN", "CONE"}));
    EXPECT_EQ(catalogue.pictureOfTile, content.pictureOfTile);
    EXPECT_EQ(catalogue.clockPlace, content.clockPlace);
    EXPECT_EQ(catalogue.indicatorPlace, content.indicatorPlace);
    EXPECT_EQ(catalogue.buttonsPlace, content.buttonsPlace);
    EXPECT_FALSE(catalogue.hasBase);
    EXPECT_TRUE(catalogue.hasSound);
}

TEST(PicturesModule, PlaceRecords_AreSignedLittleEndian) {
    const std::vector<std::uint8_t> bytes = {0xFE, 0xFF, 0x00, 0x80, 1, 0, 2,   0,
                                             3,    0,    4,    0,    5, 0, 0xAA};
    const auto clock = parseClockPlace(bytes);
    ASSERT_TRUE(clock);
    EXPECT_EQ(clock->x, -2);
    EXPECT_EQ(clock->y, -32768);
    EXPECT_EQ(clock->digitX, (std::array<std::int16_t, 4>{1, 2, 3, 4}));
    EXPECT_EQ(clock->digitY, 5);
    EXPECT_FALSE(parseClockPlace(std::span(bytes).first(13)));
    EXPECT_TRUE(parseIndicatorPlace(std::span(bytes).first(12)));
    EXPECT_FALSE(parseButtonsPlace(std::span(bytes).first(15)));
}

// Each record against its byte table: every field at its own offset, so swapped fields show.
TEST(PicturesModule, PlaceRecords_FollowTheirByteTables) {
    const std::vector<std::uint8_t> buttonsBytes = {
        0x10, 0x00, 0x20, 0x00, // Start x 16, y 32
        0x30, 0x00, 0x40, 0x00, // Pause x 48, y 64
        0x50, 0x00, 0x60, 0x00, // Help x 80, y 96
        0x9C, 0xFF, 0x01, 0x02, // Exit x -100, y 513
    };
    const ButtonsPlace buttons{{{{16, 32}, {48, 64}, {80, 96}, {-100, 513}}}};
    const auto readButtons = parseButtonsPlace(buttonsBytes);
    ASSERT_TRUE(readButtons);
    EXPECT_EQ(readButtons->buttons[0], (ButtonPosition{16, 32}));
    EXPECT_EQ(readButtons->buttons[1], (ButtonPosition{48, 64}));
    EXPECT_EQ(readButtons->buttons[2], (ButtonPosition{80, 96}));
    EXPECT_EQ(readButtons->buttons[3], (ButtonPosition{-100, 513}));
    EXPECT_EQ(serializeButtonsPlace(buttons), buttonsBytes);

    const std::vector<std::uint8_t> indicatorBytes = {
        0x0A, 0x00, 0x14, 0x00, // window x 10, y 20
        0x01, 0x00, 0x02, 0x00, // hundreds x 1, tens x 2
        0x03, 0x00, 0xFB, 0xFF, // units x 3, digits y -5
    };
    const IndicatorPlace indicator{10, 20, {1, 2, 3}, -5};
    EXPECT_EQ(parseIndicatorPlace(indicatorBytes), indicator);
    EXPECT_EQ(serializeIndicatorPlace(indicator), indicatorBytes);

    const std::vector<std::uint8_t> clockBytes = {
        0xFE, 0xFF, 0x00, 0x80,             // window x -2, y -32768
        0x01, 0x00, 0x02, 0x00, 0x03, 0x00, // tens of minutes 1, minutes 2, tens of seconds 3
        0x04, 0x00, 0x05, 0x00,             // seconds 4, digits y 5
    };
    EXPECT_EQ(serializeClockPlace(ClockPlace{-2, -32768, {1, 2, 3, 4}, 5}), clockBytes);
}

TEST(PicturesModule, LongDisplayName_IsCutToNineteen) {
    auto content = validContent();
    content.displayName = "A display name of twenty-five";
    auto read = readPicturesCatalogue(moduleOf(resourcesOf(content)));
    ASSERT_TRUE(std::holds_alternative<PicturesCatalogue>(read));
    EXPECT_EQ(std::get<PicturesCatalogue>(read).displayName, "A display name of t");
}

TEST(PicturesModule, OptionalParts_MayBeAbsent) {
    auto content = validContent();
    content.sound.reset();
    content.base = std::vector<std::uint8_t>{1};
    auto read = readPicturesCatalogue(moduleOf(resourcesOf(content)));
    ASSERT_TRUE(std::holds_alternative<PicturesCatalogue>(read));
    EXPECT_TRUE(std::get<PicturesCatalogue>(read).hasBase);
    EXPECT_FALSE(std::get<PicturesCatalogue>(read).hasSound);
}

TEST(PicturesModule, PictureNamesInLowerCase_FindTheirUpperCaseImages) {
    auto resources = resourcesOf(validContent());
    replaceBytes(resources, kPictureNamesName,
                 {'l', 'e', 'a', 'f', 0, 'a', 'c', 'o', 'r', 'n', 0, 'c', 'o', 'n', 'e', 0, 'x'});
    auto read = readPicturesCatalogue(moduleOf(resources));
    ASSERT_TRUE(std::holds_alternative<PicturesCatalogue>(read)) << std::get<std::string>(read);
    EXPECT_EQ(std::get<PicturesCatalogue>(read).pictureNames,
              (std::vector<std::string>{"leaf", "acorn", "cone"}));
}

TEST(PicturesModule, BrokenCatalogue_IsRefusedWithItsReason) {
    const auto valid = resourcesOf(validContent());
    struct Case {
        const char* what;
        std::function<void(std::vector<ModuleResource>&)> damage;
        const char* reason;
    };
    const std::vector<Case> cases = {
        {"no names", [](auto& r) { remove(r, kPictureNamesName); }, "not a pictures module"},
        {"no display name",
         [](auto& r) { std::erase_if(r, [](auto& x) { return x.type == ResourceId(kRtString); }); },
         "display name"},
        {"no map", [](auto& r) { remove(r, kPicturesMapName); }, "\"IDR_PICTURES_MAP\""},
        {"short map",
         [](auto& r) { replaceBytes(r, kPicturesMapName, std::vector<std::uint8_t>(144, 0)); },
         "has 144 bytes where 145"},
        {"fewer names",
         [](auto& r) {
             replaceBytes(r, kPictureNamesName, {'L', 'E', 'A', 'F', 0, 'A'});
         },
         "fewer than the 3 names"},
        {"map entry not below N",
         [](auto& r) {
             std::vector<std::uint8_t> map(145, 0);
             map[0] = 3;
             map[1 + 143] = 3;
             replaceBytes(r, kPicturesMapName, map);
         },
         "tile 143 shows picture 3"},
        {"no pictures at all",
         [](auto& r) { replaceBytes(r, kPicturesMapName, std::vector<std::uint8_t>(145, 0)); },
         "tile 0 shows picture 0, but the set has 0"},
        {"no clock place", [](auto& r) { remove(r, kClockPlaceName); }, "\"IDR_PLACE_CLOCK\""},
        {"short buttons place",
         [](auto& r) {
             replaceBytes(r, kButtonsPlaceName, {1, 2});
         },
         "\"IDR_PLACE_BUTTONS\" has 2 bytes where 16"},
        {"no picture image", [](auto& r) { remove(r, "ACORN"); }, "ASCBITMAP resource \"ACORN\""},
        {"no digit", [](auto& r) { remove(r, "IDB_7"); }, "\"IDB_7\""},
        {"no button", [](auto& r) { remove(r, "IDB_HELP_BUTTON_D"); },
         "bitmap resource \"IDB_HELP_BUTTON_D\""},
    };
    for (const auto& c : cases) {
        auto resources = valid;
        c.damage(resources);
        EXPECT_NE(errorOf(resources).find(c.reason), std::string::npos)
            << c.what << ": " << errorOf(resources);
    }
}

TEST(PicturesModule, Builder_RefusesWhatNoModuleCouldHold) {
    auto content = validContent();
    content.pictures[2].name = "LEAF";
    EXPECT_TRUE(std::holds_alternative<std::string>(picturesModuleResources(content)));
    content = validContent();
    content.pictureOfTile[5] = 3;
    EXPECT_TRUE(std::holds_alternative<std::string>(picturesModuleResources(content)));
}

} // namespace
} // namespace tessalo

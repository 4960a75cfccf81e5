#include "tools/pictures_manifest.h"

#include <gtest/gtest.h>

namespace tessalo {
namespace {

const std::string kComplete = R"(tessalo-pictures 1
# a comment
name: Осень
background: bg.bmp
clock: clock.bmp
indicator: ind.bmp
digits: 0.bmp 1.bmp 2.bmp 3.bmp 4.bmp 5.bmp 6.bmp 7.bmp 8.bmp 9.bmp
button start: su.bmp sd.bmp
button pause: pu.bmp pd.bmp
button help: hu.bmp hd.bmp
button exit: eu.bmp ed.bmp
picture LEAF: leaf.bmp
picture ACORN: acorn.bmp
picture CONE: cone.bmp
map: by-group
tile 0: CONE
tiles 140-143: 1
place clock: 10 -20 1 2 3 4 5
place indicator: -300 40 6 7 8 9
place buttons: 1 2 3 4 -5 6 7 -32768
)";

std::string withLine(const std::string& from, const std::string& to) {
    std::string text = kComplete;
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
}

TEST(PicturesManifest, CompleteManifest_GivesEveryPart) {
    const auto parsed = parsePicturesManifest(kComplete);
    ASSERT_EQ(parsed.error, "");
    const auto& manifest = parsed.manifest;
    EXPECT_EQ(manifest.displayName, "\xCE\xF1\xE5\xED\xFC");
    ASSERT_EQ(manifest.pictures.size(), 3u);
    EXPECT_EQ(manifest.pictures[1].file, "acorn.bmp");
    EXPECT_EQ(manifest.digits[9], "9.bmp");
    EXPECT_EQ(manifest.buttons[2][1], "hd.bmp");
    EXPECT_FALSE(manifest.base);
    // By group, with the overrides on top.
    EXPECT_EQ(manifest.pictureOfTile[0], 2);
    EXPECT_EQ(manifest.pictureOfTile[1], 0);
    EXPECT_EQ(manifest.pictureOfTile[4], 1);
    EXPECT_EQ(manifest.pictureOfTile[12], 0);
    EXPECT_EQ(manifest.pictureOfTile[139], 34 % 3);
    EXPECT_EQ(manifest.pictureOfTile[143], 1);
    EXPECT_EQ(manifest.clockPlace, (ClockPlace{10, -20, {1, 2, 3, 4}, 5}));
    EXPECT_EQ(manifest.indicatorPlace, (IndicatorPlace{-300, 40, {6, 7, 8}, 9}));
    EXPECT_EQ(manifest.buttonsPlace.buttons[3], (ButtonPosition{7, -32768}));
}

TEST(PicturesManifest, ListedMap_RepeatsOverAllTiles) {
    const auto parsed = parsePicturesManifest(withLine("map: by-group", "map: 2 ACORN"));
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.manifest.pictureOfTile[1], 1);
    EXPECT_EQ(parsed.manifest.pictureOfTile[2], 2);
    EXPECT_EQ(parsed.manifest.pictureOfTile[141], 1);
}

TEST(PicturesManifest, Mistakes_AreReportedWithTheirLine) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {parsePicturesManifest("tessalo-pictures 2\n").error, "line 1: expected"},
        {parsePicturesManifest(withLine("name: Осень", "name: 日本")).error, "line 3: "},
        {parsePicturesManifest(withLine("name: Осень", "name: twenty characters long")).error,
         "1 to 19 characters"},
        {parsePicturesManifest(withLine("place clock: 10 -20 1 2 3 4 5", "place clock: 1 2")).error,
         "expected 7 numbers"},
        {parsePicturesManifest(withLine("place clock: 10 -20", "place clock: 40000 -20")).error,
         "not a number from -32768"},
        {parsePicturesManifest(withLine("tile 0: CONE", "tile 0: PINE")).error,
         "no picture \"PINE\""},
        {parsePicturesManifest(withLine("tile 0: CONE", "tiles 5-144: 0")).error,
         "within 0 to 143"},
        {parsePicturesManifest(withLine("map: by-group", "map: 0 3")).error, "no picture \"3\""},
        {parsePicturesManifest(withLine("clock: clock.bmp\n", "")).error, "missing \"clock\""},
        {parsePicturesManifest(withLine("picture CONE: cone.bmp", "picture LEAF: cone.bmp")).error,
         "given twice"},
        {parsePicturesManifest(withLine("button help:", "button helper:")).error, "unknown button"},
    };
    for (const auto& [error, expected] : cases)
        EXPECT_NE(error.find(expected), std::string::npos) << error << " / " << expected;
}

TEST(PicturesManifest, Utf8ToCp1251_RefusesWhatTheCodePageLacks) {
    EXPECT_EQ(utf8ToCp1251("Ёж №1"), "\xA8\xE6 \xB9"
                                     "1");
    EXPECT_EQ(utf8ToCp1251("\xE2\x82"), std::nullopt);
    EXPECT_EQ(utf8ToCp1251("€"), "\x88");
    EXPECT_EQ(utf8ToCp1251("ü"), std::nullopt);
}

} // namespace
} // namespace tessalo

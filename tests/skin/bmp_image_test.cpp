#include "skin/bmp_image.h"
#include "tests/skin/bmp_builder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace tessalo {
namespace {

constexpr std::uint32_t kRed = 0xFFFF0000;
constexpr std::uint32_t kGreen = 0xFF00FF00;
constexpr std::uint32_t kBlue = 0xFF0000FF;
constexpr std::uint32_t kBlack = 0xFF000000;
constexpr std::uint32_t kWhite = 0xFFFFFFFF;

// Palette entries are stored blue, green, red, reserved.
TestBmp threeColourBmp(std::uint16_t bitCount) {
    TestBmp bmp;
    bmp.bitCount = bitCount;
    bmp.coloursUsed = 3;
    bmp.palette = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0};
    return bmp;
}

TEST(ParseBmp, EightBit_RowsBottomUpWithPaddingAndColourTable) {
    TestBmp bmp = threeColourBmp(8);
    bmp.width = 3;
    bmp.height = 2;
    bmp.bits = {2, 2, 2, 0xEE, /* top row: */ 0, 1, 2, 0xEE};
    const auto image = parseBmp(bmp.file());
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->width, 3);
    EXPECT_EQ(image->height, 2);
    EXPECT_EQ(image->pixels,
              (std::vector<std::uint32_t>{kRed, kGreen, kBlue, kBlue, kBlue, kBlue}));
}

TEST(ParseBmp, NegativeHeight_MeansTopDown) {
    TestBmp bmp = threeColourBmp(8);
    bmp.width = 1;
    bmp.height = -2;
    bmp.bits = {0, 0, 0, 0, 1, 0, 0, 0};
    const auto image = parseBmp(bmp.file());
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->pixels, (std::vector<std::uint32_t>{kRed, kGreen}));
}

TEST(ParseBmp, OneAndFourBit_TakeTheHighBitsFirst) {
    TestBmp four = threeColourBmp(4);
    four.width = 3;
    four.height = 1;
    four.bits = {0x21, 0x00, 0, 0};
    EXPECT_EQ(parseBmp(four.file())->pixels, (std::vector<std::uint32_t>{kBlue, kGreen, kRed}));

    TestBmp one;
    one.bitCount = 1;
    one.palette = {0, 0, 0, 0, 255, 255, 255, 0}; // colours used 0: the full two entries
    one.width = 10;
    one.height = 1;
    one.bits = {0xA0, 0x40, 0, 0};
    const std::vector<std::uint32_t> expected = {kWhite, kBlack, kWhite, kBlack, kBlack,
                                                 kBlack, kBlack, kBlack, kBlack, kWhite};
    EXPECT_EQ(parseBmp(one.file())->pixels, expected);
}

TEST(ParseBmp, IndexBeyondTheColourTable_ShowsBlack) {
    TestBmp bmp = threeColourBmp(8);
    bmp.width = 2;
    bmp.height = 1;
    bmp.bits = {1, 200, 0, 0};
    EXPECT_EQ(parseBmp(bmp.file())->pixels, (std::vector<std::uint32_t>{kGreen, kBlack}));
}

TEST(ParseBmp, TrueColour_24And32And16Bit) {
    TestBmp rgb;
    rgb.bitCount = 24;
    rgb.width = 2;
    rgb.height = 2;
    rgb.bits = {255, 0, 0, 0, 255, 0, 0, 0, /* top: */ 0, 0, 255, 10, 20, 30, 0, 0};
    EXPECT_EQ(parseBmp(rgb.file())->pixels,
              (std::vector<std::uint32_t>{kRed, 0xFF1E140A, kBlue, kGreen}));

    TestBmp rgbx;
    rgbx.bitCount = 32;
    rgbx.width = 1;
    rgbx.height = 1;
    rgbx.bits = {1, 2, 3, 0};
    EXPECT_EQ(parseBmp(rgbx.file())->pixels, std::vector<std::uint32_t>{0xFF030201});

    TestBmp high;
    high.bitCount = 16;
    high.width = 2;
    high.height = 1;
    high.bits = {0x00, 0x7C, 0xFF, 0x7F}; // pure red, white
    EXPECT_EQ(parseBmp(high.file())->pixels, (std::vector<std::uint32_t>{kRed, kWhite}));
}

TEST(ParseBmp, CoreHeader_UsesThreeByteColourEntries) {
    TestBmp core;
    core.headerSize = 12;
    core.bitCount = 1;
    core.width = 2;
    core.height = 1;
    core.palette = {255, 0, 0, 0, 0, 255};
    core.bits = {0x40, 0, 0, 0};
    EXPECT_EQ(parseBmp(core.file())->pixels, (std::vector<std::uint32_t>{kBlue, kRed}));
}

TEST(ParseDib, PixelBitsFollowTheColourTable) {
    TestBmp bmp = threeColourBmp(8);
    bmp.width = 2;
    bmp.height = 1;
    bmp.bits = {2, 0, 0, 0};
    EXPECT_EQ(parseDib(bmp.dib())->pixels, (std::vector<std::uint32_t>{kBlue, kRed}));
}

TEST(ParseBmp, GeneratedPicture_MatchesItsPalette) {
    const TestBmp bmp = makeBmp8(45, 70, 1);
    const auto image = parseBmp(bmp.file());
    ASSERT_TRUE(image.has_value());
    const int stride = 48;
    for (int y = 0; y < 70; y += 13) {
        for (int x = 0; x < 45; x += 11) {
            const std::uint8_t index = bmp.bits[(69 - y) * stride + x];
            const std::uint8_t* entry = &bmp.palette[index * 4];
            const std::uint32_t expected = 0xFF000000u | entry[2] << 16 | entry[1] << 8 | entry[0];
            EXPECT_EQ(image->pixels[y * 45 + x], expected) << x << "," << y;
        }
    }
}

TEST(ParseBmp, ImagesThatLie_YieldNone) {
    TestBmp good = threeColourBmp(8);
    good.width = 3;
    good.height = 2;
    good.bits = {0, 1, 2, 0, 0, 1, 2, 0};
    ASSERT_TRUE(parseBmp(good.file()).has_value());

    auto file = good.file();
    file.pop_back(); // only the last row's padding missing: still whole
    EXPECT_TRUE(parseBmp(file).has_value());
    file.pop_back(); // a pixel missing
    EXPECT_FALSE(parseBmp(file).has_value());

    file = good.file();
    file[10] = static_cast<std::uint8_t>(file.size() - 3); // pixel offset too late
    EXPECT_FALSE(parseBmp(file).has_value());
    file[10] = 0xFF; // past the end
    EXPECT_FALSE(parseBmp(file).has_value());

    const auto broken = [&](auto change) {
        TestBmp bmp = good;
        change(bmp);
        return !parseBmp(bmp.file()).has_value() && !parseDib(bmp.dib()).has_value();
    };
    EXPECT_TRUE(broken([](TestBmp& b) { b.width = 0; }));
    EXPECT_TRUE(broken([](TestBmp& b) { b.height = 0; }));
    EXPECT_TRUE(broken([](TestBmp& b) { b.width = -3; }));
    EXPECT_TRUE(broken([](TestBmp& b) { b.width = 30000, b.height = 30000; }));
    EXPECT_TRUE(broken([](TestBmp& b) { b.height = INT32_MIN; }));
    EXPECT_TRUE(broken([](TestBmp& b) { b.compression = 1; })); // run-length coded
    EXPECT_TRUE(broken([](TestBmp& b) { b.bitCount = 2; }));
    EXPECT_TRUE(broken([](TestBmp& b) { b.coloursUsed = 257; }));
    EXPECT_TRUE(broken([](TestBmp& b) { b.coloursUsed = 200; })); // table past the end
    EXPECT_TRUE(broken([](TestBmp& b) { b.headerSize = 20; }));
    EXPECT_FALSE(parseBmp(std::vector<std::uint8_t>(13, 0)).has_value());
}

#ifdef TESSALO_IMAGEMAGICK_SAMPLES
std::vector<std::uint8_t> sample(const std::string& name) {
    std::ifstream in(std::string(TESSALO_IMAGEMAGICK_SAMPLES) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(ParseBmp, FilesOfAnotherWriter_ShowTheirPixels) {
    // A red field with a blue top-left and a green bottom-right pixel, in three encodings.
    for (const char* name : {"palette.bmp", "true_colour.bmp", "core.bmp"}) {
        const auto image = parseBmp(sample(name));
        ASSERT_TRUE(image.has_value()) << name;
        ASSERT_EQ(image->width, 5);
        ASSERT_EQ(image->height, 3);
        EXPECT_EQ(image->pixels[0], kBlue) << name;
        EXPECT_EQ(image->pixels[1], kRed) << name;
        EXPECT_EQ(image->pixels[14], kGreen) << name;
    }
    const auto grey = parseBmp(sample("grey.bmp"));
    ASSERT_TRUE(grey.has_value());
    ASSERT_EQ(grey->height, 40);
    EXPECT_EQ(grey->pixels.front(), kBlack);
    EXPECT_EQ(grey->pixels.back(), kWhite);
    for (int y = 1; y < 40; ++y)
        EXPECT_GE(grey->pixels[y] & 0xFF, grey->pixels[y - 1] & 0xFF);
}
#endif

} // namespace
} // namespace tessalo

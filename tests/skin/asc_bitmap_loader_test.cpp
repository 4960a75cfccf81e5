#include "skin/asc_bitmap_loader.h"

#include "platform/byte_writer.h"
#include "platform/pe_writer.h"
#include "skin/asc_encoder.h"

#include <gtest/gtest.h>

namespace tessalo {
namespace {

// A 3 × 2 BMP with a four-colour table; rows are stored bottom-up, padded to four bytes.
std::vector<std::uint8_t> smallPalettedBmp() {
    const std::uint32_t palette[] = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    const std::uint8_t bottomRow[] = {3, 2, 1, 0};
    const std::uint8_t topRow[] = {1, 1, 0, 0};
    ByteWriter bmp;
    const std::uint32_t bitsOffset = 14 + 40 + 4 * 4;
    bmp.u8('B');
    bmp.u8('M');
    bmp.u32(bitsOffset + 8);
    bmp.u32(0);
    bmp.u32(bitsOffset);
    bmp.u32(40);
    bmp.i32(3);
    bmp.i32(2);
    bmp.u16(1);
    bmp.u16(8);
    bmp.u32(0);
    bmp.u32(8);
    bmp.u32(0);
    bmp.u32(0);
    bmp.u32(4);
    bmp.u32(0);
    for (std::uint32_t colour : palette)
        bmp.u32(colour);
    bmp.bytes(bottomRow);
    bmp.bytes(topRow);
    return bmp.take();
}

PeModule moduleWith(std::vector<ModuleResource> resources) {
    auto written = writeResourceModule(resources);
    auto parsed = PeModule::parse(std::get<std::vector<std::uint8_t>>(written));
    return std::move(std::get<PeModule>(parsed));
}

void expectSmallPicture(const QImage& image) {
    ASSERT_EQ(image.width(), 3);
    ASSERT_EQ(image.height(), 2);
    EXPECT_EQ(image.pixel(0, 0), 0xFFFF0000u); // top row, from the last row stored
    EXPECT_EQ(image.pixel(1, 0), 0xFFFF0000u);
    EXPECT_EQ(image.pixel(2, 0), 0xFF000000u);
    EXPECT_EQ(image.pixel(0, 1), 0xFF0000FFu);
    EXPECT_EQ(image.pixel(1, 1), 0xFF00FF00u);
    EXPECT_EQ(image.pixel(2, 1), 0xFFFF0000u);
}

TEST(AscBitmapLoader, CompressedAndPlainBitmaps_GiveTheSamePixels) {
    const auto bmp = smallPalettedBmp();
    const std::vector<std::uint8_t> dib(bmp.begin() + 14, bmp.end());
    const PeModule module = moduleWith({
        {ResourceId("ASCBITMAP"), ResourceId("IDB_SMALL"), 0, encodeAsc(bmp)},
        {ResourceId(kRtBitmap), ResourceId("IDB_PLAIN"), 0, dib},
    });
    const auto compressed = loadAscBitmap(module, "idb_small"); // found as the platform finds it
    ASSERT_TRUE(compressed);
    expectSmallPicture(*compressed);
    const auto plain = loadBitmap(module, "IDB_PLAIN");
    ASSERT_TRUE(plain);
    expectSmallPicture(*plain);
}

TEST(AscBitmapLoader, MissingOrDamagedResources_GiveNone) {
    const auto bmp = smallPalettedBmp();
    auto damaged = encodeAsc(bmp);
    damaged.resize(damaged.size() / 2);
    auto lying = bmp;
    lying[22] = 200; // the height now runs past the pixel bits
    const PeModule module = moduleWith({
        {ResourceId("ASCBITMAP"), ResourceId("IDB_CUT"), 0, damaged},
        {ResourceId("ASCBITMAP"), ResourceId("IDB_LIES"), 0, encodeAsc(lying)},
    });
    EXPECT_FALSE(loadAscBitmap(module, "IDB_MISSING"));
    EXPECT_FALSE(loadAscBitmap(module, "IDB_CUT"));
    EXPECT_FALSE(loadAscBitmap(module, "IDB_LIES"));
    EXPECT_FALSE(loadBitmap(module, "IDB_CUT"));
}

} // namespace
} // namespace tessalo

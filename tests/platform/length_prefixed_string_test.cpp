#include "platform/length_prefixed_string.h"

#include <gtest/gtest.h>

#include <vector>

namespace tessalo {
namespace {

std::vector<std::uint8_t> written(std::size_t length) {
    ByteWriter writer;
    writeLengthPrefixedString(writer, std::string(length, 'x'));
    return writer.take();
}

std::vector<std::uint8_t> prefixOf(const std::vector<std::uint8_t>& bytes, std::size_t size) {
    return {bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size)};
}

TEST(LengthPrefixedString, Write_PrefixGrowsAtTheBoundaries) {
    EXPECT_EQ(prefixOf(written(254), 1), (std::vector<std::uint8_t>{0xFE}));
    EXPECT_EQ(prefixOf(written(255), 3), (std::vector<std::uint8_t>{0xFF, 0xFF, 0x00}));
    EXPECT_EQ(prefixOf(written(300), 3), (std::vector<std::uint8_t>{0xFF, 0x2C, 0x01}));
    EXPECT_EQ(prefixOf(written(65533), 3), (std::vector<std::uint8_t>{0xFF, 0xFD, 0xFF}));
    EXPECT_EQ(prefixOf(written(65534), 7),
              (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}));
    EXPECT_EQ(written(65534).size(), 65534u + 7);
}

TEST(LengthPrefixedString, RoundTrip_EveryPrefixForm) {
    for (std::size_t length : {0u, 1u, 254u, 255u, 65533u, 65534u, 70000u}) {
        const std::string text(length, 'a');
        ByteWriter writer;
        writeLengthPrefixedString(writer, text);
        writeLengthPrefixedString(writer, "tail");
        ByteReader reader(writer.data());
        EXPECT_EQ(readLengthPrefixedString(reader), text) << length;
        EXPECT_EQ(readLengthPrefixedString(reader), "tail") << length;
        EXPECT_TRUE(reader.ok() && reader.atEnd()) << length;
    }
}

TEST(LengthPrefixedString, Read_Utf16FormIsConvertedToTheCodePage) {
    // 0xFF 0xFFFE marks UTF-16; then 3 units: "Аб" in Cyrillic and '!'.
    const std::vector<std::uint8_t> bytes = {0xFF, 0xFE, 0xFF, 0x03, 0x10,
                                             0x04, 0x31, 0x04, 0x21, 0x00};
    ByteReader reader(bytes);
    EXPECT_EQ(readLengthPrefixedString(reader), "\xC0\xE1!");
    EXPECT_TRUE(reader.ok() && reader.atEnd());
}

TEST(LengthPrefixedString, Read_TruncatedOrOversizedInput_Fails) {
    const std::vector<std::vector<std::uint8_t>> damaged = {
        {},
        {0x05, 'a', 'b'},
        {0xFF, 0x10},
        {0xFF, 0xFF, 0xFF, 0x00},
        // Four gigabytes announced by a few bytes: must fail without trying to allocate them.
        {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'a'},
        {0xFF, 0xFE, 0xFF, 0x02, 0x41, 0x00, 0x42},
        {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x41, 0x00},
        {0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF, 0x01, 0x41, 0x00},
    };
    for (const auto& bytes : damaged) {
        ByteReader reader(bytes);
        EXPECT_EQ(readLengthPrefixedString(reader), "");
        EXPECT_FALSE(reader.ok()) << bytes.size();
    }
}

} // namespace
} // namespace tessalo

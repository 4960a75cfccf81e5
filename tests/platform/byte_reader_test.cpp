#include "platform/byte_reader.h"
#include "platform/byte_writer.h"
#include "platform/code_page_1251.h"

#include <gtest/gtest.h>

#include <vector>

namespace tessalo {
namespace {

TEST(ByteReader, ReadsLittleEndianAndFailsStickilyPastTheEnd) {
    const std::vector<std::uint8_t> bytes = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07};
    ByteReader reader(bytes);
    EXPECT_EQ(reader.u16(), 0x0201);
    EXPECT_EQ(reader.u32(), 0x06050403u);
    EXPECT_TRUE(reader.ok());
    EXPECT_EQ(reader.u16(), 0); // only one byte left
    EXPECT_FALSE(reader.ok());
    EXPECT_EQ(reader.u8(), 0); // the failure stays
    EXPECT_FALSE(reader.ok());
}

TEST(ByteReader, HugeRequest_FailsWithoutWrapping) {
    const std::vector<std::uint8_t> bytes = {1, 2, 3};
    ByteReader reader(bytes);
    reader.u8();
    EXPECT_TRUE(reader.bytes(SIZE_MAX).empty());
    EXPECT_FALSE(reader.ok());
}

TEST(CountPrefix, ShortAndLongFormsRoundTrip) {
    for (std::uint32_t count : {0u, 3u, 65534u, 65535u, 70000u}) {
        ByteWriter writer;
        writer.countPrefix(count);
        EXPECT_EQ(writer.data().size(), count < 0xFFFF ? 2u : 6u) << count;
        ByteReader reader(writer.data());
        EXPECT_EQ(reader.countPrefix(), count);
        EXPECT_TRUE(reader.ok() && reader.atEnd());
    }
    ByteWriter writer;
    writer.countPrefix(65535);
    EXPECT_EQ(writer.data(), (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}));
}

TEST(CodePage1251, ConvertsCyrillicBothWaysAndReplacesTheRest) {
    const std::u16string text = u"Раскладка ё №";
    const std::string bytes = utf16ToCp1251(text);
    EXPECT_EQ(bytes, "\xD0\xE0\xF1\xEA\xEB\xE0\xE4\xEA\xE0 \xB8 \xB9");
    EXPECT_EQ(cp1251ToUtf16(bytes), text);
    EXPECT_EQ(utf16ToCp1251(u"\u4E2D"), "?");
    EXPECT_EQ(cp1251ToUtf8("\xC0\xFF"), "\xD0\x90\xD1\x8F");
}

} // namespace
} // namespace tessalo

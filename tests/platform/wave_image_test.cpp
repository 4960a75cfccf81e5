#include "platform/wave_image.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace tessalo {
namespace {

// Sound images are typed here field by field; the expected offsets are counted by hand.
class Image {
  public:
    Image& text(std::string_view id) {
        bytes.insert(bytes.end(), id.begin(), id.end());
        return *this;
    }
    Image& u16(std::uint16_t v) { return raw({std::uint8_t(v), std::uint8_t(v >> 8)}); }
    Image& u32(std::uint32_t v) {
        return raw(
            {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)});
    }
    Image& raw(std::initializer_list<std::uint8_t> values) {
        bytes.insert(bytes.end(), values);
        return *this;
    }
    // "fmt " with the 16 bytes of a PCM format.
    Image& fmt(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t align,
               std::uint16_t bits) {
        return text("fmt ")
            .u32(16)
            .u16(tag)
            .u16(channels)
            .u32(rate)
            .u32(rate * align)
            .u16(align)
            .u16(bits);
    }

    std::vector<std::uint8_t> bytes;
};

// The RIFF header with a size that covers everything after its first eight bytes.
std::vector<std::uint8_t> riff(const Image& body) {
    Image image;
    image.text("RIFF").u32(static_cast<std::uint32_t>(4 + body.bytes.size())).text("WAVE");
    image.bytes.insert(image.bytes.end(), body.bytes.begin(), body.bytes.end());
    return image.bytes;
}

WaveImage parsed(const std::vector<std::uint8_t>& image) {
    auto result = parseWaveImage(image);
    if (const auto* reason = std::get_if<std::string>(&result)) {
        ADD_FAILURE() << *reason;
        return {};
    }
    return std::get<WaveImage>(result);
}

bool refused(const std::vector<std::uint8_t>& image) {
    const auto result = parseWaveImage(image);
    const auto* reason = std::get_if<std::string>(&result);
    return reason && !reason->empty();
}

TEST(WaveImage, PlainFilesGiveTheirFormatAndSamples) {
    const auto mono8 = parsed(riff(
        Image().fmt(1, 1, 11025, 1, 8).text("data").u32(5).raw({0x80, 0x90, 0xA0, 0x90, 0x80})));
    EXPECT_EQ(mono8.format.formatTag, 1);
    EXPECT_EQ(mono8.format.channels, 1);
    EXPECT_EQ(mono8.format.sampleRate, 11025u);
    EXPECT_EQ(mono8.format.blockAlign, 1);
    EXPECT_EQ(mono8.format.bitsPerSample, 8);
    EXPECT_EQ(mono8.dataOffset, 44u);
    EXPECT_EQ(mono8.dataSize, 5u);

    const auto stereo16 = parsed(
        riff(Image().fmt(1, 2, 44100, 4, 16).text("data").u32(8).raw({1, 0, 2, 0, 3, 0, 4, 0})));
    EXPECT_EQ(stereo16.format.channels, 2);
    EXPECT_EQ(stereo16.format.sampleRate, 44100u);
    EXPECT_EQ(stereo16.format.blockAlign, 4);
    EXPECT_EQ(stereo16.format.bitsPerSample, 16);
    EXPECT_EQ(stereo16.dataOffset, 44u);
    EXPECT_EQ(stereo16.dataSize, 8u);
}

TEST(WaveImage, OtherChunksAreSkippedWithTheirPadding) {
    // 12 header + 24 fmt + 12 LIST + 8 data header.
    const auto listed = parsed(riff(Image()
                                        .fmt(1, 1, 8000, 1, 8)
                                        .text("LIST")
                                        .u32(4)
                                        .text("INFO")
                                        .text("data")
                                        .u32(2)
                                        .raw({1, 2})));
    EXPECT_EQ(listed.dataOffset, 56u);
    EXPECT_EQ(listed.dataSize, 2u);

    // A 3-byte chunk takes 4 bytes: 12 + 24 + 8 + 3 + 1 pad + 8.
    const auto padded = parsed(riff(Image()
                                        .fmt(1, 1, 8000, 1, 8)
                                        .text("junk")
                                        .u32(3)
                                        .raw({7, 7, 7, 0})
                                        .text("data")
                                        .u32(2)
                                        .raw({1, 2})));
    EXPECT_EQ(padded.dataOffset, 56u);

    // Samples first, format after them.
    const auto dataFirst =
        parsed(riff(Image().text("data").u32(3).raw({1, 2, 3, 0}).fmt(1, 1, 22050, 1, 8)));
    EXPECT_EQ(dataFirst.dataOffset, 20u);
    EXPECT_EQ(dataFirst.dataSize, 3u);
    EXPECT_EQ(dataFirst.format.sampleRate, 22050u);
}

TEST(WaveImage, OddLastChunkWithoutItsPaddingByteIsWhole) {
    const auto image = riff(Image().fmt(1, 1, 8000, 1, 8).text("data").u32(3).raw({1, 2, 3}));
    ASSERT_EQ(image.size(), 47u);
    EXPECT_EQ(parsed(image).dataSize, 3u);
}

TEST(WaveImage, DamagedOrUnplayableImagesAreRefusedWithAReason) {
    EXPECT_TRUE(refused({}));
    EXPECT_TRUE(refused({'R', 'I', 'F', 'F', 4, 0, 0}));
    EXPECT_TRUE(refused(Image().text("RIFX").u32(4).text("WAVE").bytes));
    EXPECT_TRUE(refused(Image().text("RIFF").u32(4).text("AVI ").bytes));
    // Truncated samples: 100 announced, 4 present.
    EXPECT_TRUE(
        refused(riff(Image().fmt(1, 1, 8000, 1, 8).text("data").u32(100).raw({1, 2, 3, 4}))));
    // A size that would wrap a 32-bit position.
    EXPECT_TRUE(refused(riff(Image().fmt(1, 1, 8000, 1, 8).text("LIST").u32(0xFFFFFFFF).raw({0}))));
    EXPECT_TRUE(refused(riff(Image().text("data").u32(2).raw({1, 2}))));
    EXPECT_TRUE(refused(riff(Image().fmt(1, 1, 8000, 1, 8))));
    // The format chunk cut short of its 16 bytes.
    EXPECT_TRUE(refused(
        riff(Image().text("fmt ").u32(14).u16(1).u16(1).u32(8000).u32(8000).u16(1).text("data").u32(
            0))));
    // Float, A-law, and a PCM header with impossible numbers.
    EXPECT_TRUE(refused(riff(Image().fmt(3, 1, 8000, 4, 32).text("data").u32(0))));
    EXPECT_TRUE(refused(riff(Image().fmt(6, 1, 8000, 1, 8).text("data").u32(0))));
    EXPECT_TRUE(refused(riff(Image().fmt(1, 0, 8000, 0, 8).text("data").u32(0))));
    EXPECT_TRUE(refused(riff(Image().fmt(1, 1, 0, 1, 8).text("data").u32(0))));
    EXPECT_TRUE(refused(riff(Image().fmt(1, 1, 8000, 2, 12).text("data").u32(0))));
    EXPECT_TRUE(refused(riff(Image().fmt(1, 2, 8000, 2, 16).text("data").u32(0))));
}

TEST(WaveImage, RiffSizeBoundsTheChunks) {
    // Trailing bytes after the RIFF's extent are not chunks of the sound.
    auto image = riff(Image().fmt(1, 1, 8000, 1, 8));
    Image tail;
    tail.text("data").u32(1).raw({9});
    image.insert(image.end(), tail.bytes.begin(), tail.bytes.end());
    EXPECT_TRUE(refused(image));

    // A RIFF size smaller than its own "WAVE" tag ends the walk before the first chunk.
    auto shrunk = riff(Image().fmt(1, 1, 8000, 1, 8).text("data").u32(1).raw({9, 0}));
    shrunk[4] = 0;
    shrunk[5] = 0;
    EXPECT_TRUE(refused(shrunk));
}

TEST(WaveImage, PlaybackSamplesAreWholeFramesAndTwentyFourBitsWiden) {
    const auto ragged =
        riff(Image().fmt(1, 2, 8000, 4, 16).text("data").u32(7).raw({1, 2, 3, 4, 5, 6, 7, 0}));
    EXPECT_EQ(playbackSamples(ragged, parsed(ragged)), (std::vector<std::uint8_t>{1, 2, 3, 4}));

    const auto deep = riff(Image()
                               .fmt(1, 1, 8000, 3, 24)
                               .text("data")
                               .u32(6)
                               .raw({0x11, 0x22, 0x33, 0x44, 0x55, 0x66}));
    EXPECT_EQ(playbackSamples(deep, parsed(deep)),
              (std::vector<std::uint8_t>{0, 0x11, 0x22, 0x33, 0, 0x44, 0x55, 0x66}));
}

} // namespace
} // namespace tessalo

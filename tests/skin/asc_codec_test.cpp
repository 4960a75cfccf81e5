#include "skin/arithmetic_encoder.h"
#include "skin/asc_decoder.h"
#include "skin/asc_encoder.h"
#include "skin/asc_model.h"
#include "skin/asc_stream_writer.h"
#include "tests/skin/bmp_builder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace tessalo {
namespace {

using Bytes = std::vector<std::uint8_t>;

const Bytes kRepeatedAbc = {0x0C, 0x00, 0x00, 0x00, 0x30, 0x18, 0x10, 0x09, 0xCB, 0xBF};
const Bytes kFortyX = {0x28, 0x00, 0x00, 0x00, 0x3B, 0xA0, 0xFC, 0x6F};

Bytes bytesOf(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

Bytes randomBytes(std::size_t size, std::uint32_t seed, int alphabet = 256) {
    std::mt19937 random(seed);
    Bytes bytes(size);
    for (auto& byte : bytes)
        byte = static_cast<std::uint8_t>(random() % static_cast<unsigned>(alphabet));
    return bytes;
}

Bytes withSize(std::uint32_t size, const Bytes& container) {
    Bytes result = container;
    for (int i = 0; i < 4; ++i)
        result[i] = static_cast<std::uint8_t>(size >> (8 * i));
    return result;
}

Bytes container(std::uint32_t size, const Bytes& stream) {
    Bytes result(4);
    result.insert(result.end(), stream.begin(), stream.end());
    return withSize(size, result);
}

// Checks both the default encoder and the greedy, textbook-flushed one.
void expectRoundTrip(const Bytes& data) {
    for (const bool compatible : {false, true}) {
        const Bytes encoded = encodeAsc(data, {compatible, compatible});
        const auto decoded = decodeAsc(encoded);
        ASSERT_TRUE(decoded.has_value()) << "compatible=" << compatible << " size=" << data.size();
        ASSERT_EQ(*decoded, data) << "compatible=" << compatible;
    }
}

TEST(AscDecoder, KnownContainers_DecodeExactly) {
    EXPECT_EQ(decodeAsc(kRepeatedAbc), bytesOf("abcabcabcabc"));
    EXPECT_EQ(decodeAsc(kFortyX), Bytes(40, 'x'));
}

TEST(AscEncoder, GreedyParseWithTextbookFlush_ReproducesKnownContainers) {
    EXPECT_EQ(encodeAsc(bytesOf("abcabcabcabc"), {true, true}), kRepeatedAbc);
    EXPECT_EQ(encodeAsc(Bytes(40, 'x'), {true, true}), kFortyX);
}

TEST(AscEncoder, ShortestFlush_IsNoLongerAndStillDecodes) {
    EXPECT_EQ(encodeAsc(bytesOf("abcabcabcabc")).size(), kRepeatedAbc.size() - 1);
    for (const Bytes& data : {bytesOf("abcabcabcabc"), Bytes(40, 'x')}) {
        const Bytes encoded = encodeAsc(data);
        EXPECT_LE(encoded.size(), encodeAsc(data, {true, true}).size());
        EXPECT_EQ(decodeAsc(encoded), data);
    }
}

TEST(AscCodec, EmptyImage_IsFourZeroBytesAndDecodesToNothing) {
    EXPECT_EQ(encodeAsc({}), Bytes(4, 0));
    EXPECT_EQ(decodeAsc(Bytes(4, 0)), Bytes{});
}

TEST(AscCodec, VariedData_RoundTrips) {
    Bytes everyValue;
    for (int i = 0; i < 256; ++i)
        everyValue.push_back(static_cast<std::uint8_t>(i));
    for (int i = 255; i >= 0; --i)
        everyValue.push_back(static_cast<std::uint8_t>(i));
    expectRoundTrip(everyValue);

    Bytes longRuns(5000, 'a');
    longRuns.insert(longRuns.end(), 787, 'b');
    longRuns.insert(longRuns.end(), 786 * 2, 'c');
    expectRoundTrip(longRuns);

    expectRoundTrip(randomBytes(70000, 1));      // incompressible, longer than the window
    expectRoundTrip(randomBytes(100000, 2, 4));  // few symbols, many short matches
    expectRoundTrip(makeBmp8(64, 48, 7).file()); // a small picture
}

TEST(AscCodec, LongInputWithRepeatsAcrossTheWindow_RoundTrips) {
    Bytes data = randomBytes(40000, 3, 16);
    const Bytes again(data.begin(), data.begin() + 20000); // 40000 back: out of reach
    data.insert(data.end(), again.begin(), again.end());
    const Bytes recent(data.end() - 31200, data.end() - 30000); // just in reach
    data.insert(data.end(), recent.begin(), recent.end());
    expectRoundTrip(data);
}

TEST(AscCodec, MatchesAtEveryPowerOfTwoDistance_RoundTrip) {
    for (std::uint32_t distance = 1; distance <= asc::kWindowSize; distance *= 2) {
        for (const std::uint32_t d : {distance - 1, distance, distance + 1}) {
            if (d >= asc::kWindowSize)
                continue;
            Bytes data = randomBytes(d + 1 + 40, d);
            // 40 bytes that repeat those exactly d + 1 bytes back.
            for (int i = 0; i < 40; ++i)
                data.push_back(data[data.size() - d - 1]);
            expectRoundTrip(data);
        }
    }
    for (const std::uint32_t back : {31199u + 1, 31200u + 1}) {
        Bytes data = randomBytes(back + 100, back);
        for (int i = 0; i < 100; ++i)
            data.push_back(data[data.size() - back]);
        expectRoundTrip(data);
    }
}

// Streams the encoder's parser would never write, made event by event.
class WrittenStream {
  public:
    WrittenStream& literal(std::uint8_t byte) {
        writer_.literal(byte);
        expected_.push_back(byte);
        return *this;
    }
    // `back` bytes before the end, counting the window's initial zeros.
    WrittenStream& match(std::uint32_t distance, std::uint32_t length) {
        writer_.match(distance, length);
        for (std::uint32_t i = 0; i < length; ++i) {
            const std::size_t back = distance + 1;
            expected_.push_back(expected_.size() >= back ? expected_[expected_.size() - back] : 0);
        }
        return *this;
    }
    Bytes container() {
        const Bytes stream = writer_.finish(ArithmeticEncoder::Flush::Shortest);
        return tessalo::container(static_cast<std::uint32_t>(expected_.size()), stream);
    }
    const Bytes& expected() const { return expected_; }

  private:
    AscStreamWriter writer_;
    Bytes expected_;
};

TEST(AscDecoder, CopiesFollowTheWindow) {
    WrittenStream beforeOutput;
    beforeOutput.match(0, 5).literal('a').match(0, 3);
    EXPECT_EQ(decodeAsc(beforeOutput.container()), Bytes({0, 0, 0, 0, 0, 'a', 'a', 'a', 'a'}));

    WrittenStream repeatLast;
    repeatLast.literal('q').match(0, 10);
    EXPECT_EQ(decodeAsc(repeatLast.container()), Bytes(11, 'q'));

    WrittenStream longest;
    for (const std::uint8_t byte : randomBytes(asc::kWindowSize + 7, 9))
        longest.literal(byte);
    longest.match(asc::kWindowSize - 1, asc::kMaxLength).match(17, 3).match(4, 786).match(1, 785);
    const auto decoded = decodeAsc(longest.container());
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(*decoded, longest.expected());
}

TEST(AscDecoder, DamagedContainers_YieldNone) {
    EXPECT_EQ(decodeAsc(Bytes{}), std::nullopt);
    EXPECT_EQ(decodeAsc(Bytes{0x0C, 0x00, 0x00}), std::nullopt);
    // The end symbol comes before D bytes.
    EXPECT_EQ(decodeAsc(withSize(13, kRepeatedAbc)), std::nullopt);
    // The copy would run past D, and so would the first literal.
    EXPECT_EQ(decodeAsc(withSize(11, kRepeatedAbc)), std::nullopt);
    EXPECT_EQ(decodeAsc(withSize(0, kRepeatedAbc)), std::nullopt);
    // Refused before anything is allocated.
    EXPECT_EQ(decodeAsc(withSize(asc::kMaxDecodedSize + 1, kFortyX)), std::nullopt);
    EXPECT_EQ(decodeAsc(withSize(0xFFFFFFFF, kFortyX)), std::nullopt);
}

TEST(AscDecoder, EscapeWithNoNewLiteralLeft_YieldsNone) {
    // Every byte value seen, then a drop sets the escape count back to 1: the escape is codable
    // although the tree of new literals is empty.
    ArithmeticEncoder coder;
    asc::DecisionModel decisions;
    asc::EscapeModel literals(asc::kLiteralParameters);
    const auto literalEvent = [&] {
        const auto counts = decisions.counts();
        coder.encode(0, counts.literal, counts.total());
        decisions.update(asc::Event::Literal);
    };
    for (int value = 0; value < 256; ++value) {
        literalEvent();
        const std::uint32_t known = literals.knownTree().total();
        coder.encode(known, known + literals.escape(), known + literals.escape());
        const auto fresh = literals.newTree().interval(value);
        coder.encode(fresh.low, fresh.high, literals.newTree().total());
        literals.retire(value);
        literals.learn(value);
    }
    for (int again = 0; again < 2; ++again) {
        literalEvent();
        const auto known = literals.knownTree().interval(0);
        coder.encode(known.low, known.high, literals.knownTree().total() + literals.escape());
        literals.learn(0);
    }
    ASSERT_EQ(literals.escape(), 1u);
    literalEvent();
    const std::uint32_t known = literals.knownTree().total();
    coder.encode(known, known + 1, known + 1);
    EXPECT_EQ(decodeAsc(container(1000, coder.finish(ArithmeticEncoder::Flush::Textbook))),
              std::nullopt);
}

TEST(AscDecoder, TruncatedStream_YieldsNone) {
    const Bytes image = makeBmp8(70, 105, 3).file();
    const Bytes encoded = encodeAsc(image);
    for (const std::size_t keep : {encoded.size() / 2, encoded.size() - 40, std::size_t{6}}) {
        const Bytes cut(encoded.begin(), encoded.begin() + static_cast<std::ptrdiff_t>(keep));
        EXPECT_EQ(decodeAsc(cut), std::nullopt) << keep;
    }
}

TEST(AscDecoder, ArbitraryBytes_NeverOverrunD) {
    std::mt19937 random(5);
    for (int i = 0; i < 300; ++i) {
        Bytes garbage = randomBytes(4 + random() % 64, random());
        garbage[2] = garbage[3] = 0; // D below 64 KiB
        const auto decoded = decodeAsc(garbage);
        if (decoded) {
            EXPECT_EQ(decoded->size(), garbage[0] | garbage[1] << 8);
        }
    }
}

} // namespace
} // namespace tessalo

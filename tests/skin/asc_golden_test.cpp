#include "skin/asc_decoder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace tessalo {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A generator spelled out here, so the input never changes with a library.
class XorShift {
  public:
    std::uint8_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<std::uint8_t>(state_ >> 24);
    }

  private:
    std::uint32_t state_ = 2463534242u;
};

// Long enough that every adaptive count reaches its limit many times and the window wraps:
// noise (literal after literal), a 64-byte block repeated with one byte changed in each copy
// (matches and literals taking turns), and a long run of one value (match after match).
Bytes longStreamInput() {
    XorShift random;
    Bytes data;
    for (int i = 0; i < 1500; ++i)
        data.push_back(random.next());
    Bytes block(64);
    for (auto& byte : block)
        byte = random.next();
    for (int copy = 0; copy < 600; ++copy) {
        block[(copy * 37) % 64] = random.next();
        data.insert(data.end(), block.begin(), block.end());
    }
    data.insert(data.end(), 786 * 200, 'a');
    return data;
}

Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const std::string kGolden = std::string(TESSALO_SOURCE_DIR) + "/tests/skin/golden/";

// Streams written once by the encoder of the time and kept: the decoder must read them the same
// way for ever. Round trips cannot show a change to a shared model rule such as the moment the
// decision counts are halved, since encoder and decoder would change together; these streams do.
TEST(AscGoldenStreams, LongStreams_DecodeToTheirInput) {
    const Bytes input = longStreamInput();
    ASSERT_EQ(input.size(), 197100u);
    // Greedy parse with the textbook flush, and the default cheapest parse.
    for (const char* name : {"long_greedy.asc", "long_cheapest.asc"}) {
        const Bytes container = readFile(kGolden + name);
        ASSERT_GT(container.size(), 4u) << name;
        EXPECT_EQ(container[0] | container[1] << 8 | container[2] << 16, 197100) << name;
        const auto decoded = decodeAsc(container);
        ASSERT_TRUE(decoded.has_value()) << name;
        EXPECT_TRUE(*decoded == input) << name; // no dump of 197100 bytes on failure
    }
}

} // namespace
} // namespace tessalo

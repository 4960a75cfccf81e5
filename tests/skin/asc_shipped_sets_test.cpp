#include "platform/pe_module.h"
#include "skin/asc_decoder.h"
#include "tests/skin/windowed_asc_decoder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tessalo {
namespace {

using Bytes = std::vector<std::uint8_t>;

const std::filesystem::path kProgramDir = TESSALO_PROGRAM_DIR;

// Every compressed bitmap of the shipped sets, and copies of each damaged at a few places (one
// byte changed, the stream cut short, the decoded size lowered): the decoder that copies matches
// within its output gives exactly what the decoder with a window of its own gave, refusals
// included.
TEST(AscShippedSets, EveryPictureAndItsDamagedCopiesDecodeAsWithTheWindowedDecoder) {
    int pictures = 0;
    for (const char* set : {"classic.tsp", "clear_view.tsp"}) {
        auto opened = PeModule::open(kProgramDir / set);
        ASSERT_TRUE(std::holds_alternative<PeModule>(opened)) << set;
        const PeModule& module = std::get<PeModule>(opened);
        for (const ResourceEntry& entry : module.catalogue()) {
            if (entry.type.text() != "ASCBITMAP")
                continue;
            const auto stream = module.findResource(entry.type, entry.name);
            ASSERT_TRUE(stream);
            const Bytes whole(stream->begin(), stream->end());
            const auto decoded = decodeAsc(whole);
            ASSERT_TRUE(decoded) << set << " " << entry.name.text();
            EXPECT_EQ(decoded, test::decodeAscWindowed(whole)) << set << " " << entry.name.text();
            ++pictures;

            std::vector<Bytes> damaged;
            for (const std::size_t at :
                 {std::size_t(4), whole.size() / 3, whole.size() / 2, whole.size() - 1}) {
                Bytes changed = whole;
                changed[at] ^= 0x5A;
                damaged.push_back(changed);
            }
            damaged.emplace_back(whole.begin(), whole.begin() + std::ptrdiff_t(whole.size() / 2));
            Bytes smaller = whole;
            smaller[0] = std::uint8_t(smaller[0] - 1);
            damaged.push_back(smaller);
            for (const Bytes& copy : damaged)
                EXPECT_EQ(decodeAsc(copy), test::decodeAscWindowed(copy)) << entry.name.text();
        }
    }
    // Each set: background, clock, indicator, ten digits and 42 pictures.
    EXPECT_GE(pictures, 2 * 55);
}

// A stream whose first event is a match reads the bytes before the output's start, which the
// window held as zeros; random streams reach that and every other odd corner.
TEST(AscShippedSets, RandomStreamsDecodeAsWithTheWindowedDecoder) {
    std::uint32_t state = 12345;
    const auto next = [&state] {
        state = state * 1103515245u + 12345u;
        return std::uint8_t(state >> 16);
    };
    int decodedSome = 0;
    for (int round = 0; round < 3000; ++round) {
        // Small decoded sizes, so that some streams end exactly there.
        Bytes stream = {std::uint8_t(next() % 8), 0, 0, 0};
        const int length = 4 + next() % 60;
        for (int i = 0; i < length; ++i)
            stream.push_back(next());
        const auto decoded = decodeAsc(stream);
        EXPECT_EQ(decoded, test::decodeAscWindowed(stream)) << "round " << round;
        decodedSome += decoded.has_value();
    }
    EXPECT_GT(decodedSome, 0);
}

} // namespace
} // namespace tessalo

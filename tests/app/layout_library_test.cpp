#include "app/layout_library.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>
#include <vector>

namespace tessalo {
namespace {

LayoutRecord recordNamed(const std::string& name, std::uint8_t seed) {
    LayoutRecord record;
    record.setName(name);
    for (std::size_t i = 0; i < LayoutRecord::kPositions; ++i) {
        record.x[i] = static_cast<std::uint8_t>((i + seed) % 34);
        record.y[i] = static_cast<std::uint8_t>((i * 3 + seed) % 18);
        record.z[i] = static_cast<std::uint8_t>(i % 6);
    }
    return record;
}

TEST(LayoutLibrary, ThreeLayouts_AreTheCountAndThreeRecordsByteForByte) {
    const std::vector<LayoutRecord> layouts = {recordNamed("One", 1), recordNamed("Two", 2),
                                               recordNamed("three", 3)};
    const auto bytes = serializeLayoutLibrary(layouts);
    ASSERT_EQ(bytes.size(), 2u + 1356u);
    EXPECT_EQ(bytes[0], 3);
    EXPECT_EQ(bytes[1], 0);
    // Name, then all half-columns, all half-rows, all layers.
    EXPECT_EQ(bytes[2 + 452 + 0], 'T');
    EXPECT_EQ(bytes[2 + 452 + 3], 0);
    EXPECT_EQ(bytes[2 + 452 + 20], layouts[1].x[0]);
    EXPECT_EQ(bytes[2 + 452 + 164], layouts[1].y[0]);
    EXPECT_EQ(bytes[2 + 452 + 308 + 143], layouts[1].z[143]);

    const auto parsed = parseLayoutLibrary(bytes);
    EXPECT_TRUE(parsed.damage.empty());
    EXPECT_EQ(parsed.layouts, layouts);
}

TEST(LayoutLibrary, NineteenCharacterName_FillsTheFieldWithItsTerminatorLast) {
    LayoutRecord record;
    record.setName("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    EXPECT_EQ(record.nameText(), "ABCDEFGHIJKLMNOPQRS");
    EXPECT_EQ(record.name[19], 0);
    // A record written elsewhere without a terminator still gives a bounded name.
    record.name.fill('A');
    EXPECT_EQ(record.nameText().size(), 20u);
}

TEST(LayoutLibrary, EmptyAndLongCountForms) {
    const auto empty = parseLayoutLibrary(std::vector<std::uint8_t>{0, 0});
    EXPECT_TRUE(empty.layouts.empty());
    EXPECT_TRUE(empty.damage.empty());

    std::vector<std::uint8_t> longForm = {0xFF, 0xFF, 1, 0, 0, 0};
    const auto one = serializeLayoutLibrary(std::vector<LayoutRecord>{recordNamed("Long", 4)});
    longForm.insert(longForm.end(), one.begin() + 2, one.end());
    const auto parsed = parseLayoutLibrary(longForm);
    EXPECT_TRUE(parsed.damage.empty());
    ASSERT_EQ(parsed.layouts.size(), 1u);
    EXPECT_EQ(parsed.layouts[0].nameText(), "Long");
}

TEST(LayoutLibrary, TruncatedFile_KeepsCompleteRecordsAndSaysWhy) {
    const auto bytes = serializeLayoutLibrary(
        std::vector<LayoutRecord>{recordNamed("One", 1), recordNamed("Two", 2)});
    for (std::size_t size : {std::size_t{0}, std::size_t{1}}) {
        const auto parsed = parseLayoutLibrary(std::span(bytes.data(), size));
        EXPECT_TRUE(parsed.layouts.empty());
        EXPECT_NE(parsed.damage.find("count"), std::string::npos);
    }
    const auto cut = parseLayoutLibrary(std::span(bytes.data(), bytes.size() - 1));
    ASSERT_EQ(cut.layouts.size(), 1u);
    EXPECT_EQ(cut.layouts[0].nameText(), "One");
    EXPECT_NE(cut.damage.find("ends inside layout 2"), std::string::npos);

    // A count far beyond the file must not be trusted for allocation.
    const auto huge =
        parseLayoutLibrary(std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    EXPECT_TRUE(huge.layouts.empty());
    EXPECT_FALSE(huge.damage.empty());
}

TEST(LayoutLibrary, SaveAndLoad_RoundTripThroughAFile) {
    const auto folder = std::filesystem::path(::testing::TempDir()) /
                        ("layout_library_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const auto path = folder / kLayoutLibraryFileName;
    const std::vector<LayoutRecord> layouts = {recordNamed("Saved", 9)};
    EXPECT_EQ(saveLayoutLibrary(path, layouts), "");
    const auto loaded = loadLayoutLibrary(path);
    EXPECT_TRUE(loaded.opened);
    EXPECT_EQ(loaded.contents.layouts, layouts);

    EXPECT_FALSE(loadLayoutLibrary(folder / "missing.tsl").opened);
    EXPECT_NE(saveLayoutLibrary(folder / "no-such-folder" / "x.tsl", layouts), "");
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace tessalo

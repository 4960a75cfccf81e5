#include "platform/pe_module.h"
#include "platform/pe_writer.h"
#include "tests/platform/pe_test_support.h"

#include <gtest/gtest.h>

namespace tessalo {
namespace {

std::vector<std::uint8_t> writeOrFail(std::span<const ModuleResource> resources) {
    auto written = writeResourceModule(resources);
    if (auto* error = std::get_if<std::string>(&written))
        ADD_FAILURE() << *error;
    return std::get<std::vector<std::uint8_t>>(std::move(written));
}

std::vector<ModuleResource> toolResources() {
    std::vector<ModuleResource> resources = {
        {"PICTURES", "IDR_PICTURES_MAP", 0, {3, 0, 1, 2}},
        {"PLACE", "IDR_PLACE_CLOCK", 0, {1, 0, 2, 0}},
        {kRtRcData, std::uint16_t(5), 0, {0xAA}},
    };
    for (auto& table : buildStringTables(
             std::vector<std::pair<std::uint16_t, std::string>>{{1, "Autumn"}, {33, "Other"}}))
        resources.push_back(std::move(table));
    return resources;
}

TEST(PeWriter, Entries_NamedWithoutCaseFirstThenIdsAscending) {
    std::vector<ModuleResource> resources = {
        {"T", std::uint16_t(5), 0, {}},
        {"T", "b", 0, {}},
        {"T", std::uint16_t(2), 0, {}},
        {"T", "C", 0, {}},
        {"T", "A", 0, {}},
        {kRtBitmap, "X", 0, {}},
    };
    auto parsed = PeModule::parse(writeOrFail(resources));
    ASSERT_TRUE(std::holds_alternative<PeModule>(parsed)) << std::get<std::string>(parsed);
    std::vector<std::string> order;
    for (const auto& entry : std::get<PeModule>(parsed).catalogue())
        order.push_back(entry.type.text() + "/" + entry.name.text());
    EXPECT_EQ(order, (std::vector<std::string>{"T/A", "T/b", "T/C", "T/2", "T/5", "2/X"}));
}

TEST(PeWriter, SameResourceTwice_IsRefused) {
    std::vector<ModuleResource> resources = {{"T", "A", 0, {1}}, {"T", "A", 0, {2}}};
    EXPECT_TRUE(std::holds_alternative<std::string>(writeResourceModule(resources)));
    resources[1].language = 0x0409;
    EXPECT_TRUE(std::holds_alternative<std::vector<std::uint8_t>>(writeResourceModule(resources)));
}

TEST(PeWriter, StringTables_GroupSixteenIdsPerBlock) {
    const auto tables = buildStringTables(std::vector<std::pair<std::uint16_t, std::string>>{
        {0, "a"}, {15, "b"}, {16, "c"}, {100, "d"}});
    ASSERT_EQ(tables.size(), 3u);
    EXPECT_EQ(tables[0].name.id(), 1);
    EXPECT_EQ(tables[1].name.id(), 2);
    EXPECT_EQ(tables[2].name.id(), 7);
    // 16 counts plus two one-unit strings.
    EXPECT_EQ(tables[0].bytes.size(), 16u * 2 + 2 * 2);
}

TEST(PeWriter, ObjdumpReadsAResourceOnlyLibrary) {
    if (!test::haveProgram("i686-w64-mingw32-objdump"))
        GTEST_SKIP() << "MinGW objdump not installed";
    test::TempDir dir;
    test::writeFile(dir.path() / "set.tsp", writeOrFail(toolResources()));
    std::string output;
    ASSERT_EQ(
        test::runCommand("i686-w64-mingw32-objdump -p '" + (dir.path() / "set.tsp").string() + "'",
                         &output),
        0)
        << output;
    for (const char* expected : {"file format pei-i386", "DLL", "AddressOfEntryPoint\t00000000",
                                 "Time/Date\t\tThu Jan  1 00:00:00 1970", "Entry 2 00001000",
                                 "IDR_PICTURES_MAP", "IDR_PLACE_CLOCK", "PLACE"})
        EXPECT_NE(output.find(expected), std::string::npos) << expected << "\n" << output;
}

TEST(PeWriter, ResourceCompilerDecompilesEveryResource) {
    if (!test::haveProgram("i686-w64-mingw32-windres"))
        GTEST_SKIP() << "MinGW windres not installed";
    test::TempDir dir;
    test::writeFile(dir.path() / "set.tsp", writeOrFail(toolResources()));
    std::string output;
    ASSERT_EQ(test::runCommand("i686-w64-mingw32-windres -J coff -O rc -i '" +
                                   (dir.path() / "set.tsp").string() + "'",
                               &output),
              0)
        << output;
    for (const char* expected :
         {"\"IDR_PICTURES_MAP\" \"PICTURES\"", "\"IDR_PLACE_CLOCK\" \"PLACE\"", "5 RCDATA",
          "1, \"Autumn\"", "33, \"Other\""})
        EXPECT_NE(output.find(expected), std::string::npos) << expected << "\n" << output;
}

} // namespace
} // namespace tessalo

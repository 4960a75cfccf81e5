#include "platform/pe_module.h"
#include "platform/pe_writer.h"
#include "tests/platform/pe_test_support.h"

#include <gtest/gtest.h>

namespace tessalo {
namespace {

constexpr std::size_t kSectionFileOffset = 0x200;
constexpr std::size_t kPeOffset = 0x40;

std::vector<std::uint8_t> smallModule() {
    std::vector<ModuleResource> resources = {{"PICTURES", "IDR_PICTURES", 0, {'A', 0, 'B', 0}},
                                             {"LAYOUT", std::uint16_t(1), 0, {1, 2, 3}}};
    for (auto& table : buildStringTables(
             std::vector<std::pair<std::uint16_t, std::string>>{{1, "Name"}, {18, "Other"}}))
        resources.push_back(std::move(table));
    return std::get<std::vector<std::uint8_t>>(writeResourceModule(resources));
}

// One id type, one id name, one language: the data entry sits right after three directories.
std::vector<std::uint8_t> singleResourceModule() {
    std::vector<ModuleResource> resources = {{kRtRcData, std::uint16_t(1), 0, {9, 9, 9, 9}}};
    return std::get<std::vector<std::uint8_t>>(writeResourceModule(resources));
}

void putU32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::string errorOf(std::vector<std::uint8_t> bytes) {
    auto parsed = PeModule::parse(std::move(bytes));
    return std::holds_alternative<std::string>(parsed) ? std::get<std::string>(parsed) : "";
}

// Everything a caller can read, so a damaged module that parses can be compared with the whole.
std::string everything(const PeModule& module) {
    std::string result;
    for (const auto& entry : module.catalogue()) {
        result += entry.type.text() + "/" + entry.name.text() + "/" +
                  std::to_string(entry.language) + ":";
        const auto bytes = module.findResource(entry.type, entry.name);
        if (bytes)
            result.append(bytes->begin(), bytes->end());
        result += "\n";
    }
    for (unsigned id = 0; id < 48; ++id)
        result += module.loadString(id, 64).value_or("<none>") + "\n";
    return result;
}

TEST(PeModuleDamage, NotAModule_IsRefusedWithReason) {
    EXPECT_NE(errorOf({}).find("not a PE module"), std::string::npos);
    const std::string text = "This is a text file, not a library.";
    EXPECT_NE(errorOf({text.begin(), text.end()}).find("not a PE module"), std::string::npos);
    auto bytes = smallModule();
    bytes[kPeOffset] = 'N';
    EXPECT_EQ(errorOf(bytes), "not a PE module: no PE signature");
}

TEST(PeModuleDamage, TruncatedAtAnyLength_FailsOrReadsEverything) {
    const auto whole = smallModule();
    const std::string expected = everything(std::get<PeModule>(PeModule::parse(whole)));
    for (std::size_t length = 0; length < whole.size(); ++length) {
        auto parsed = PeModule::parse({whole.begin(), whole.begin() + std::ptrdiff_t(length)});
        if (auto* module = std::get_if<PeModule>(&parsed))
            EXPECT_EQ(everything(*module), expected) << "cut at " << length;
        else
            EXPECT_FALSE(std::get<std::string>(parsed).empty());
    }
}

// Under the sanitizers this proves no byte value sends a read outside the file.
TEST(PeModuleDamage, AnyByteOverwritten_NeverReadsOutsideTheFile) {
    const auto whole = smallModule();
    for (std::size_t offset = 0; offset < whole.size(); ++offset) {
        for (std::uint8_t value : {0x00, 0x7F, 0x80, 0xFF}) {
            auto damaged = whole;
            damaged[offset] = value;
            auto parsed = PeModule::parse(std::move(damaged));
            if (auto* module = std::get_if<PeModule>(&parsed))
                everything(*module);
        }
    }
}

TEST(PeModuleDamage, DirectoryThatContainsItself_IsRefused) {
    auto bytes = singleResourceModule();
    // The root's only entry points back at the root.
    putU32(bytes, kSectionFileOffset + 16 + 4, 0x80000000);
    EXPECT_NE(errorOf(bytes).find("damaged PE module"), std::string::npos);
}

TEST(PeModuleDamage, SubdirectoriesSharedManyTimes_AreBounded) {
    // A root of 300 entries, all naming one type directory of 300 entries, all naming one
    // language directory: 90000 resources from a file of a few kilobytes.
    std::vector<std::uint8_t> bytes = singleResourceModule();
    const std::size_t entries = 300;
    std::vector<std::uint8_t> area(16 + 8 * entries + 16 + 8 * entries + 24 + 16, 0);
    const std::uint32_t typeDirectory = std::uint32_t(16 + 8 * entries);
    const std::uint32_t languageDirectory = std::uint32_t(typeDirectory + 16 + 8 * entries);
    const std::uint32_t dataEntry = languageDirectory + 24;
    auto put = [&](std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            area[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    };
    put(12, entries << 16);
    put(typeDirectory + 12, entries << 16);
    put(languageDirectory + 12, 1u << 16);
    for (std::size_t i = 0; i < entries; ++i) {
        put(16 + 8 * i, std::uint32_t(i + 1));
        put(16 + 8 * i + 4, 0x80000000 | typeDirectory);
        put(typeDirectory + 16 + 8 * i, std::uint32_t(i + 1));
        put(typeDirectory + 16 + 8 * i + 4, 0x80000000 | languageDirectory);
    }
    put(languageDirectory + 16, 0);
    put(languageDirectory + 20, dataEntry);
    put(dataEntry, 0x1000);
    put(dataEntry + 4, 4);
    bytes.resize(kSectionFileOffset);
    bytes.insert(bytes.end(), area.begin(), area.end());
    bytes.resize((bytes.size() + 0x1FF) / 0x200 * 0x200);
    const std::uint32_t rawSize = std::uint32_t(bytes.size() - kSectionFileOffset);
    const std::size_t sectionHeader = kPeOffset + 4 + 20 + 224;
    putU32(bytes, sectionHeader + 8, rawSize);  // virtual size
    putU32(bytes, sectionHeader + 16, rawSize); // raw size
    EXPECT_NE(errorOf(bytes).find("too many entries"), std::string::npos);
}

TEST(PeModuleDamage, DataOutsideTheFile_IsRefused) {
    const std::size_t dataEntry = kSectionFileOffset + 3 * 24;
    auto bytes = singleResourceModule();
    putU32(bytes, dataEntry, 0x9000);
    EXPECT_NE(errorOf(bytes).find("lies outside the file data"), std::string::npos);
    bytes = singleResourceModule();
    putU32(bytes, dataEntry + 4, 0xFFFFFFF0);
    EXPECT_NE(errorOf(bytes).find("lies outside the file data"), std::string::npos);
}

TEST(PeModuleDamage, StringTableRunningPastItsEnd_IsRefused) {
    std::vector<ModuleResource> resources = {{kRtString, std::uint16_t(1), 0, {3, 0, 'A', 0}}};
    const auto bytes = std::get<std::vector<std::uint8_t>>(writeResourceModule(resources));
    EXPECT_NE(errorOf(bytes).find("string runs past"), std::string::npos);
}

} // namespace
} // namespace tessalo

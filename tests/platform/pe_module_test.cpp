#include "platform/pe_module.h"
#include "platform/pe_writer.h"
#include "platform/resource_source.h"
#include "tests/platform/pe_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tessalo {
namespace {

constexpr std::uint16_t kEnglishUs = 0x0409;
// "Набор Осень" in code page 1251.
const std::string kRussianName = "\xCD\xE0\xE1\xEE\xF0 \xCE\xF1\xE5\xED\xFC";

struct SampleFiles {
    std::vector<std::uint8_t> pictures{'A', 0, 'B', 0};
    std::vector<std::uint8_t> layout = std::vector<std::uint8_t>(432, 7);
    std::vector<std::uint8_t> lower{1, 2, 3};
    std::vector<std::uint8_t> bmp = test::smallBmpFile(3, 2, 40);

    std::vector<std::uint8_t> dib() const { return {bmp.begin() + 14, bmp.end()}; }
};

std::vector<ModuleResource> sampleResources(const SampleFiles& files) {
    const std::vector<std::pair<std::uint16_t, std::string>> strings = {
        {1, kRussianName}, {17, "Seventeen"}, {2, "A name longer than nineteen characters"}};
    auto resources = buildStringTables(strings, kEnglishUs);
    resources.push_back({"PICTURES", "IDR_PICTURES", kEnglishUs, files.pictures});
    resources.push_back({"LAYOUT", std::uint16_t(1), kEnglishUs, files.layout});
    resources.push_back({kRtBitmap, "IDB_START_BUTTON_U", kEnglishUs, files.dib()});
    resources.push_back({"ASCBITMAP", "IDB_LOWER", kEnglishUs, files.lower});
    return resources;
}

// The same resources as a resource compiler script; names written in lower case on purpose.
std::string sampleScript(const std::filesystem::path& dir, const SampleFiles& files) {
    test::writeFile(dir / "pictures.bin", files.pictures);
    test::writeFile(dir / "layout.bin", files.layout);
    test::writeFile(dir / "lower.bin", files.lower);
    test::writeFile(dir / "button.bmp", files.bmp);
    return "LANGUAGE 9, 1\n"
           "STRINGTABLE\nBEGIN\n  1 \"" +
           kRussianName +
           "\"\n  2 \"A name longer than nineteen characters\"\n  17 \"Seventeen\"\nEND\n"
           "idr_pictures Pictures \"pictures.bin\"\n"
           "1 LAYOUT \"layout.bin\"\n"
           "IDB_START_BUTTON_U BITMAP \"button.bmp\"\n"
           "idb_lower AscBitmap \"lower.bin\"\n";
}

PeModule parseOrFail(std::vector<std::uint8_t> bytes) {
    auto parsed = PeModule::parse(std::move(bytes));
    if (auto* error = std::get_if<std::string>(&parsed))
        ADD_FAILURE() << *error;
    return std::get<PeModule>(std::move(parsed));
}

std::vector<std::uint8_t> writeOrFail(std::span<const ModuleResource> resources) {
    auto written = writeResourceModule(resources);
    if (auto* error = std::get_if<std::string>(&written))
        ADD_FAILURE() << *error;
    return std::get<std::vector<std::uint8_t>>(std::move(written));
}

std::vector<std::uint8_t> bytesOf(std::optional<std::span<const std::uint8_t>> span) {
    return span ? std::vector<std::uint8_t>(span->begin(), span->end())
                : std::vector<std::uint8_t>();
}

// Everything a user of a module can see, in one comparable value.
struct Observed {
    std::vector<std::tuple<std::string, std::string, std::uint16_t, std::vector<std::uint8_t>>>
        resources;
    std::vector<std::optional<std::string>> strings;
    friend bool operator==(const Observed&, const Observed&) = default;
};

Observed observe(const PeModule& module) {
    Observed result;
    for (const auto& entry : module.catalogue())
        result.resources.emplace_back(entry.type.text(), entry.name.text(), entry.language,
                                      bytesOf(module.findResource(entry.type, entry.name)));
    for (unsigned id = 0; id < 40; ++id)
        result.strings.push_back(module.loadString(id, 256));
    return result;
}

TEST(PeModule, ModulesFromResourceCompilerAndOurWriter_ReadAlike) {
    SampleFiles files;
    const PeModule ours = parseOrFail(writeOrFail(sampleResources(files)));
    EXPECT_FALSE(ours.isPe32Plus());
    for (const std::string arch : {"i686", "x86_64"}) {
        SCOPED_TRACE(arch);
        if (!test::haveProgram(arch + "-w64-mingw32-windres") ||
            !test::haveProgram(arch + "-w64-mingw32-ld"))
            GTEST_SKIP() << "MinGW binutils for " << arch << " not installed";
        test::TempDir dir;
        auto built = test::buildWithWindres(arch, dir.path(), sampleScript(dir.path(), files));
        ASSERT_TRUE(built);
        const PeModule theirs = parseOrFail(std::move(*built));
        EXPECT_EQ(theirs.isPe32Plus(), arch == "x86_64");
        EXPECT_EQ(observe(theirs), observe(ours));
        EXPECT_EQ(bytesOf(theirs.loadBitmap("idb_start_button_u")), files.dib());
        EXPECT_EQ(bytesOf(theirs.findResource("ascbitmap", "idb_lower")), files.lower);
    }
}

TEST(PeModule, FindResource_ComparesUpperCasedLookupWithStoredName) {
    std::vector<ModuleResource> resources = {
        {"PICTURES", "IDR_PICTURES", 0, {1}},
        {"PICTURES", "lower", 0, {2}},
        {"PICTURES", std::uint16_t(7), 0, {3}},
        // Cyrillic "ИМЯ", stored upper-case.
        {"PICTURES", "\xC8\xCC\xDF", 0, {4}},
    };
    const PeModule module = parseOrFail(writeOrFail(resources));
    EXPECT_EQ(bytesOf(module.findResource("pictures", "idr_Pictures")),
              std::vector<std::uint8_t>{1});
    EXPECT_EQ(bytesOf(module.findResource("PICTURES", "\xE8\xEC\xFF")),
              std::vector<std::uint8_t>{4});
    // Stored in lower case, so no looked-up spelling reaches it.
    EXPECT_FALSE(module.findResource("PICTURES", "lower"));
    EXPECT_EQ(bytesOf(module.findResource("PICTURES", std::uint16_t(7))),
              std::vector<std::uint8_t>{3});
    EXPECT_FALSE(module.findResource("PICTURES", "7"));
    EXPECT_FALSE(module.findResource("PICTURE", "IDR_PICTURES"));
    EXPECT_FALSE(module.findResource(kRtBitmap, "IDR_PICTURES"));
}

TEST(PeModule, FindResource_SeveralLanguages_FirstStoredWins) {
    std::vector<ModuleResource> resources = {
        {kRtRcData, "DATA", 0x0419, {2}},
        {kRtRcData, "DATA", 0x0409, {1}},
    };
    const PeModule module = parseOrFail(writeOrFail(resources));
    EXPECT_EQ(bytesOf(module.findResource(kRtRcData, "DATA")), std::vector<std::uint8_t>{1});
    ASSERT_EQ(module.catalogue().size(), 2u);
    EXPECT_EQ(module.catalogue()[1].language, 0x0419);
}

TEST(PeModule, LoadString_ConvertsAndCutsAsAFixedBufferDoes) {
    SampleFiles files;
    const PeModule module = parseOrFail(writeOrFail(sampleResources(files)));
    EXPECT_EQ(module.loadString(1, 20), kRussianName);
    EXPECT_EQ(module.loadString(2, 20), "A name longer than ");
    EXPECT_EQ(module.loadString(2, 1), "");
    EXPECT_EQ(module.loadString(2, 0), "");
    EXPECT_EQ(module.loadString(17, 10), "Seventeen");
    // Present block, absent entry: an empty string; absent block: nothing.
    EXPECT_EQ(module.loadString(3, 20), "");
    EXPECT_EQ(module.loadString(40, 20), std::nullopt);
    EXPECT_EQ(module.loadString(0x10000, 20), std::nullopt);
}

TEST(PeModule, ResourceSourceScope_RestoresPreviousSourceOnEveryExit) {
    const PeModule first = parseOrFail(writeOrFail({}));
    const PeModule second = parseOrFail(writeOrFail({}));
    ResourceSource source;
    EXPECT_TRUE(source.isProgramOwn());
    {
        ResourceSourceScope outer(source, first);
        EXPECT_EQ(source.current(), &first);
        {
            ResourceSourceScope inner(source, second);
            EXPECT_EQ(source.current(), &second);
        }
        EXPECT_EQ(source.current(), &first);
    }
    EXPECT_TRUE(source.isProgramOwn());
}

TEST(PeModule, Open_MissingFile_NamesIt) {
    auto opened = PeModule::open("/nonexistent/set.tsp");
    ASSERT_TRUE(std::holds_alternative<std::string>(opened));
    EXPECT_NE(std::get<std::string>(opened).find("/nonexistent/set.tsp"), std::string::npos);
}

} // namespace
} // namespace tessalo

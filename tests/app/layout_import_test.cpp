#include "app/layout_import.h"

#include "app/layout_library.h"
#include "platform/pe_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace tessalo {
namespace {

namespace fs = std::filesystem;

class RecordedMessages : public MessageSink {
  public:
    std::vector<std::string> shown;
    void showMessage(const std::string& text) override { shown.push_back(text); }
};

// Triples of a sound layout: rows of 12 listed left to right, three rows on layer 1.
std::vector<std::uint8_t> layoutTriples() {
    std::vector<std::uint8_t> triples;
    for (int i = 0; i < 144; ++i) {
        const int row = i / 12;
        triples.push_back(static_cast<std::uint8_t>(2 * (i % 12)));
        triples.push_back(static_cast<std::uint8_t>(2 * (row % 9)));
        triples.push_back(static_cast<std::uint8_t>(row / 9));
    }
    return triples;
}

class LayoutImport : public ::testing::Test {
  protected:
    // One folder per test: CTest runs the tests of this file side by side.
    fs::path folder =
        fs::path(::testing::TempDir()) /
        ("layout_import_" +
         std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
         std::to_string(::getpid()));
    fs::path library = folder / kLayoutLibraryFileName;
    fs::path module = folder / "new.layout";
    std::vector<LayoutRecord> layouts;
    RecordedMessages messages;

    void SetUp() override {
        fs::remove_all(folder);
        fs::create_directories(folder);
        LayoutRecord existing;
        existing.setName("Existing");
        layouts.push_back(existing);
        ASSERT_EQ(saveLayoutLibrary(library, layouts), "");
    }
    void TearDown() override { fs::remove_all(folder); }

    void writeModule(const std::string& name, std::vector<std::uint8_t> triples,
                     const char* type = "LAYOUT") {
        std::vector<ModuleResource> resources = {{ResourceId(type), ResourceId(1), 0, triples}};
        const std::pair<std::uint16_t, std::string> strings[] = {{1, name}};
        for (auto& table : buildStringTables(strings))
            resources.push_back(std::move(table));
        auto written = writeResourceModule(resources);
        ASSERT_TRUE(std::holds_alternative<std::vector<std::uint8_t>>(written));
        const auto& bytes = std::get<std::vector<std::uint8_t>>(written);
        std::ofstream(module, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }

    std::vector<LayoutRecord> libraryOnDisk() {
        return loadLayoutLibrary(library).contents.layouts;
    }
};

TEST_F(LayoutImport, NewLayout_IsAppendedStoredAndTheModuleDeleted) {
    writeModule("A name of twenty-five ch", layoutTriples());
    const auto added = importLayoutModule(module, layouts, library, messages);
    ASSERT_TRUE(added);
    EXPECT_EQ(*added, "A name of twenty-fi"); // cut after 19 characters
    ASSERT_EQ(layouts.size(), 2u);
    EXPECT_EQ(layouts[1].x[1], 2);
    EXPECT_EQ(layouts[1].y[12], 2);
    EXPECT_EQ(layouts[1].z[143], 1);
    EXPECT_EQ(libraryOnDisk(), layouts);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(fs::exists(module));
}

TEST_F(LayoutImport, DuplicateName_LeavesTheLibraryByteForByte) {
    const auto before = fs::file_size(library);
    writeModule("Existing", layoutTriples());
    EXPECT_FALSE(importLayoutModule(module, layouts, library, messages));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], "Раскладка \"Existing\" уже есть.");
    EXPECT_EQ(layouts.size(), 1u);
    EXPECT_EQ(fs::file_size(library), before);
    EXPECT_FALSE(fs::exists(module));

    // Letter case makes a different name.
    writeModule("EXISTING", layoutTriples());
    EXPECT_TRUE(importLayoutModule(module, layouts, library, messages));
}

// A wrong pick in the file dialog must cost nothing: only a file read as a layout module goes.
TEST_F(LayoutImport, FilesWithoutAUsableLayout_AreRefusedAndKept) {
    auto shortTriples = layoutTriples();
    shortTriples.resize(431);
    writeModule("Short", shortTriples);
    EXPECT_FALSE(importLayoutModule(module, layouts, library, messages));
    EXPECT_TRUE(fs::exists(module));

    writeModule("Other type", layoutTriples(), "PICTURES");
    EXPECT_FALSE(importLayoutModule(module, layouts, library, messages));
    EXPECT_TRUE(fs::exists(module));

    std::ofstream(module) << "not a module";
    EXPECT_FALSE(importLayoutModule(module, layouts, library, messages));
    EXPECT_TRUE(fs::exists(module));

    // The library itself, chosen by another path.
    const auto libraryBytes = fs::file_size(library);
    fs::create_directory_symlink(folder, folder / "link");
    EXPECT_FALSE(importLayoutModule(folder / "link" / "." / kLayoutLibraryFileName, layouts,
                                    library, messages));
    ASSERT_TRUE(fs::exists(library));
    EXPECT_EQ(fs::file_size(library), libraryBytes);

    ASSERT_EQ(messages.shown.size(), 4u);
    for (const auto& text : messages.shown)
        EXPECT_EQ(text, "Выбранный модуль не содержит варианта раскладки");
    EXPECT_EQ(layouts.size(), 1u);
    EXPECT_EQ(libraryOnDisk(), layouts);
}

// Were the library's bytes ever a layout module, importing it would rewrite the library and then
// delete it.
TEST_F(LayoutImport, TheLibraryIsNeverTakenForTheModule) {
    writeModule("Inside", layoutTriples());
    fs::rename(module, library);
    const auto before = fs::file_size(library);
    EXPECT_FALSE(importLayoutModule(fs::absolute(library), layouts, library, messages));
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Выбранный модуль не содержит варианта "
                                                       "раскладки"});
    ASSERT_TRUE(fs::exists(library));
    EXPECT_EQ(fs::file_size(library), before);
    EXPECT_EQ(layouts.size(), 1u);
}

TEST_F(LayoutImport, LayoutThatWouldBreakTheBoard_IsRefused) {
    auto triples = layoutTriples();
    triples[3] = triples[0]; // position 1 on the anchor of position 0
    writeModule("Broken", triples);
    EXPECT_FALSE(importLayoutModule(module, layouts, library, messages));
    ASSERT_EQ(messages.shown.size(), 1u);
    // The box speaks Russian only: the English account of the defect is for the tools.
    EXPECT_EQ(messages.shown[0], "Вариант раскладки в выбранном модуле повреждён.");
    EXPECT_EQ(layouts.size(), 1u);
    EXPECT_TRUE(fs::exists(module));
}

TEST_F(LayoutImport, LibraryThatCannotBeWritten_KeepsListAndModule) {
    writeModule("New", layoutTriples());
    // A folder in the way of the library: no user, root included, can replace it with a file.
    fs::remove(library);
    fs::create_directories(library / "occupied");
    EXPECT_FALSE(importLayoutModule(module, layouts, library, messages));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], "Не удалось записать файл ts220.tsl. Раскладка не добавлена.");
    EXPECT_EQ(layouts.size(), 1u);
    EXPECT_TRUE(fs::exists(module));
}

} // namespace
} // namespace tessalo

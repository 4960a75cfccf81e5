#include "records/records_compress.h"
#include "records/records_file.h"
#include "records_test_support.h"

#include <gtest/gtest.h>

namespace tessalo {
namespace {

using test::entry;

class RecordsCompress : public test::RecordsFolderTest {
  protected:
    test::ScriptedPrompt prompt_;
    RecordsTable table_{prompt_};
    std::filesystem::path backup_;
    void SetUp() override {
        RecordsFolderTest::SetUp();
        table_.setFileName(path_.string());
        backup_ = folder_ / "ts220.rec.bak";
    }
    std::vector<std::uint8_t> backupBytes() const {
        std::ifstream stream(backup_, std::ios::binary);
        return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
    }
};

TEST_F(RecordsCompress, KeepsEachPlayersFirstResultPerPicturesAndLayout) {
    const std::vector<RecordEntry> entries = {
        entry("Ann", 10), entry("ann", 11), entry("Ann", 12, "Set2"),         entry("Ann", 13),
        entry("Bob", 14), entry("Ann", 15), entry("Ann", 16, "Set1", "Lay2"),
    };
    const auto original = serializeRecordsFile(entries);
    writeFile(original);

    const CompressResult result = compressRecords(table_, backup_);
    EXPECT_TRUE(result.compressed);
    EXPECT_EQ(result.message, "Compressing OK");
    EXPECT_EQ(result.removed, 2u);
    EXPECT_EQ(backupBytes(), original);
    const auto kept = parseRecordsFile(fileBytes()).entries;
    std::vector<std::uint32_t> scores;
    for (const auto& e : kept)
        scores.push_back(e.score);
    EXPECT_EQ(scores, (std::vector<std::uint32_t>{10, 11, 12, 14, 16}));

    // A second run changes nothing, and its backup is the compressed file.
    const auto compressed = fileBytes();
    EXPECT_TRUE(compressRecords(table_, backup_).compressed);
    EXPECT_EQ(fileBytes(), compressed);
    EXPECT_EQ(backupBytes(), compressed);
}

TEST_F(RecordsCompress, NoFile_WritesAnEmptyTableAndNoBackup) {
    EXPECT_TRUE(compressRecords(table_, backup_).compressed);
    EXPECT_EQ(fileBytes(), (std::vector<std::uint8_t>{0, 0, 0, 0}));
    EXPECT_FALSE(std::filesystem::exists(backup_));
}

TEST_F(RecordsCompress, DamagedFile_IsBackedUpButNeverRewritten) {
    auto damaged = serializeRecordsFile(std::vector<RecordEntry>{entry("Ann", 1), entry("Ann", 2)});
    damaged.resize(damaged.size() - 3);
    writeFile(damaged);
    const CompressResult result = compressRecords(table_, backup_);
    EXPECT_FALSE(result.compressed);
    EXPECT_TRUE(result.message.empty());
    ASSERT_EQ(prompt_.problems.size(), 1u);
    EXPECT_EQ(prompt_.problems[0].problem, RecordsProblem::Damaged);
    EXPECT_EQ(fileBytes(), damaged);
    EXPECT_EQ(backupBytes(), damaged);
}

} // namespace
} // namespace tessalo

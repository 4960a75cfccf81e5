#include "records/records_file.h"
#include "records_test_support.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace tessalo {
namespace {

using test::entry;

// The one-entry file: Ann, Set1, 7.3.1999, Lay1, 0 remaining, 305 s, 2 hints, score 365.
const std::vector<std::uint8_t> kExampleFile = {
    0x01, 0x00, 0x00, 0x00, 0x03, 0x41, 0x6E, 0x6E, 0x04, 0x53, 0x65, 0x74, 0x31, 0x08, 0x37,
    0x2E, 0x33, 0x2E, 0x31, 0x39, 0x39, 0x39, 0x04, 0x4C, 0x61, 0x79, 0x31, 0x00, 0x00, 0x00,
    0x00, 0x31, 0x01, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x6D, 0x01, 0x00, 0x00};

RecordEntry exampleEntry() {
    RecordEntry e{"Ann", "Set1", "7.3.1999", "Lay1", 0, 305, 2, 0};
    e.score = recordScore(e.seconds, e.hints, e.remains);
    return e;
}

std::vector<std::string> players(const std::vector<RecordEntry>& entries) {
    std::vector<std::string> names;
    for (const auto& e : entries)
        names.push_back(e.playerName);
    return names;
}

TEST(RecordsFile, ExampleFile_ReadsAndWritesByteForByte) {
    const auto contents = parseRecordsFile(kExampleFile);
    EXPECT_TRUE(contents.damage.empty());
    ASSERT_EQ(contents.entries.size(), 1u);
    EXPECT_EQ(contents.entries[0], exampleEntry());
    EXPECT_EQ(exampleEntry().score, 365u);
    EXPECT_EQ(serializeRecordsFile(contents.entries), kExampleFile);
}

TEST(RecordsFile, CountOfZeroOrBelow_HoldsNoEntries) {
    for (const std::vector<std::uint8_t>& bytes :
         {std::vector<std::uint8_t>{0, 0, 0, 0}, std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFF},
          std::vector<std::uint8_t>{}}) {
        const auto contents = parseRecordsFile(bytes);
        EXPECT_TRUE(contents.entries.empty());
        EXPECT_TRUE(contents.damage.empty());
    }
}

TEST(RecordsFile, DamagedFile_KeepsTheCompleteEntriesBeforeTheDamage) {
    std::vector<RecordEntry> two = {exampleEntry(), exampleEntry()};
    two[1].playerName = "Bob";
    const auto whole = serializeRecordsFile(two);
    for (std::size_t cut = 1; cut < whole.size(); ++cut) {
        const auto contents = parseRecordsFile({whole.data(), cut});
        EXPECT_FALSE(contents.damage.empty()) << cut;
        EXPECT_EQ(contents.entries.size(), cut < kExampleFile.size() ? 0u : 1u) << cut;
    }
    // A count far beyond the file is damage, not a reason to allocate.
    const auto huge = parseRecordsFile(std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0x7F, 0x00});
    EXPECT_FALSE(huge.damage.empty());
}

TEST(RecordsTable, Score_IsComparedUnsigned) {
    // A negative time from a damaged file wraps to a huge score and ranks last.
    EXPECT_EQ(recordScore(-1, 0, 0), 0xFFFFFFFFu);
    std::vector<RecordEntry> entries = {entry("a", 100), entry("huge", 0xFFFFFFF0u)};
    placeEntry(entries, entry("new", 200));
    EXPECT_EQ(players(entries), (std::vector<std::string>{"a", "new", "huge"}));
}

TEST(RecordsTable, Qualifies_OnlyWhenTheGroupHasRoomAtThatScore) {
    std::vector<RecordEntry> entries;
    for (std::uint32_t i = 0; i < 20; ++i)
        entries.push_back(entry(std::string("p").append(std::to_string(i)), 100 + i));
    entries.push_back(entry("other", 50, "Set2"));
    EXPECT_FALSE(qualifiesIn(entries, entry("tie", 119)));
    EXPECT_FALSE(qualifiesIn(entries, entry("worse", 500)));
    EXPECT_TRUE(qualifiesIn(entries, entry("better", 118)));
    EXPECT_TRUE(qualifiesIn(entries, entry("otherGroup", 500, "Set1", "lay1")));
}

TEST(RecordsTable, Place_AfterEqualScoresAndDropsTheGroupsTwentyFirst) {
    std::vector<RecordEntry> entries;
    for (std::uint32_t i = 0; i < 20; ++i)
        entries.push_back(entry(std::string("p").append(std::to_string(i)), 100 + 10 * i));
    entries.push_back(entry("otherGroupWorst", 1000, "Set2"));
    placeEntry(entries, entry("new", 110));
    ASSERT_EQ(entries.size(), 21u);
    EXPECT_EQ(entries[1].playerName, "p1");
    EXPECT_EQ(entries[2].playerName, "new");
    EXPECT_EQ(entries[19].playerName, "p18");
    EXPECT_EQ(entries[20].playerName, "otherGroupWorst");
}

class RecordsTableFile : public test::RecordsFolderTest {
  protected:
    test::ScriptedPrompt prompt_;
    RecordsTable table_{prompt_};
    void SetUp() override {
        RecordsFolderTest::SetUp();
        table_.setFileName(path_.string());
    }
};

TEST_F(RecordsTableFile, AbsentFile_LoadCreatesNothingAndFirstInsertCreatesIt) {
    EXPECT_TRUE(table_.load(true));
    EXPECT_TRUE(table_.valid());
    EXPECT_FALSE(std::filesystem::exists(path_));
    ASSERT_TRUE(table_.insert(exampleEntry()));
    EXPECT_EQ(fileBytes(), kExampleFile);
    EXPECT_EQ(filesInFolder(), 1u);
}

TEST_F(RecordsTableFile, DeletedWhileRunning_InsertWritesMemoryPlusTheResult) {
    writeFile(kExampleFile);
    ASSERT_TRUE(table_.load(true));
    std::filesystem::remove(path_);
    ASSERT_TRUE(table_.insert(entry("Bob", 10)));
    EXPECT_EQ(players(parseRecordsFile(fileBytes()).entries),
              (std::vector<std::string>{"Bob", "Ann"}));
}

TEST_F(RecordsTableFile, Insert_ReReadsTheFileAndGivesUpWhenTheGroupFilledMeanwhile) {
    ASSERT_TRUE(table_.load(true));
    std::vector<RecordEntry> full;
    for (std::uint32_t i = 0; i < 20; ++i)
        full.push_back(entry("p" + std::to_string(i), 10 + i));
    writeFile(serializeRecordsFile(full));
    const auto before = fileBytes();
    EXPECT_TRUE(table_.qualifies(entry("late", 100))); // judged on the stale copy
    EXPECT_FALSE(table_.insert(entry("late", 100)));
    EXPECT_EQ(fileBytes(), before);
    EXPECT_EQ(table_.entries().size(), 20u);
}

TEST_F(RecordsTableFile, DamagedFile_SurvivesEveryOperationUnchanged) {
    auto damaged = kExampleFile;
    damaged[0] = 2; // announces a second entry that is not there
    writeFile(damaged);

    EXPECT_FALSE(table_.load(true));
    EXPECT_EQ(table_.entries().size(), 1u); // the complete entry is still shown
    EXPECT_FALSE(table_.valid());
    ASSERT_EQ(prompt_.problems.size(), 1u);
    EXPECT_EQ(prompt_.problems[0].problem, RecordsProblem::Damaged);
    EXPECT_NE(prompt_.problems[0].detail.find("damaged"), std::string::npos);

    EXPECT_FALSE(table_.save());
    EXPECT_FALSE(table_.insert(entry("Bob", 10)));
    EXPECT_FALSE(table_.load(false));
    EXPECT_FALSE(table_.save());
    EXPECT_EQ(fileBytes(), damaged);
    EXPECT_EQ(filesInFolder(), 1u);
}

TEST_F(RecordsTableFile, FailedWrite_IsReportedAndMemoryStaysAsItWas) {
    writeFile(kExampleFile);
    ASSERT_TRUE(table_.load(true));
    const int outcome = test::waitChild(test::startChild([this] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{8, 8}; // a disk that fills up after eight bytes
        ::setrlimit(RLIMIT_FSIZE, &limit);
        if (table_.insert(entry("Bob", 10)))
            return 1;
        if (prompt_.problems.size() != 1 || table_.entries().size() != 1)
            return 2;
        if (prompt_.problems[0].problem != RecordsProblem::NotWritten)
            return 3;
        return 0;
    }));
    EXPECT_EQ(outcome, 0);
    EXPECT_EQ(fileBytes(), kExampleFile);
    EXPECT_EQ(filesInFolder(), 1u);
}

TEST_F(RecordsTableFile, MissingFolder_AsksRetryOrCancelAndCancelKeepsMemory) {
    writeFile(kExampleFile);
    ASSERT_TRUE(table_.load(true));
    table_.setFileName((folder_ / "gone" / "ts220.rec").string());
    prompt_.retriesLeft = 2;
    EXPECT_FALSE(table_.insert(entry("Bob", 10)));
    EXPECT_EQ(prompt_.retryQuestions, 3);
    EXPECT_FALSE(table_.valid());
    EXPECT_EQ(table_.entries().size(), 1u);
}

TEST_F(RecordsTableFile, KilledBeforeTheNewFileTakesTheName_OldContentsStay) {
    writeFile(kExampleFile);
    ASSERT_TRUE(table_.load(true));
    const int outcome = test::waitChild(test::startChild([this] {
        table_.setBeforeRenameHook([] { std::raise(SIGKILL); });
        table_.insert(entry("Bob", 10));
        return 0;
    }));
    EXPECT_EQ(outcome, 128 + SIGKILL);
    EXPECT_EQ(fileBytes(), kExampleFile);
    // The hold died with the process: the next insert goes through.
    EXPECT_TRUE(table_.insert(entry("Bob", 10)));
    EXPECT_EQ(parseRecordsFile(fileBytes()).entries.size(), 2u);
}

} // namespace
} // namespace tessalo

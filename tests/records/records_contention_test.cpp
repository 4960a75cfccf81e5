#include "records/records_file.h"
#include "records_test_support.h"

#include <gtest/gtest.h>

#include <set>
#include <thread>

namespace tessalo {
namespace {

using test::entry;

class RecordsContention : public test::RecordsFolderTest {};

TEST_F(RecordsContention, HeldByAnotherProcess_CancelStoresNothing) {
    test::ScriptedPrompt prompt;
    RecordsTable holder(prompt);
    holder.setFileName(path_.string());
    ASSERT_TRUE(holder.insert(entry("Ann", 100)));
    ASSERT_TRUE(holder.load(false)); // held from here

    const int outcome = test::waitChild(test::startChild([this] {
        test::ScriptedPrompt childPrompt;
        RecordsTable other(childPrompt);
        other.setFileName(path_.string());
        childPrompt.retriesLeft = 2;
        const bool stored = other.insert(entry("Bob", 10));
        return !stored && childPrompt.retryQuestions == 3 && !other.valid() ? 0 : 1;
    }));
    EXPECT_EQ(outcome, 0);
    holder.release();
    EXPECT_EQ(parseRecordsFile(fileBytes()).entries.size(), 1u);
}

TEST_F(RecordsContention, HeldByAnotherProcess_RetryAfterReleaseStores) {
    test::ScriptedPrompt prompt;
    RecordsTable holder(prompt);
    holder.setFileName(path_.string());
    ASSERT_TRUE(holder.load(false));

    int asked[2];
    int released[2];
    ASSERT_EQ(::pipe(asked), 0);
    ASSERT_EQ(::pipe(released), 0);
    const pid_t child = test::startChild([&] {
        test::ScriptedPrompt childPrompt;
        childPrompt.retriesLeft = 1;
        // The user sees the box, and answers Retry once the other copy has let go.
        childPrompt.onRetryQuestion = [&] {
            char signal = 'a';
            (void)!::write(asked[1], &signal, 1);
            (void)!::read(released[0], &signal, 1);
        };
        RecordsTable other(childPrompt);
        other.setFileName(path_.string());
        return other.insert(entry("Bob", 10)) && childPrompt.retryQuestions == 1 ? 0 : 1;
    });
    char signal = 0;
    ASSERT_EQ(::read(asked[0], &signal, 1), 1);
    holder.mutableEntries().push_back(entry("Ann", 100));
    ASSERT_TRUE(holder.save());
    ASSERT_EQ(::write(released[1], &signal, 1), 1);
    EXPECT_EQ(test::waitChild(child), 0);

    const auto stored = parseRecordsFile(fileBytes()).entries;
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0].playerName, "Bob");
    EXPECT_EQ(stored[1].playerName, "Ann");
    for (int fd : {asked[0], asked[1], released[0], released[1]})
        ::close(fd);
}

TEST_F(RecordsContention, TwoProcessesInsertingAtOnce_LoseNoResult) {
    constexpr int kPerProcess = 60;
    const auto inserter = [this](const std::string& who) {
        return [this, who] {
            test::ScriptedPrompt prompt;
            prompt.retriesLeft = -1; // keep retrying while the other one holds the file
            prompt.onRetryQuestion = [] { std::this_thread::yield(); };
            RecordsTable table(prompt);
            table.setFileName(path_.string());
            for (int i = 0; i < kPerProcess; ++i) {
                // Groups of their own, so no trimming can hide a lost result.
                if (!table.insert(entry(who, static_cast<std::uint32_t>(i), who,
                                        std::string("L").append(std::to_string(i)))))
                    return 1;
            }
            return 0;
        };
    };
    const pid_t first = test::startChild(inserter("first"));
    const pid_t second = test::startChild(inserter("second"));
    EXPECT_EQ(test::waitChild(first), 0);
    EXPECT_EQ(test::waitChild(second), 0);

    const auto contents = parseRecordsFile(fileBytes());
    EXPECT_TRUE(contents.damage.empty());
    std::set<std::pair<std::string, std::string>> results;
    for (const auto& e : contents.entries)
        results.emplace(e.playerName, e.layoutName);
    EXPECT_EQ(results.size(), 2u * kPerProcess);
    EXPECT_EQ(contents.entries.size(), 2u * kPerProcess);
    EXPECT_EQ(filesInFolder(), 1u);
}

} // namespace
} // namespace tessalo

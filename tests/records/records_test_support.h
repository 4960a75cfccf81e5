#pragma once

#include "records/records_table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/wait.h>
#include <unistd.h>

namespace tessalo::test {

// Answers the table's questions the way a test wants and remembers what it was told.
class ScriptedPrompt : public RecordsPrompt {
  public:
    int retriesLeft = 0;
    int retryQuestions = 0;
    struct Problem {
        RecordsProblem problem;
        std::string detail;
    };
    std::vector<Problem> problems;
    std::function<void()> onRetryQuestion;

    bool retryOpen() override {
        ++retryQuestions;
        if (onRetryQuestion)
            onRetryQuestion();
        if (retriesLeft == 0)
            return false;
        if (retriesLeft > 0)
            --retriesLeft;
        return true;
    }
    void reportProblem(RecordsProblem problem, const std::string& detail) override {
        problems.push_back({problem, detail});
    }
};

inline RecordEntry entry(std::string player, std::uint32_t score, std::string pictures = "Set1",
                         std::string layout = "Lay1") {
    RecordEntry e;
    e.playerName = std::move(player);
    e.picturesName = std::move(pictures);
    e.dateText = "7.3.1999";
    e.layoutName = std::move(layout);
    e.seconds = static_cast<std::int32_t>(score);
    e.score = score;
    return e;
}

// A folder of its own for each test.
class RecordsFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = std::filesystem::path(::testing::TempDir()) /
                  ("records-" +
                   std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                   "-" + std::to_string(::getpid()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        path_ = folder_ / "ts220.rec";
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::vector<std::uint8_t> fileBytes() const {
        std::ifstream stream(path_, std::ios::binary);
        return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
    }
    void writeFile(const std::vector<std::uint8_t>& bytes) const {
        std::ofstream(path_, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    std::size_t filesInFolder() const {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder_),
                                                      std::filesystem::directory_iterator()));
    }

    std::filesystem::path folder_;
    std::filesystem::path path_;
};

// Runs `body` in a child process; its exit status, or 128 + the signal that ended it.
template <typename Body> pid_t startChild(Body body) {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(body());
    return child;
}

inline int waitChild(pid_t child) {
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

} // namespace tessalo::test

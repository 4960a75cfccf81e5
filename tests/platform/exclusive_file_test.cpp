#include "platform/exclusive_file.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <iterator>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tessalo {
namespace {

namespace fs = std::filesystem;
using Status = ExclusiveFile::Status;

class ExclusiveFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::path(::testing::TempDir()) /
                  ("exclusive-" +
                   std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                   "-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        path_ = folder_ / "file.bin";
    }
    void TearDown() override { fs::remove_all(folder_); }

    void write(const std::string& text) { std::ofstream(path_, std::ios::binary) << text; }
    std::string contents() const {
        std::ifstream stream(path_, std::ios::binary);
        return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
    }
    std::size_t filesInFolder() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
    }

    // Runs `body` in a child process and returns its exit status (or 128 + signal).
    template <typename Body> static int inChild(Body body) {
        const pid_t child = ::fork();
        if (child == 0)
            ::_exit(body());
        int status = 0;
        ::waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

    static std::span<const std::uint8_t> bytesOf(const std::string& text) {
        return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
    }

    fs::path folder_;
    fs::path path_;
};

TEST_F(ExclusiveFileTest, Open_TellsMissingCreatedAndMissingFolderApart) {
    EXPECT_EQ(ExclusiveFile::open(path_, ExclusiveFile::WhenMissing::Leave).status,
              Status::Missing);
    EXPECT_FALSE(fs::exists(path_));
    auto created = ExclusiveFile::open(path_, ExclusiveFile::WhenMissing::Create);
    EXPECT_EQ(created.status, Status::Created);
    EXPECT_TRUE(fs::exists(path_));
    created.file.close();
    EXPECT_EQ(ExclusiveFile::open(path_, ExclusiveFile::WhenMissing::Leave).status, Status::Opened);
    EXPECT_EQ(
        ExclusiveFile::open(folder_ / "no" / "file", ExclusiveFile::WhenMissing::Create).status,
        Status::Failed);
}

TEST_F(ExclusiveFileTest, HeldFile_IsBusyForAnotherProcessUntilReleased) {
    write("old");
    auto held = ExclusiveFile::open(path_, ExclusiveFile::WhenMissing::Leave);
    ASSERT_EQ(held.status, Status::Opened);
    const auto probe = [this] {
        return static_cast<int>(
            ExclusiveFile::open(path_, ExclusiveFile::WhenMissing::Leave).status);
    };
    EXPECT_EQ(inChild(probe), static_cast<int>(Status::Busy));
    // Still held after the contents were replaced: the new file is locked before it is named.
    ASSERT_EQ(held.file.replaceContents(bytesOf("new")), "");
    EXPECT_EQ(inChild(probe), static_cast<int>(Status::Busy));
    held.file.close();
    EXPECT_EQ(inChild(probe), static_cast<int>(Status::Opened));
    EXPECT_EQ(contents(), "new");
}

TEST_F(ExclusiveFileTest, FileReplacedBetweenOpenAndLock_IsOpenedAgain) {
    write("old");
    auto first = ExclusiveFile::open(path_, ExclusiveFile::WhenMissing::Leave);
    ASSERT_EQ(first.status, Status::Opened);
    bool replaced = false;
    // The other holder stores and lets go just after this open found the old file.
    auto second = ExclusiveFile::open(path_, ExclusiveFile::WhenMissing::Leave, [&] {
        if (!replaced) {
            replaced = true;
            ASSERT_EQ(first.file.replaceContents(bytesOf("new")), "");
            first.file.close();
        }
    });
    ASSERT_EQ(second.status, Status::Opened);
    std::vector<std::uint8_t> read;
    EXPECT_EQ(second.file.readAll(read), "");
    EXPECT_EQ(std::string(read.begin(), read.end()), "new");
}

TEST_F(ExclusiveFileTest, ReplaceContents_KeepsPermissionsAndLeavesNoTemporaryFile) {
    write("old");
    ::chmod(path_.c_str(), 0640);
    auto held = ExclusiveFile::open(path_, ExclusiveFile::WhenMissing::Leave);
    ASSERT_EQ(held.file.replaceContents(bytesOf("replaced")), "");
    std::vector<std::uint8_t> read;
    EXPECT_EQ(held.file.readAll(read), "");
    EXPECT_EQ(std::string(read.begin(), read.end()), "replaced");
    held.file.close();
    struct stat info {};
    ASSERT_EQ(::stat(path_.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(filesInFolder(), 1u);
}

TEST_F(ExclusiveFileTest, KilledBeforeTheRename_LeavesTheOldContentsAndNoHold) {
    write("old contents");
    const int killed = inChild([this] {
        auto held = ExclusiveFile::open(path_, ExclusiveFile::WhenMissing::Leave);
        held.file.replaceContents(bytesOf("new"), [] { std::raise(SIGKILL); });
        return 0;
    });
    EXPECT_EQ(killed, 128 + SIGKILL);
    EXPECT_EQ(contents(), "old contents");
    EXPECT_EQ(ExclusiveFile::open(path_, ExclusiveFile::WhenMissing::Leave).status, Status::Opened);
}

TEST_F(ExclusiveFileTest, FailedReplace_KeepsOldContentsAndTheHold) {
    write("old");
    // A disk that fills up: the child may not write more than two bytes to any file.
    const int outcome = inChild([this] {
        auto held = ExclusiveFile::open(path_, ExclusiveFile::WhenMissing::Leave);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{2, 2};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const std::string reason = held.file.replaceContents(bytesOf("much longer"));
        return reason.empty() ? 1 : held.file.isOpen() ? 0 : 2;
    });
    EXPECT_EQ(outcome, 0);
    EXPECT_EQ(contents(), "old");
    EXPECT_EQ(filesInFolder(), 1u);
}

} // namespace
} // namespace tessalo

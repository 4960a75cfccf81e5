#include "tools/tool_commands.h"

#include "records/records_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace tessalo {
namespace {

namespace fs = std::filesystem;

// "Иван" and "Осень" in code page 1251.
const std::string kIvan = "\xC8\xE2\xE0\xED";
const std::string kAutumn = "\xCE\xF1\xE5\xED\xFC";

RecordEntry entry(const std::string& player, const std::string& pictures, std::uint32_t score) {
    return RecordEntry{player, pictures, "7.3.1999", "Turtle", 0, static_cast<std::int32_t>(score),
                       0,      score};
}

class RecordsCommand : public testing::Test {
  protected:
    void SetUp() override {
        folder_ =
            fs::temp_directory_path() / ("tessalo_records_command_" + std::to_string(getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string write(const std::vector<std::uint8_t>& bytes) const {
        const std::string file = (folder_ / "ts220.rec").string();
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return file;
    }

    std::vector<std::uint8_t> read() const {
        std::ifstream in(folder_ / "ts220.rec", std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    int run(const std::vector<std::string>& args) {
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        const int code = tool::runRecordsCommand(args);
        out_ = testing::internal::GetCapturedStdout();
        err_ = testing::internal::GetCapturedStderr();
        return code;
    }

    fs::path folder_;
    std::string out_;
    std::string err_;
};

TEST_F(RecordsCommand, Dump_ShowsEveryEntryInFileOrderWithItsGroupInUtf8) {
    // Out of score order on purpose: the dump shows the file as it stands.
    const std::vector<RecordEntry> entries = {entry(kIvan, kAutumn, 300), entry("Ann", "Sea", 120),
                                              entry("Bob", kAutumn, 200)};
    const std::string file = write(serializeRecordsFile(entries));
    ASSERT_EQ(run({"dump", file}), 0) << err_;
    EXPECT_EQ(out_,
              "1\tОсень / Turtle\tИван\t7.3.1999\tremains 0\tseconds 300\thints 0\tscore 300\n"
              "2\tSea / Turtle\tAnn\t7.3.1999\tremains 0\tseconds 120\thints 0\tscore 120\n"
              "3\tОсень / Turtle\tBob\t7.3.1999\tremains 0\tseconds 200\thints 0\tscore 200\n");
}

TEST_F(RecordsCommand, TruncatedFile_FailsNamingTheDamageAndStaysAsItWas) {
    std::vector<std::uint8_t> bytes =
        serializeRecordsFile(std::vector{entry(kIvan, kAutumn, 1), entry("Ann", kAutumn, 2)});
    bytes.resize(bytes.size() - 3);
    const std::string file = write(bytes);
    for (const char* command : {"dump", "check"}) {
        EXPECT_EQ(run({command, file}), 1) << command;
        EXPECT_NE(err_.find(file + " is damaged: the file announces 2 entries but ends inside "
                                   "entry 2"),
                  std::string::npos)
            << command << ": " << err_;
        EXPECT_EQ(read(), bytes) << command;
    }
    EXPECT_NE(out_.find("1 entries in 1 groups: damaged"), std::string::npos) << out_;
    EXPECT_EQ(run({"dump", (folder_ / "missing.rec").string()}), 1);
    EXPECT_NE(err_.find("cannot read"), std::string::npos) << err_;
    EXPECT_EQ(run({"dump"}), 2);
}

TEST_F(RecordsCommand, Check_FlagsScoreOrderAndFullGroupsAndChangesNothing) {
    std::vector<RecordEntry> entries;
    for (std::uint32_t score = 1; score <= 21; ++score)
        entries.push_back(entry("Ann", kAutumn, score * 10));
    entries.push_back(entry("Bob", "Sea", 500));
    const std::string file = write(serializeRecordsFile(entries));
    EXPECT_EQ(run({"check", file}), 1);
    EXPECT_NE(out_.find("group Осень / Turtle holds 21 entries (at most 20 are kept)"),
              std::string::npos)
        << out_;
    EXPECT_EQ(out_.find("comes after"), std::string::npos) << out_;

    entries.erase(entries.begin());
    std::swap(entries[4], entries[5]);
    const std::vector<std::uint8_t> bytes = serializeRecordsFile(entries);
    write(bytes);
    EXPECT_EQ(run({"check", file}), 1);
    EXPECT_NE(out_.find("entry 6 (score 60) comes after a greater score (70)"), std::string::npos)
        << out_;
    EXPECT_EQ(out_.find("holds"), std::string::npos) << out_;
    EXPECT_NE(out_.find("21 entries in 2 groups: out of order"), std::string::npos) << out_;
    EXPECT_EQ(read(), bytes);

    std::swap(entries[4], entries[5]);
    write(serializeRecordsFile(entries));
    EXPECT_EQ(run({"check", file}), 0) << out_;
    EXPECT_NE(out_.find("21 entries in 2 groups: in order"), std::string::npos) << out_;
}

} // namespace
} // namespace tessalo

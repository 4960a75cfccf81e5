#include "app/config_file.h"
#include "platform/registry_settings.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>
#include <iterator>

namespace tessalo {
namespace {

namespace fs = std::filesystem;

class ConfigFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::path(::testing::TempDir()) /
                  ("config-" +
                   std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                   "-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        path_ = folder_ / kConfigFileName;
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::vector<std::uint8_t> fileBytes() const {
        std::ifstream stream(path_, std::ios::binary);
        return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
    }
    void writeFile(const std::vector<std::uint8_t>& bytes) const {
        std::ofstream(path_, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }

    fs::path folder_;
    fs::path path_;
    std::vector<std::string> names_;
    std::vector<std::string> files_;
};

TEST_F(ConfigFileTest, OneEntry_IsTwentyBytesAndReadsBackAppended) {
    ASSERT_EQ(writeConfig(path_, std::vector<std::string>{"Birds"},
                          std::vector<std::string>{"birds.tsp"}),
              "");
    const std::vector<std::uint8_t> expected = {1, 0,   0,   0,   5,   'B', 'i', 'r', 'd', 's',
                                                9, 'b', 'i', 'r', 'd', 's', '.', 't', 's', 'p'};
    EXPECT_EQ(fileBytes(), expected);
    names_ = {"Earlier"};
    files_ = {"earlier.tsp"};
    const ConfigRead read = readConfig(path_, names_, files_);
    EXPECT_TRUE(read.ok);
    EXPECT_EQ(names_, (std::vector<std::string>{"Earlier", "Birds"}));
    EXPECT_EQ(files_, (std::vector<std::string>{"earlier.tsp", "birds.tsp"}));
}

TEST_F(ConfigFileTest, NoEntriesOrNegativeCount_ReadsEmpty) {
    ASSERT_EQ(writeConfig(path_, {}, {}), "");
    EXPECT_EQ(fileBytes(), (std::vector<std::uint8_t>{0, 0, 0, 0}));
    writeFile({0xFF, 0xFF, 0xFF, 0xFF});
    EXPECT_TRUE(readConfig(path_, names_, files_).ok);
    EXPECT_TRUE(names_.empty() && files_.empty());
}

TEST_F(ConfigFileTest, LongFileName_GetsTheThreeBytePrefix) {
    const auto bytes = serializeConfig(std::vector<std::string>{"A"},
                                       std::vector<std::string>{std::string(300, 'f')});
    ASSERT_EQ(bytes.size(), 4u + 2 + 3 + 300);
    EXPECT_EQ(bytes[6], 0xFF);
    EXPECT_EQ(bytes[7], 0x2C);
    EXPECT_EQ(bytes[8], 0x01);
}

TEST_F(ConfigFileTest, MissingOrTruncatedFile_FailsWithAReasonKeepingCompleteEntries) {
    EXPECT_FALSE(readConfig(path_, names_, files_).ok);
    const auto whole = serializeConfig(std::vector<std::string>{"One", "Two"},
                                       std::vector<std::string>{"one.tsp", "two.tsp"});
    for (std::size_t cut = 0; cut < whole.size(); ++cut) {
        writeFile({whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut)});
        names_.clear();
        files_.clear();
        const ConfigRead read = readConfig(path_, names_, files_);
        EXPECT_FALSE(read.ok) << cut;
        EXPECT_FALSE(read.reason.empty()) << cut;
        EXPECT_EQ(names_.size(), files_.size());
        EXPECT_LE(names_.size(), 1u);
    }
}

TEST_F(ConfigFileTest, RegistrySettings_OnlyFourByteDwordsAndShortNamesCount) {
    RegistryStore key = RegistryStore::openKey(kRegistryKey, folder_);
    RegistrySettings defaults = readRegistrySettings(key);
    EXPECT_EQ(defaults.layoutIndex, 0);
    EXPECT_EQ(defaults.picturesIndex, 0);
    EXPECT_FALSE(defaults.recordsFile);

    key.setString("Layout", "abcd"); // four bytes, but not a number
    key.setDword("Pictures", 3);
    key.setString("RecordsFile", std::string(260, 'r')); // no room for the terminator
    EXPECT_EQ(readRegistrySettings(key).layoutIndex, 0);
    EXPECT_EQ(readRegistrySettings(key).picturesIndex, 3);
    EXPECT_FALSE(readRegistrySettings(key).recordsFile);
    key.setString("RecordsFile", std::string(259, 'r'));
    EXPECT_EQ(readRegistrySettings(key).recordsFile, std::string(259, 'r'));

    ASSERT_EQ(writeRegistrySettings(key, 5, -1), "");
    const RegistrySettings stored =
        readRegistrySettings(RegistryStore::openKey(kRegistryKey, folder_));
    EXPECT_EQ(stored.layoutIndex, 5);
    EXPECT_EQ(stored.picturesIndex, -1);
}

TEST_F(ConfigFileTest, WarnNoWayOut_OnOnlyForTheDwordOneAndStoredBack) {
    RegistryStore key = RegistryStore::openKey(kRegistryKey, folder_);
    EXPECT_FALSE(readRegistrySettings(key).warnNoWayOut);
    key.setString("WarnNoWayOut", "\x01"); // a string, not a DWORD
    EXPECT_FALSE(readRegistrySettings(key).warnNoWayOut);
    key.setDword("WarnNoWayOut", 2);
    EXPECT_FALSE(readRegistrySettings(key).warnNoWayOut);
    key.setDword("WarnNoWayOut", 1);
    EXPECT_TRUE(readRegistrySettings(key).warnNoWayOut);

    storeWarnNoWayOut(key, false);
    ASSERT_EQ(writeRegistrySettings(key, 0, 0), "");
    EXPECT_FALSE(readRegistrySettings(RegistryStore::openKey(kRegistryKey, folder_)).warnNoWayOut);
    storeWarnNoWayOut(key, true);
    ASSERT_EQ(writeRegistrySettings(key, 0, 0), "");
    EXPECT_TRUE(readRegistrySettings(RegistryStore::openKey(kRegistryKey, folder_)).warnNoWayOut);
}

} // namespace
} // namespace tessalo

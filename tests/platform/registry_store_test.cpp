#include "platform/registry_store.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <fstream>

namespace tessalo {
namespace {

namespace fs = std::filesystem;

class RegistryStoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::path(::testing::TempDir()) /
                  ("registry-" +
                   std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                   "-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    fs::path folder_;
};

TEST_F(RegistryStoreTest, StorePath_DerivedFromTheKeyAndRefusesEscapes) {
    EXPECT_EQ(RegistryStore::storePath("/c", "SOFTWARE\\OVK\\Tessalo2"),
              fs::path("/c/tessalo2-registry/SOFTWARE/OVK/Tessalo2.reg"));
    EXPECT_TRUE(RegistryStore::storePath("/c", "SOFTWARE\\..\\x").empty());
    EXPECT_TRUE(RegistryStore::storePath("/c", "a/b").empty());
    EXPECT_TRUE(RegistryStore::storePath("/c", "").empty());
    EXPECT_TRUE(RegistryStore::storePath("", "SOFTWARE").empty());
}

TEST_F(RegistryStoreTest, Values_SurviveAFlushAndKeepTheirTypes) {
    {
        RegistryStore key = RegistryStore::openKey("SOFTWARE\\OVK\\Tessalo2", folder_);
        EXPECT_TRUE(key.problem().empty());
        EXPECT_FALSE(key.queryDword("Layout"));
        key.setDword("Layout", -3);
        key.setString("Name", "abcd"); // four bytes, but a string
        key.setString("RecordsFile", "other.rec");
        ASSERT_EQ(key.flush(), "");
    }
    const RegistryStore key = RegistryStore::openKey("SOFTWARE\\OVK\\Tessalo2", folder_);
    EXPECT_TRUE(key.problem().empty());
    EXPECT_EQ(key.queryDword("Layout"), -3);
    EXPECT_FALSE(key.queryDword("Name"));
    EXPECT_FALSE(key.queryString("Layout", 260));
    EXPECT_EQ(key.queryString("RecordsFile", 260), "other.rec");
    EXPECT_FALSE(key.queryString("RecordsFile", 9)); // no room for the terminator
}

TEST_F(RegistryStoreTest, DamagedFile_ReadsAsEmptyWithAReason) {
    RegistryStore key = RegistryStore::openKey("K", folder_);
    key.setDword("Layout", 7);
    ASSERT_EQ(key.flush(), "");
    std::vector<std::uint8_t> whole =
        RegistryStore::serialize({{"Layout", {RegistryStore::Type::Dword, {7, 0, 0, 0}}}});
    for (std::size_t cut = 0; cut + 1 < whole.size(); ++cut) {
        std::ofstream(key.file(), std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(whole.data()), static_cast<std::streamsize>(cut));
        const RegistryStore damaged(key.file());
        EXPECT_FALSE(damaged.problem().empty()) << cut;
        EXPECT_FALSE(damaged.queryDword("Layout")) << cut;
    }
}

TEST_F(RegistryStoreTest, DeleteKey_RemovesOnlyThatKeysStore) {
    RegistryStore right = RegistryStore::openKey("SOFTWARE\\OVK\\Tessalo2", folder_);
    RegistryStore wrong = RegistryStore::openKey("SOWTWARE\\OVK\\Tessalo2", folder_);
    right.setDword("Layout", 1);
    wrong.setDword("Layout", 2);
    ASSERT_EQ(right.flush(), "");
    ASSERT_EQ(wrong.flush(), "");
    EXPECT_EQ(RegistryStore::deleteKey("SOWTWARE\\OVK\\Tessalo2", folder_), "");
    EXPECT_FALSE(fs::exists(wrong.file()));
    EXPECT_FALSE(fs::exists(folder_ / "tessalo2-registry" / "SOWTWARE"));
    EXPECT_TRUE(fs::exists(right.file()));
    EXPECT_EQ(RegistryStore::deleteKey("SOWTWARE\\OVK\\Tessalo2", folder_), "");
}

TEST_F(RegistryStoreTest, UserConfigFolder_PrefersXdgConfigHome) {
    const char* saved = std::getenv("XDG_CONFIG_HOME");
    const std::string restore = saved ? saved : "";
    ::setenv("XDG_CONFIG_HOME", "/x/config", 1);
    EXPECT_EQ(RegistryStore::userConfigFolder(), fs::path("/x/config"));
    ::setenv("XDG_CONFIG_HOME", "", 1);
    if (const char* home = std::getenv("HOME")) {
        EXPECT_EQ(RegistryStore::userConfigFolder(), fs::path(home) / ".config");
    }
    if (saved)
        ::setenv("XDG_CONFIG_HOME", restore.c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
}

} // namespace
} // namespace tessalo

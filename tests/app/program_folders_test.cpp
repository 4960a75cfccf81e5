#include "app/program_folders.h"

#include "tests/platform/pe_test_support.h"

#include <gtest/gtest.h>

#include <sys/statvfs.h>
#include <unistd.h>

#include <map>

namespace tessalo {
namespace {

namespace fs = std::filesystem;

std::string textOf(const fs::path& path) {
    const auto bytes = test::readFile(path);
    return {bytes.begin(), bytes.end()};
}

// Every file below `folder` with its content, to tell that nothing there changed.
std::map<std::string, std::string> contentsOf(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        files[fs::relative(entry.path(), folder).string()] =
            entry.is_regular_file() ? textOf(entry.path()) : "<folder>";
    return files;
}

class ProgramFoldersTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(installed);
        test::writeFile(installed / "ts220.cfg", std::string("shipped cfg"));
        test::writeFile(installed / "ts220.tsl", std::string("shipped library"));
        test::writeFile(installed / "classic.tsp", std::string("shipped classic"));
        test::writeFile(installed / "clear_view.tsp", std::string("shipped clear view"));
    }

    // The executable's folder as a player sees an installed game: not writable.
    ProgramFolders installedGame() const {
        const ProgramFolders folders = chooseProgramFolders(
            installed, [this](const fs::path& folder) { return folder != installed; }, perUser);
        return folders;
    }

    test::TempDir root;
    fs::path installed = root.path() / "usr" / "lib" / "tessalo2";
    fs::path perUser = root.path() / "home" / ".local" / "share" / "tessalo2";
};

TEST_F(ProgramFoldersTest, AWritableProgramFolderStaysAsItIs) {
    fs::path asked;
    const ProgramFolders folders = chooseProgramFolders(
        installed,
        [&asked](const fs::path& folder) {
            asked = folder;
            return true;
        },
        perUser);
    EXPECT_EQ(asked, installed);
    EXPECT_EQ(folders.current, installed);
    EXPECT_FALSE(folders.perUser());
    // Names stay bare, so everything is found in the current directory as before.
    EXPECT_EQ(locateModuleFile(folders, "classic.tsp"), fs::path("classic.tsp"));
    EXPECT_EQ(bringModuleIntoProgramFolder(folders, root.path() / "far.tsp"), "far.tsp");
    EXPECT_FALSE(fs::exists(perUser));
    // Without a home to go to, an unwritable folder is still used where it is.
    EXPECT_EQ(chooseProgramFolders(
                  installed, [](const fs::path&) { return false; }, std::nullopt)
                  .current,
              installed);
}

TEST_F(ProgramFoldersTest, TheFolderOfTheirOwnComesFromXdgDataHomeElseHome) {
    EXPECT_EQ(perUserFolderFromEnvironment("/data", "/home/ann"), fs::path("/data/tessalo2"));
    EXPECT_EQ(perUserFolderFromEnvironment(nullptr, "/home/ann"),
              fs::path("/home/ann/.local/share/tessalo2"));
    // A relative or empty data home is no folder to trust.
    EXPECT_EQ(perUserFolderFromEnvironment("data", "/home/ann"),
              fs::path("/home/ann/.local/share/tessalo2"));
    EXPECT_EQ(perUserFolderFromEnvironment("", "/home/ann"),
              fs::path("/home/ann/.local/share/tessalo2"));
    EXPECT_EQ(perUserFolderFromEnvironment(nullptr, nullptr), std::nullopt);
    EXPECT_EQ(perUserFolderFromEnvironment(nullptr, ""), std::nullopt);
}

// The whole life of an installed game: the first start seeds the folder, the player's own files
// are kept at the next start, sets are found in both folders with the player's own first, and
// the installed folder never changes.
TEST_F(ProgramFoldersTest, AnInstalledGameKeepsEverythingInThePlayersFolder) {
    const auto installedBefore = contentsOf(installed);
    const ProgramFolders folders = installedGame();
    ASSERT_TRUE(folders.perUser());
    EXPECT_EQ(folders.current, perUser);
    EXPECT_EQ(folders.installed, installed);

    ASSERT_TRUE(seedPerUserFolder(folders));
    EXPECT_EQ((contentsOf(perUser)),
              (std::map<std::string, std::string>{{"ts220.cfg", "shipped cfg"},
                                                  {"ts220.tsl", "shipped library"}}));

    // The player's own configuration and library survive the next start.
    test::writeFile(perUser / "ts220.cfg", std::string("own cfg"));
    test::writeFile(perUser / "ts220.tsl", std::string("own library"));
    ASSERT_TRUE(seedPerUserFolder(folders));
    EXPECT_EQ(textOf(perUser / "ts220.cfg"), "own cfg");
    EXPECT_EQ(textOf(perUser / "ts220.tsl"), "own library");

    // A set of the player's own beside the shipped ones, and an own copy of a shipped name.
    test::writeFile(perUser / "mine.tsp", std::string("own set"));
    test::writeFile(perUser / "clear_view.tsp", std::string("own clear view"));
    EXPECT_EQ(scannedPictureModules(folders),
              (std::vector<std::string>{"clear_view.tsp", "mine.tsp", "classic.tsp"}));
    EXPECT_EQ(locateModuleFile(folders, "classic.tsp"), installed / "classic.tsp");
    EXPECT_EQ(locateModuleFile(folders, "clear_view.tsp"), fs::path("clear_view.tsp"));
    EXPECT_EQ(locateModuleFile(folders, "mine.tsp"), fs::path("mine.tsp"));
    EXPECT_EQ(locateModuleFile(folders, "gone.tsp"), fs::path("gone.tsp"));
    EXPECT_EQ(locateModuleFile(folders, "/elsewhere/classic.tsp"),
              fs::path("/elsewhere/classic.tsp"));

    // Add...: a set from elsewhere is copied in; a shipped one and one already there are not.
    test::TempDir downloads;
    test::writeFile(downloads.path() / "far.tsp", std::string("far set"));
    test::writeFile(downloads.path() / "mine.tsp", std::string("another mine"));
    EXPECT_EQ(bringModuleIntoProgramFolder(folders, downloads.path() / "far.tsp"), "far.tsp");
    EXPECT_EQ(textOf(perUser / "far.tsp"), "far set");
    EXPECT_EQ(bringModuleIntoProgramFolder(folders, downloads.path() / "mine.tsp"), "mine.tsp");
    EXPECT_EQ(textOf(perUser / "mine.tsp"), "own set");
    EXPECT_EQ(bringModuleIntoProgramFolder(folders, installed / "classic.tsp"), "classic.tsp");
    EXPECT_FALSE(fs::exists(perUser / "classic.tsp"));

    EXPECT_EQ(contentsOf(installed), installedBefore);
}

TEST_F(ProgramFoldersTest, AFolderThatCannotBeMadeIsSaidSo) {
    test::writeFile(root.path() / "home", std::string("a file where the home should be"));
    EXPECT_FALSE(seedPerUserFolder(installedGame()));
}

TEST_F(ProgramFoldersTest, TheRealProbeRefusesWhatCannotBeWritten) {
    EXPECT_TRUE(isWritableFolder(root.path()));
    EXPECT_FALSE(isWritableFolder(root.path() / "missing"));
    // Only an unprivileged user is refused by the folder's mode.
    fs::permissions(installed, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(isWritableFolder(installed), geteuid() == 0);
    fs::permissions(installed, fs::perms::owner_all);
    // Everybody is refused by a read-only file system.
    struct statvfs system {};
    if (statvfs("/sys", &system) != 0 || (system.f_flag & ST_RDONLY) == 0)
        GTEST_SKIP() << "no read-only file system at /sys to be refused";
    EXPECT_FALSE(isWritableFolder("/sys"));
}

} // namespace
} // namespace tessalo

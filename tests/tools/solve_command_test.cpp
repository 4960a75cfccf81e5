#include "tools/tool_commands.h"

#include "app/layout_library.h"
#include "tests/tools/command_run.h"
#include "tests/tools/shipped_layouts_support.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace tessalo {
namespace {

namespace fs = std::filesystem;

using test::CommandRun;

CommandRun solve(const std::vector<std::string>& args) {
    return test::runCaptured(tool::runSolveCommand, args);
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

class SolveCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("tessalo_solve_" + std::to_string(getpid()));
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }
    std::string path(const char* name) const { return (folder_ / name).string(); }
    void write(const char* name, const std::string& text) const {
        std::ofstream(folder_ / name) << text;
    }
    fs::path folder_;
};

// The printed pairs are checked against the game itself: each tile lies where the game's deal of
// that second put it, and clicking the pairs in order through the rules empties the board.
TEST_F(SolveCommand, ADealsPairs_ClickThroughTheGamesOwnDealToAnEmptyBoard) {
    const LayoutRecord layout = test::shippedLayout("01-turtle.txt");
    const std::string library = path("ts220.tsl");
    const std::vector<LayoutRecord> layouts = {layout};
    ASSERT_EQ(saveLayoutLibrary(library, layouts), "");
    for (std::uint32_t seed : {0u, 1780000000u}) {
        SCOPED_TRACE(seed);
        const CommandRun run = solve({library, "0", std::to_string(seed)});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const std::vector<std::string> lines = linesOf(run.out);
        ASSERT_EQ(lines.size(), 73u);
        EXPECT_EQ(lines[0], "clearable");

        test::CountingOutput output;
        FixedCalendarClock clock(seed);
        GameState game(output, clock, test::positionsOf(layout));
        game.deal();
        std::set<int> taken;
        for (std::size_t i = 1; i < lines.size(); ++i) {
            int tiles[2], x[2], y[2], z[2];
            ASSERT_EQ(std::sscanf(lines[i].c_str(), "%d %d  %d,%d,%d %d,%d,%d", &tiles[0],
                                  &tiles[1], &x[0], &y[0], &z[0], &x[1], &y[1], &z[1]),
                      8)
                << lines[i];
            for (int k = 0; k < 2; ++k) {
                ASSERT_TRUE(tiles[k] >= 0 && tiles[k] < kTileCount) << lines[i];
                const TileState& tile = game.board().tile(tiles[k]);
                EXPECT_EQ(tile.gridX, x[k]) << lines[i];
                EXPECT_EQ(tile.gridY, y[k]) << lines[i];
                EXPECT_EQ(tile.layer, z[k]) << lines[i];
                EXPECT_TRUE(taken.insert(tiles[k]).second) << lines[i];
                game.clickTile(tiles[k]);
            }
            ASSERT_FALSE(game.board().tile(tiles[0]).onBoard) << lines[i];
            ASSERT_FALSE(game.board().tile(tiles[1]).onBoard) << lines[i];
        }
        EXPECT_EQ(output.remaining, 0);
        EXPECT_EQ(output.gameOvers, 1);
    }
    // An earlier, separate solver found Turtle's seed 42 impossible.
    const CommandRun hopeless = solve({library, "0", "42"});
    EXPECT_EQ(hopeless.exitCode, 0);
    EXPECT_EQ(hopeless.out, "not clearable\n");
    EXPECT_EQ(solve({"--budget", "0", library, "0", "172"}).out, "unknown\n");

    EXPECT_EQ(solve({library, "1", "0"}).exitCode, 1);
    EXPECT_EQ(solve({library, "0", "4294967296"}).exitCode, 1);
    EXPECT_EQ(solve({library, "0"}).exitCode, 2);
}

// A row of four listed left to right has only its ends free: groups 0 and 1 in the order
// 0 1 1 0 clear from the outside in, in the order 0 1 0 1 not at all.
TEST_F(SolveCommand, ABoardFile_IsSolvedAsItLies_AndABadOneIsRefused) {
    write("nested.txt", "# a row on layer 0\n0 4 2 0\n4 6 2 0  # group 1\n5 8 2 0\n1 10 2 0\n\n");
    const CommandRun nested = solve({"--board", path("nested.txt")});
    ASSERT_EQ(nested.exitCode, 0) << nested.err;
    EXPECT_EQ(nested.out, "clearable\n0 1  4,2,0 10,2,0\n4 5  6,2,0 8,2,0\n");

    write("crossed.txt", "0 4 2 0\n4 6 2 0\n1 8 2 0\n5 10 2 0\n");
    EXPECT_EQ(solve({"--board", path("crossed.txt")}).out, "not clearable\n");

    for (const char* bad : {"144 4 2 0\n", "0 33 2 0\n", "0 4 2 6\n", "0 4 2\n", "0 4 2 0 1\n",
                            "0 4 2 0\n0 8 2 0\n", "0 4 2 0\n1 5 3 0\n", "-1 4 2 0\n"}) {
        SCOPED_TRACE(bad);
        write("bad.txt", bad);
        const CommandRun run = solve({"--board", path("bad.txt")});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("bad.txt line"), std::string::npos) << run.err;
    }
    EXPECT_EQ(solve({"--board", path("missing.txt")}).exitCode, 1);
}

} // namespace
} // namespace tessalo

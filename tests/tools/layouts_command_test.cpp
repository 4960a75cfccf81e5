#include "tools/tool_commands.h"

#include "app/layout_library.h"
#include "tests/tools/command_run.h"
#include "tools/layout_text.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace tessalo {
namespace {

namespace fs = std::filesystem;

using test::CommandRun;

CommandRun layouts(const std::vector<std::string>& args) {
    return test::runCaptured(tool::runLayoutsCommand, args);
}

int countOf(const std::string& text, const std::string& word) {
    int count = 0;
    for (auto at = text.find(word); at != std::string::npos; at = text.find(word, at + 1))
        ++count;
    return count;
}

class LayoutsCommand : public testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("tessalo-layouts-" + std::to_string(getpid()));
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string path(const std::string& name) const { return (folder_ / name).string(); }

    static LayoutRecord shipped(const std::string& name) {
        std::ifstream file(fs::path(TESSALO_SOURCE_DIR) / "data/layouts" / name);
        const std::string text((std::istreambuf_iterator<char>(file)),
                               std::istreambuf_iterator<char>());
        return parseLayoutText(text).layout;
    }
    LayoutRecord shippedTurtle() const { return shipped("01-turtle.txt"); }
    // The turtle with its first two tiles in one place: invalid.
    LayoutRecord sharedAnchor() const {
        LayoutRecord layout = shippedTurtle();
        layout.setName("Shared anchor");
        layout.x[1] = layout.x[0];
        layout.y[1] = layout.y[0];
        layout.z[1] = layout.z[0];
        return layout;
    }

    fs::path folder_;
};

TEST_F(LayoutsCommand, ShippedLayouts_BuildListAndCheckAsValid) {
    const std::string library = path("ts220.tsl");
    const CommandRun build =
        layouts({"build", library, std::string(TESSALO_SOURCE_DIR) + "/data/layouts"});
    ASSERT_EQ(build.exitCode, 0) << build.err;

    const CommandRun list = layouts({"list", library});
    ASSERT_EQ(list.exitCode, 0) << list.err;
    EXPECT_NE(list.out.find("  0  Turtle               tiles per layer 0:87 1:36 2:16 3:4 4:1"),
              std::string::npos)
        << list.out;

    const CommandRun check = layouts({"check", library, "--deals", "3", "--budget", "2000"});
    EXPECT_EQ(check.exitCode, 0) << check.err;
    EXPECT_EQ(countOf(check.out, " valid; 3 deals: "), countOf(list.out, "tiles per layer"));
    EXPECT_EQ(countOf(check.out, "invalid"), 0) << check.out;
    // Every deal of the first two is decided, so no share of undecided deals is shown.
    EXPECT_EQ(countOf(check.out, "unknown"), 0) << check.out;

    // Shared out among threads or not, the deals get the same answers.
    const auto answers = [](const std::string& out) {
        std::string shares;
        for (std::size_t at = out.find("clearable"); at != std::string::npos;
             at = out.find("clearable", out.find(';', at)))
            shares += out.substr(at, out.find(';', at) - at) + "\n";
        return shares;
    };
    const CommandRun alone = layouts({"check", library, "--deals", "6", "--threads", "1"});
    const CommandRun shared = layouts({"check", library, "--deals", "6", "--threads", "3"});
    EXPECT_EQ(answers(alone.out), answers(shared.out)) << alone.out << shared.out;
    EXPECT_NE(shared.out.find("on 3 threads"), std::string::npos) << shared.out;
}

TEST_F(LayoutsCommand, Build_RefusesDuplicateNamesAndBadTextNamingFileAndLine) {
    const LayoutRecord turtle = shippedTurtle();
    const std::string text = formatLayoutText(turtle);
    std::ofstream(path("a.txt")) << text;
    std::ofstream(path("b.txt")) << text;
    const CommandRun duplicate = layouts({"build", path("out.tsl"), path("a.txt"), path("b.txt")});
    EXPECT_NE(duplicate.exitCode, 0);
    EXPECT_NE(duplicate.err.find(path("b.txt") + ": the name \"Turtle\" is already used by " +
                                 path("a.txt")),
              std::string::npos)
        << duplicate.err;
    EXPECT_FALSE(fs::exists(path("out.tsl")));

    std::ofstream(path("bad.txt")) << "tessalo-layout 1\nname: Bad\nlayer 0\n/\\x\n";
    const CommandRun bad = layouts({"build", path("out.tsl"), path("bad.txt")});
    EXPECT_NE(bad.exitCode, 0);
    EXPECT_NE(bad.err.find(path("bad.txt") + ": line 4: column 3: unexpected character 'x'"),
              std::string::npos)
        << bad.err;
}

TEST_F(LayoutsCommand, Check_ReportsTruncatedLibraryAndBrokenLayout) {
    const LayoutRecord turtle = shippedTurtle();
    std::vector<std::uint8_t> bytes = serializeLayoutLibrary(std::vector{turtle});
    bytes.resize(bytes.size() - 10);
    std::ofstream(path("short.tsl"), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    const CommandRun truncated = layouts({"check", path("short.tsl"), "--deals", "1"});
    EXPECT_NE(truncated.exitCode, 0);
    EXPECT_NE(
        truncated.err.find("is damaged: the file announces 1 layouts but ends inside layout 1"),
        std::string::npos)
        << truncated.err;

    ASSERT_EQ(saveLayoutLibrary(path("broken.tsl"), std::vector{turtle, sharedAnchor(), turtle}),
              "");
    const CommandRun broken = layouts({"check", path("broken.tsl"), "--deals", "1"});
    EXPECT_NE(broken.exitCode, 0);
    EXPECT_NE(broken.out.find("  1  Shared anchor        invalid: "), std::string::npos)
        << broken.out;
    EXPECT_NE(broken.out.find("share one place"), std::string::npos) << broken.out;
    EXPECT_NE(
        broken.out.find("  2  Turtle               invalid: the name is also that of layout 0"),
        std::string::npos)
        << broken.out;
}

// The deals of all layouts are shared out among the workers together; each line must still carry
// the figures of its own layout, also past an invalid one that gets no deals.
TEST_F(LayoutsCommand, Check_GivesEachLayoutTheFiguresOfItsOwnDeals) {
    const LayoutRecord meadow = shipped("05-meadow.txt");
    const LayoutRecord turtle = shippedTurtle();
    ASSERT_EQ(saveLayoutLibrary(path("mixed.tsl"), std::vector{meadow, sharedAnchor(), turtle}),
              "");
    ASSERT_EQ(saveLayoutLibrary(path("meadow.tsl"), std::vector{meadow}), "");
    ASSERT_EQ(saveLayoutLibrary(path("turtle.tsl"), std::vector{turtle}), "");
    const auto check = [&](const std::string& file) {
        return layouts({"check", path(file), "--deals", "12", "--threads", "2"}).out;
    };
    // What a line says of the deals' answers, without the times.
    const auto answers = [](const std::string& out, const std::string& line) {
        const std::size_t at = out.find(line);
        if (at == std::string::npos)
            return std::string("no line \"" + line + "\"");
        const std::size_t from = out.find("valid;", at);
        return out.substr(from, out.find("; per deal", from) - from);
    };
    const std::string mixed = check("mixed.tsl");
    const std::string meadowAlone = answers(check("meadow.tsl"), "  0  Meadow ");
    const std::string turtleAlone = answers(check("turtle.tsl"), "  0  Turtle ");
    // The two layouts differ in these deals, so a line given the other's figures shows.
    ASSERT_NE(meadowAlone, turtleAlone);
    EXPECT_EQ(answers(mixed, "  0  Meadow "), meadowAlone) << mixed;
    EXPECT_NE(mixed.find("  1  Shared anchor        invalid: "), std::string::npos) << mixed;
    EXPECT_EQ(answers(mixed, "  2  Turtle "), turtleAlone) << mixed;
}

TEST_F(LayoutsCommand, CheckKeepClear_ReportsTilesUnderTheAreaAndRefusesMalformedArea) {
    ASSERT_EQ(saveLayoutLibrary(path("turtle.tsl"), std::vector{shippedTurtle()}), "");
    // Both the clock and the indicator corner are clear of the turtle.
    const CommandRun clear = layouts({"check", path("turtle.tsl"), "--deals", "1", "--keep-clear",
                                      "688,0,112,48", "--keep-clear", "722,552,78,48"});
    EXPECT_EQ(clear.exitCode, 0) << clear.out << clear.err;

    // One pixel at the middle of the play area lies under the turtle's top tile; a rectangle
    // touching the left edge of the play area only from outside stays clear.
    const CommandRun covered = layouts({"check", path("turtle.tsl"), "--deals", "1", "--keep-clear",
                                        "0,0,28,600", "--keep-clear", "400,300,1,1"});
    EXPECT_NE(covered.exitCode, 0);
    EXPECT_NE(covered.out.find("  0  Turtle               invalid: position 0 ("),
              std::string::npos)
        << covered.out;
    EXPECT_NE(covered.out.find("lies under the area 400,300,1,1 that must stay clear"),
              std::string::npos)
        << covered.out;
    EXPECT_EQ(countOf(covered.out, "lies under the area 0,0,28,600"), 0) << covered.out;

    for (const char* malformed : {"1,2,3", "1,2,3,0", "1,2,3,4,5", "-1,0,5,5", "1,,3,4"}) {
        const CommandRun bad = layouts({"check", path("turtle.tsl"), "--keep-clear", malformed});
        EXPECT_EQ(bad.exitCode, 2) << malformed;
    }
}

} // namespace
} // namespace tessalo

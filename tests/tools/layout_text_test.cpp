#include "tools/layout_text.h"

#include <gtest/gtest.h>

#include <string>

namespace tessalo {
namespace {

// 144 tiles: a 12 x 6 block on layer 0 (rows 1..12) and on layer 1 another 12 x 6 block.
std::string fullLayout(const std::string& name = "Test") {
    std::string text = "tessalo-layout 1\nname: " + name + "\n";
    for (int z = 0; z < 2; ++z) {
        text += "layer " + std::to_string(z) + "\n..................................\n";
        for (int row = 0; row < 6; ++row)
            text +=
                "./\\/\\/\\/\\/\\/\\/\\/\\/\\/\\/\\/\\\n.\\/\\/\\/\\/\\/\\/\\/\\/\\/\\/\\/\\/\n";
    }
    return text;
}

struct Drawn {
    int x, y, z;
};

TEST(LayoutText, SmallDrawing_GivesPositionsTopLayerFirstThenLeftToRightBottomUp) {
    std::string text = "tessalo-layout 1\n# a comment line\nname: Steps\nlayer 2\n"
                       "/\\\n"
                       "\\/\n"
                       "layer 0\n"
                       "/\\/\\\n"
                       "\\/\\/\n"
                       "/\\..\n"
                       "\\/..\n";
    // Up to 144 with rows of tiles on layer 1.
    text += "layer 1\n";
    int placed = 0;
    for (int r = 0; r + 1 < 18 && placed < 140; r += 2) {
        std::string top(34, '.'), bottom(34, '.');
        for (int c = 0; c + 1 < 34 && placed < 140; c += 2, ++placed) {
            top[c] = '/';
            top[c + 1] = '\\';
            bottom[c] = '\\';
            bottom[c + 1] = '/';
        }
        text += top + "\n" + bottom + "\n";
    }
    const LayoutTextParse parsed = parseLayoutText(text);
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.layout.nameText(), "Steps");
    // Top layer first.
    EXPECT_EQ(parsed.layout.x[0], 0);
    EXPECT_EQ(parsed.layout.y[0], 0);
    EXPECT_EQ(parsed.layout.z[0], 2);
    EXPECT_EQ(parsed.layout.z[1], 1);
    // Layer 0 comes last: x ascending, and at one x the lower tile before the upper one.
    const Drawn expected[] = {{0, 2, 0}, {0, 0, 0}, {2, 0, 0}};
    for (int i = 0; i < 3; ++i) {
        const int at = 141 + i;
        EXPECT_EQ(parsed.layout.x[at], expected[i].x) << at;
        EXPECT_EQ(parsed.layout.y[at], expected[i].y) << at;
        EXPECT_EQ(parsed.layout.z[at], expected[i].z) << at;
    }
}

TEST(LayoutText, FormattedLayout_ParsesBackToTheSameRecord) {
    const LayoutTextParse first = parseLayoutText(fullLayout("Round trip"));
    ASSERT_EQ(first.error, "");
    const LayoutTextParse second = parseLayoutText(formatLayoutText(first.layout));
    ASSERT_EQ(second.error, "");
    EXPECT_EQ(second.layout, first.layout);
}

TEST(LayoutText, Errors_NameTheLineAndTheFault) {
    const auto errorOf = [](const std::string& text) { return parseLayoutText(text).error; };
    const std::string good = fullLayout();

    EXPECT_EQ(errorOf("tessalo-layout 2\n"),
              "line 1: unknown version '2'; this reader knows 'tessalo-layout 1'");
    EXPECT_NE(errorOf("layout\n").find("line 1: not a layout text"), std::string::npos);

    std::string badChar = good;
    badChar.at(badChar.find("layer 0\n") + 8 + 35 + 1) = 'x';
    EXPECT_NE(errorOf(badChar).find("line 5: column 2: unexpected character 'x'"),
              std::string::npos)
        << errorOf(badChar);

    std::string open = good;
    open.at(open.find("layer 1\n") + 8 + 35 + 2) = '.';
    EXPECT_NE(errorOf(open).find("line 19: column 2: the tile starting here is not closed"),
              std::string::npos)
        << errorOf(open);

    std::string stray = good;
    stray.at(stray.find("layer 0\n") + 8) = '\\';
    EXPECT_NE(errorOf(stray).find("line 4: column 1: '\\' belongs to no tile"), std::string::npos)
        << errorOf(stray);

    EXPECT_NE(errorOf("tessalo-layout 1\nname: ABCDEFGHIJKLMNOPQRSTUVWX\n")
                  .find("line 2: the name has 24 characters; at most 19 fit"),
              std::string::npos);
    EXPECT_NE(
        errorOf("tessalo-layout 1\nname: X\nlayer 6\n").find("line 3: layer 6 is out of range"),
        std::string::npos);
    EXPECT_NE(errorOf("tessalo-layout 1\nname: X\nlayer 0\nlayer 0\n")
                  .find("line 4: layer 0 was already drawn at line 3"),
              std::string::npos);
    EXPECT_NE(errorOf("tessalo-layout 1\nname: X\nlayer 0\n" + std::string(35, '.') + "\n")
                  .find("line 4: the row is 35 characters long"),
              std::string::npos);
    std::string tall = "tessalo-layout 1\nname: X\nlayer 0\n";
    for (int r = 0; r < 18; ++r)
        tall += "..\n";
    EXPECT_NE(errorOf(tall + "/\\\n\\/\n").find("line 22: row 18 is outside the grid"),
              std::string::npos)
        << errorOf(tall + "/\\\n\\/\n");
}

TEST(LayoutText, WrongTileCount_IsReportedWithTheCountPerLayer) {
    std::string text = fullLayout();
    // Drop the last drawn tile pair of rows (12 tiles) from layer 1.
    text.erase(text.size() - 52);
    EXPECT_EQ(parseLayoutText(text).error,
              "the layout has 132 tiles on 2 layers (layer 0: 72, layer 1: 60); it needs 144");
    EXPECT_EQ(parseLayoutText("tessalo-layout 1\nlayer 0\n").error,
              "the layout has no 'name:' line");
}

} // namespace
} // namespace tessalo

#include "game/layout_validation.h"

#include <gtest/gtest.h>

namespace tessalo {
namespace {

// Rows of 12 tiles listed left to right: nine rows on layer 0, three more on layer 1 over the
// first three.
LayoutRecord flatLayout() {
    LayoutRecord layout;
    layout.setName("Flat");
    for (std::size_t i = 0; i < LayoutRecord::kPositions; ++i) {
        const std::size_t row = i / 12;
        layout.x[i] = static_cast<std::uint8_t>(2 * (i % 12));
        layout.y[i] = static_cast<std::uint8_t>(2 * (row % 9));
        layout.z[i] = static_cast<std::uint8_t>(row / 9);
    }
    return layout;
}

TEST(LayoutValidation, SoundLayout_HasNoDefectAndNoDesignProblem) {
    const LayoutRecord layout = flatLayout();
    EXPECT_EQ(layoutDefect(layout), "");
    EXPECT_TRUE(layoutDesignProblems(layout).empty());
}

TEST(LayoutValidation, BoardBreakingLayouts_AreRefusedWithTheirPosition) {
    LayoutRecord outside = flatLayout();
    outside.x[7] = 34;
    EXPECT_NE(layoutDefect(outside).find("position 7 (34, 0, 0) lies outside"), std::string::npos);

    LayoutRecord highLayer = flatLayout();
    highLayer.z[0] = 6;
    EXPECT_NE(layoutDefect(highLayer), "");

    LayoutRecord shared = flatLayout();
    shared.x[1] = shared.x[0];
    EXPECT_NE(layoutDefect(shared).find("share one place"), std::string::npos);

    LayoutRecord overlapping = flatLayout();
    overlapping.x[1] = static_cast<std::uint8_t>(overlapping.x[0] + 1);
    EXPECT_NE(layoutDefect(overlapping).find("overlap"), std::string::npos);
}

TEST(LayoutValidation, DesignProblems_FloatingTileAndRightToLeftOrder) {
    LayoutRecord floating = flatLayout();
    floating.x[143] = 30; // layer 1, nothing below at half-column 30
    floating.y[143] = 16;
    const auto floatProblems = layoutDesignProblems(floating);
    ASSERT_EQ(floatProblems.size(), 1u);
    EXPECT_NE(floatProblems[0].find("rests on nothing"), std::string::npos);

    LayoutRecord reversed = flatLayout();
    std::swap(reversed.x[0], reversed.x[1]); // (2,0) now listed before (0,0)
    const auto orderProblems = layoutDesignProblems(reversed);
    ASSERT_EQ(orderProblems.size(), 1u);
    EXPECT_NE(orderProblems[0].find("before its left neighbour"), std::string::npos);
}

} // namespace
} // namespace tessalo

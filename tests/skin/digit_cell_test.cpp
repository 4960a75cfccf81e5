#include "skin/digit_cell.h"

#include <gtest/gtest.h>

#include <vector>

namespace tessalo {
namespace {

// Polygon regions take the pixels on the left and top edges and leave those on the right and
// bottom edges, so the outline 0..25 × 0..47 covers pixels 0..24 × 0..46 and a hole (7, 7) to
// (18, 20) removes pixels 7..17 × 7..19.
void expectMembership(const QRegion& shape, const std::vector<QPoint>& inside,
                      const std::vector<QPoint>& outside) {
    for (QPoint point : inside)
        EXPECT_TRUE(shape.contains(point)) << point.x() << ", " << point.y();
    for (QPoint point : outside)
        EXPECT_FALSE(shape.contains(point)) << point.x() << ", " << point.y();
}

TEST(DigitCell, StrokesAreInside_HolesCutCornersAndWaistAreNot) {
    const QRegion cell = digitCellRegion();
    EXPECT_EQ(cell.boundingRect(), QRect(0, 0, 25, 47));
    const std::vector<QPoint> bars = {{12, 0}, {12, 2}, {12, 23}, {12, 44}, {12, 46}};
    const std::vector<QPoint> strokes = {{0, 12}, {2, 12},  {24, 12}, {18, 12},
                                         {0, 33}, {24, 33}, {17, 20}, {6, 27}};
    const std::vector<QPoint> holes = {{12, 12}, {7, 7}, {17, 19}, {12, 33}, {7, 27}, {17, 39}};
    const std::vector<QPoint> cutCorners = {{0, 0}, {24, 0}, {0, 46}, {24, 46}};
    const std::vector<QPoint> waist = {{0, 23}, {24, 23}};
    const std::vector<QPoint> beyond = {{25, 12}, {12, 47}, {-1, 12}, {12, -1}};
    expectMembership(cell, bars, holes);
    expectMembership(cell, strokes, cutCorners);
    expectMembership(cell, {}, waist);
    expectMembership(cell, {}, beyond);
}

TEST(DigitCell, ClockHasFourCellsWithAGapBetweenMinutesAndSeconds) {
    const QRegion clock = clockShape();
    EXPECT_EQ(clock.boundingRect(), QRect(0, 0, 111, 47));
    const std::vector<QPoint> topBars = {{12, 2}, {38, 2}, {72, 2}, {98, 2}};
    const std::vector<QPoint> cellEdges = {{26, 12}, {50, 12}, {60, 12},
                                           {84, 12}, {86, 12}, {110, 12}};
    const std::vector<QPoint> gaps = {{25, 12}, {51, 12}, {52, 2},  {52, 23}, {55, 12},
                                      {59, 2},  {59, 23}, {85, 12}, {111, 12}};
    const std::vector<QPoint> holes = {{38, 12}, {72, 33}, {98, 12}};
    expectMembership(clock, topBars, gaps);
    expectMembership(clock, cellEdges, holes);
}

TEST(DigitCell, IndicatorHasThreeCellsSideBySide) {
    const QRegion indicator = indicatorShape();
    EXPECT_EQ(indicator.boundingRect(), QRect(0, 0, 77, 47));
    expectMembership(indicator, {{12, 2}, {38, 2}, {64, 2}, {52, 12}, {76, 12}, {64, 23}},
                     {{25, 12}, {51, 12}, {60, 12}, {64, 33}, {77, 12}, {98, 2}});
}

} // namespace
} // namespace tessalo

#include "skin/digit_cell.h"

#include <QPolygon>

#include <initializer_list>

namespace tessalo {

namespace {

QRegion cellsAt(std::initializer_list<int> lefts) {
    const QRegion cell = digitCellRegion();
    QRegion shape;
    for (int left : lefts)
        shape += cell.translated(left, 0);
    return shape;
}

} // namespace

QRegion digitCellRegion() {
    const QPolygon outline({{7, 0},   {18, 0},  {21, 3},  {22, 3},  {25, 6},  {25, 20},
                            {22, 23}, {25, 26}, {25, 40}, {21, 44}, {20, 44}, {17, 47},
                            {8, 47},  {5, 44},  {4, 44},  {0, 40},  {0, 26},  {3, 23},
                            {0, 20},  {0, 6},   {3, 3},   {4, 3}});
    // The holes go through the same polygon rasterisation as the outline, so their edges follow
    // the same pixel rule.
    const QPolygon hole({{7, 7}, {18, 7}, {18, 20}, {7, 20}});
    return QRegion(outline, Qt::WindingFill)
        .xored(QRegion(hole, Qt::WindingFill))
        .xored(QRegion(hole.translated(0, 20), Qt::WindingFill));
}

QRegion clockShape() {
    return cellsAt({0, 26, 60, 86});
}

QRegion indicatorShape() {
    return cellsAt({0, 26, 52});
}

} // namespace tessalo

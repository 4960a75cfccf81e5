#include "skin/digit_cell.h"

#include <QPolygon>

#include <initializer_list>

namespace tessalo {

namespace {

QRegion cellsAt(std::initializer_list<int> lefts, PictureScale scale) {
    const QRegion cell = digitCellRegion(scale);
    QRegion shape;
    for (int left : lefts)
        shape += cell.translated(scale.of(left), 0);
    return shape;
}

QPolygon scaled(QPolygon polygon, PictureScale scale) {
    for (QPoint& corner : polygon)
        corner = QPoint(scale.of(corner.x()), scale.of(corner.y()));
    return polygon;
}

} // namespace

QRegion digitCellRegion(PictureScale scale) {
    const QPolygon outline =
        scaled({{7, 0},   {18, 0},  {21, 3},  {22, 3},  {25, 6}, {25, 20}, {22, 23}, {25, 26},
                {25, 40}, {21, 44}, {20, 44}, {17, 47}, {8, 47}, {5, 44},  {4, 44},  {0, 40},
                {0, 26},  {3, 23},  {0, 20},  {0, 6},   {3, 3},  {4, 3}},
               scale);
    // The holes go through the same polygon rasterisation as the outline, so their edges follow
    // the same pixel rule.
    const QPolygon hole = scaled({{7, 7}, {18, 7}, {18, 20}, {7, 20}}, scale);
    return QRegion(outline, Qt::WindingFill)
        .xored(QRegion(hole, Qt::WindingFill))
        .xored(QRegion(hole.translated(0, scale.of(20)), Qt::WindingFill));
}

QRegion clockShape(PictureScale scale) {
    return cellsAt({0, 26, 60, 86}, scale);
}

QRegion indicatorShape(PictureScale scale) {
    return cellsAt({0, 26, 52}, scale);
}

} // namespace tessalo

#include "game/tile_shape.h"

#include <QPolygon>

namespace tessalo {

QRegion tileOutline(PictureScale scale) {
    QPolygon corners({{7, 0}, {52, 0}, {52, 69}, {44, 77}, {0, 77}, {0, 7}});
    for (QPoint& corner : corners)
        corner = QPoint(scale.of(corner.x()), scale.of(corner.y()));
    return QRegion(corners, Qt::WindingFill);
}

} // namespace tessalo

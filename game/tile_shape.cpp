#include "game/tile_shape.h"

#include <QPolygon>

namespace tessalo {

QRegion tileOutline() {
    const QPolygon corners({{7, 0}, {52, 0}, {52, 69}, {44, 77}, {0, 77}, {0, 7}});
    return QRegion(corners, Qt::WindingFill);
}

} // namespace tessalo

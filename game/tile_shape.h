#pragma once

#include <QRegion>

namespace tessalo {

// The six-corner outline of a tile window: the 52 × 77 rectangle less the triangles cut off at the
// upper-left (7 pixels each way) and lower-right (8 pixels each way) corners.
QRegion tileOutline();

} // namespace tessalo

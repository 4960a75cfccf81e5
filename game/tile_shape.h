#pragma once

#include "skin/picture_scale.h"

#include <QRegion>

namespace tessalo {

// The six-corner outline of a tile window: the 52 × 77 rectangle less the triangles cut off at the
// upper-left (7 pixels each way) and lower-right (8 pixels each way) corners; its corners are
// scaled with the play area, so a click lands on the tile the player sees.
QRegion tileOutline(PictureScale scale = {});

} // namespace tessalo

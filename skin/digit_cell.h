#pragma once

#include "skin/picture_scale.h"

#include <QRegion>

namespace tessalo {

// One figure-eight digit cell, 25 × 47 pixels, with its two holes cut out: the only part of a
// digit window's face that shows. Corners and cell places are scaled with the play area.
QRegion digitCellRegion(PictureScale scale = {});

// Four cells at x = 0, 26, 60 and 86: a gap separates minutes from seconds.
QRegion clockShape(PictureScale scale = {});

// Three cells at x = 0, 26 and 52.
QRegion indicatorShape(PictureScale scale = {});

} // namespace tessalo

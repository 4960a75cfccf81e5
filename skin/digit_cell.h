#pragma once

#include <QRegion>

namespace tessalo {

// One figure-eight digit cell, 25 × 47 pixels, with its two holes cut out: the only part of a
// digit window's face that shows.
QRegion digitCellRegion();

// Four cells at x = 0, 26, 60 and 86: a gap separates minutes from seconds.
QRegion clockShape();

// Three cells at x = 0, 26 and 52.
QRegion indicatorShape();

} // namespace tessalo

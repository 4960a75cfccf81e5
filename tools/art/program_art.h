#pragma once

#include <QImage>
#include <QString>

#include <string>

namespace tessalo::art {

// The about-box crab, 70 × 105; the second frame blinks.
QImage drawCrab(bool eyesClosed);
// 32 × 32 with alpha: the program (128) and the paused game in the notification area (164).
QImage drawProgramIcon();
QImage drawPausedIcon();
// 32 × 32, black and white with alpha; the finger tip is at (8, 1).
QImage drawPointingHand();

// Writes the program's own art and its resources.qrc into `folder`. Returns an error, or empty.
std::string writeProgramArt(const QString& folder);

} // namespace tessalo::art

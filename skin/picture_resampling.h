#pragma once

#include "skin/picture_scale.h"

#include <QImage>

#include <optional>

namespace tessalo {

// The picture at the size it is drawn at, made once at load so painting copies pixels 1:1: whole
// factors repeat pixels and keep edges hard, other factors are filtered smoothly, and shrinking
// averages the pixels each one covers.
QImage resampled(const QImage& picture, PictureScale scale);
std::optional<QImage> resampled(const std::optional<QImage>& picture, PictureScale scale);

} // namespace tessalo

#include "skin/picture_resampling.h"

namespace tessalo {

QImage resampled(const QImage& picture, PictureScale scale) {
    if (scale.isOne() || picture.isNull())
        return picture;
    const QSize size(scale.of(picture.width()), scale.of(picture.height()));
    if (size.isEmpty())
        return QImage();
    // Qt's smooth scaling averages the covered area when it shrinks (measured against a box
    // filter: within one level), so a larger version brought down keeps its detail.
    return picture.scaled(size, Qt::IgnoreAspectRatio,
                          scale.isWhole() ? Qt::FastTransformation : Qt::SmoothTransformation);
}

std::optional<QImage> resampled(const std::optional<QImage>& picture, PictureScale scale) {
    if (!picture)
        return std::nullopt;
    return resampled(*picture, scale);
}

} // namespace tessalo

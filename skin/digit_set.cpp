#include "skin/digit_set.h"

#include "skin/pictures_module.h"
#include "skin/scaled_picture_loading.h"

#include <QPainter>
#include <QRect>

namespace tessalo {

bool DigitSet::load(const PeModule& module, PictureScale scale, double devicePixelRatio) {
    clear();
    bool complete = true;
    for (int value = 0; value <= 9; ++value) {
        // Each digit on its own: a damaged image blanks only the digit it shows.
        auto image = loadScaledAscBitmap(module, digitBitmapName(value), scale);
        if (image) {
            images_[value] = std::move(*image);
            images_[value].setDevicePixelRatio(devicePixelRatio);
        } else {
            complete = false;
        }
    }
    // The size is that of digit 0; without it the first digit that decoded stands in, so the
    // others still draw.
    for (const QImage& image : images_) {
        if (!image.isNull()) {
            width_ = image.width();
            height_ = image.height();
            break;
        }
    }
    return complete;
}

void DigitSet::clear() {
    images_ = {};
    width_ = 0;
    height_ = 0;
}

const QImage& DigitSet::digit(int value) const {
    static const QImage none;
    if (value < 0 || value > 9)
        return none;
    return images_[value];
}

void DigitSet::draw(QPainter& painter, QPointF topLeft, int value) const {
    const QImage& image = digit(value);
    if (image.isNull())
        return;
    // Clipped to the image here: a source reaching past it would be scaled instead.
    painter.drawImage(topLeft, image, QRectF(QRect(0, 0, width_, height_) & image.rect()));
}

} // namespace tessalo

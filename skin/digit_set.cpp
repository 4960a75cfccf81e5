#include "skin/digit_set.h"

#include "skin/asc_bitmap_loader.h"
#include "skin/pictures_module.h"

#include <QPainter>
#include <QRect>

namespace tessalo {

bool DigitSet::load(const PeModule& module) {
    clear();
    std::array<QImage, 10> images;
    for (int value = 0; value <= 9; ++value) {
        auto image = loadAscBitmap(module, digitBitmapName(value));
        if (!image)
            return false;
        images[value] = std::move(*image);
    }
    images_ = std::move(images);
    width_ = images_[0].width();
    height_ = images_[0].height();
    loaded_ = true;
    return true;
}

void DigitSet::clear() {
    images_ = {};
    width_ = 0;
    height_ = 0;
    loaded_ = false;
}

const QImage& DigitSet::digit(int value) const {
    static const QImage none;
    if (!loaded_ || value < 0 || value > 9)
        return none;
    return images_[value];
}

void DigitSet::draw(QPainter& painter, QPoint topLeft, int value) const {
    const QImage& image = digit(value);
    if (image.isNull())
        return;
    // Clipped to the image here: a source reaching past it would be scaled instead.
    painter.drawImage(topLeft, image, QRect(0, 0, width_, height_) & image.rect());
}

} // namespace tessalo

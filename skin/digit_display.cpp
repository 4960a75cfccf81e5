#include "skin/digit_display.h"

#include "skin/scaled_picture_loading.h"

#include <QMouseEvent>
#include <QPainter>

namespace tessalo {

DigitDisplay::DigitDisplay(const char* name, QWidget* gameWindow) : QWidget(gameWindow) {
    setObjectName(name);
    setAttribute(Qt::WA_OpaquePaintEvent);
    hide();
}

bool DigitDisplay::loadFace(const PeModule& module, const char* faceName, QPoint place,
                            std::span<const std::int16_t> digitX, int digitY) {
    placed_ = true;
    place_ = place;
    digitX_.clear();
    const PictureScale toDevice = pictureScale();
    for (const std::int16_t x : digitX)
        digitX_.push_back(toDevice.of(x));
    digitY_ = toDevice.of(digitY);
    auto face = loadScaledAscBitmap(module, faceName, toDevice);
    face_ = face ? std::move(*face) : QImage();
    face_.setDevicePixelRatio(pixelRatio_.factor());
    return face.has_value();
}

void DigitDisplay::clearSkin() {
    placed_ = false;
    face_ = QImage();
    digitX_.clear();
}

void DigitDisplay::showAt(QPoint position, const QRegion& shape) {
    const QRect cells = shape.boundingRect();
    const QSize faceless(cells.right() + 1, cells.bottom() + 1);
    // Without a face the game window shows through the cells.
    setAttribute(Qt::WA_OpaquePaintEvent, !face_.isNull());
    move(position);
    resize(!placed_ ? QSize() : face_.isNull() ? faceless : face_.deviceIndependentSize().toSize());
    setMask(shape);
    setVisible(placed_);
    raise();
}

void DigitDisplay::paintDigits(const DigitSet& digits, std::span<const int> values) {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    if (!face_.isNull())
        painter.drawImage(0, 0, face_);
    const qreal ratio = pixelRatio_.factor();
    for (std::size_t k = 0; k < values.size() && k < digitX_.size(); ++k)
        digits.draw(painter, QPointF(digitX_[k] / ratio, digitY_ / ratio), values[k]);
}

void DigitDisplay::mousePressEvent(QMouseEvent* event) {
    if (!drag_.press(*this, *event))
        QWidget::mousePressEvent(event);
}

void DigitDisplay::mouseMoveEvent(QMouseEvent* event) {
    drag_.move(*this, *event);
}

void DigitDisplay::mouseReleaseEvent(QMouseEvent* event) {
    drag_.release(*event);
}

} // namespace tessalo

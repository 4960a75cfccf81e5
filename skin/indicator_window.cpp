#include "skin/indicator_window.h"

#include "skin/asc_bitmap_loader.h"
#include "skin/digit_cell.h"
#include "skin/pictures_module.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace tessalo {

IndicatorWindow::IndicatorWindow(const DigitSet& digits, QWidget* gameWindow)
    : QWidget(gameWindow), digits_(digits) {
    setObjectName("Indicator");
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Hidden explicitly, or showing the game window would show the indicator before it is
    // created.
    hide();
}

bool IndicatorWindow::loadSkin(const PeModule& module) {
    face_ = QImage();
    const auto record = module.findResource(kPlaceType, kIndicatorPlaceName);
    const auto place = record ? parseIndicatorPlace(*record) : std::nullopt;
    if (!place)
        return false;
    auto face = loadAscBitmap(module, kIndicatorName);
    if (!face)
        return false;
    face_ = std::move(*face);
    place_ = QPoint(place->x, place->y);
    std::copy(place->digitX.begin(), place->digitX.end(), digitX_.begin());
    digitY_ = place->digitY;
    return true;
}

void IndicatorWindow::createOwned(QPoint position) {
    remaining_ = kFullCount;
    move(position);
    resize(face_.size());
    setMask(indicatorShape());
    show();
    raise();
}

void IndicatorWindow::resetCount() {
    remaining_ = kFullCount;
    update();
}

int IndicatorWindow::pairRemoved() {
    remaining_ -= 2;
    update();
    return remaining_;
}

void IndicatorWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, face_);
    // Three digits hold 0..999; a count outside (pairs removed past an empty board) is held at
    // the nearest end rather than drawn with a digit that does not exist.
    const int shown = std::clamp(remaining_, 0, 999);
    const std::array<int, 3> digits = {shown / 100, shown % 100 / 10, shown % 10};
    for (std::size_t k = 0; k < digits.size(); ++k)
        digits_.draw(painter, QPoint(digitX_[k], digitY_), digits[k]);
}

void IndicatorWindow::mousePressEvent(QMouseEvent* event) {
    if (!drag_.press(*this, *event))
        QWidget::mousePressEvent(event);
}

void IndicatorWindow::mouseMoveEvent(QMouseEvent* event) {
    drag_.move(*this, *event);
}

void IndicatorWindow::mouseReleaseEvent(QMouseEvent* event) {
    drag_.release(*event);
}

} // namespace tessalo

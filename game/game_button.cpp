#include "game/game_button.h"

#include <QPainter>

namespace tessalo {

namespace {

// In window pixels: a picture made for a HiDPI screen holds more pixels than it covers.
QSize sizeOf(const QPixmap& image) {
    return image.isNull() ? QSize(1, 1) : image.deviceIndependentSize().toSize();
}

} // namespace

GameButton::GameButton(int commandId, const QPixmap& up, const QPixmap& down, QWidget* gameWindow)
    : QAbstractButton(gameWindow), commandId_(commandId), up_(up), down_(down) {
    setObjectName(QString::number(commandId));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, !up_.isNull());
    resize(sizeOf(up_));
}

QSize GameButton::sizeHint() const {
    return sizeOf(up_);
}

void GameButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPixmap& image = isDown() ? down_ : up_;
    if (!image.isNull())
        painter.drawPixmap(0, 0, image);
}

} // namespace tessalo

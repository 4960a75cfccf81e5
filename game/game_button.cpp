#include "game/game_button.h"

#include <QPainter>

namespace tessalo {

GameButton::GameButton(int commandId, const QPixmap& up, const QPixmap& down, QWidget* gameWindow)
    : QAbstractButton(gameWindow), commandId_(commandId), up_(up), down_(down) {
    setObjectName(QString::number(commandId));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, !up_.isNull());
    resize(up_.isNull() ? QSize(1, 1) : up_.size());
}

QSize GameButton::sizeHint() const {
    return up_.isNull() ? QSize(1, 1) : up_.size();
}

void GameButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPixmap& image = isDown() ? down_ : up_;
    if (!image.isNull())
        painter.drawPixmap(0, 0, image);
}

} // namespace tessalo

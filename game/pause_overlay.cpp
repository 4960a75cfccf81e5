#include "game/pause_overlay.h"

#include <QMouseEvent>
#include <QPainter>

namespace tessalo {

namespace {

const QString kPauseText = QStringLiteral("Пауза. Щёлкните, чтобы продолжить игру.");
constexpr int kTextPixelSize = 24;

} // namespace

PauseOverlay::PauseOverlay(std::function<void()> playOn, QWidget* gameWindow)
    : QWidget(gameWindow), playOn_(std::move(playOn)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    hide();
}

void PauseOverlay::cover(std::initializer_list<QWidget*> above) {
    setGeometry(parentWidget()->rect());
    show();
    raise();
    for (QWidget* widget : above) {
        if (widget != nullptr)
            widget->raise();
    }
}

void PauseOverlay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    QFont font = painter.font();
    font.setPixelSize(kTextPixelSize);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(rect(), Qt::AlignCenter, kPauseText);
}

void PauseOverlay::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (playOn_)
        playOn_();
}

} // namespace tessalo
